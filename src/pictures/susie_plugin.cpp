#include "pictures/susie_plugin.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include "pictures/picture_input.h"

namespace tintara {
namespace {

constexpr char kImportFilter[] = "00IN";
constexpr char kHelperName[] = "tintara-spi-host";

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

TSusiePlugIn::TSusiePlugIn() : filter_text_(kAllTypeFilterText), helper_(DefaultHelperProgram()) {}

TSusiePlugIn::~TSusiePlugIn() { UnloadPlugIns(); }

QString TSusiePlugIn::DefaultHelperProgram() {
  const QString beside = QCoreApplication::applicationDirPath() + "/" + kHelperName;
  if (QFileInfo(beside).isExecutable()) return beside;
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + TINTARA_LIBEXEC_FROM_BIN +
                         "/" + kHelperName);
}

QString TSusiePlugIn::OwnPlugInFolder() {
  const QString beside = QCoreApplication::applicationDirPath() + "/plug-ins";
  if (QFileInfo(beside).isDir()) return beside + "/";
  return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + TINTARA_PLUGINS_FROM_BIN) +
         "/";
}

TSusiePlugIn::Answer TSusiePlugIn::Ask(
    const PluginRequest& request, const std::function<bool(const PluginMessage&)>& on_message) {
  Answer answer;
  if (cancelled_) return answer;
  QProcess helper;
  helper.setProgram(helper_);
  // What a plug-in prints is nobody's business.
  helper.setStandardErrorFile(QProcess::nullDevice());

  // The wait runs the event loop, so that the window goes on drawing, and
  // ends when the helper has answered, dies, talks nonsense, takes too long
  // or the wait is given up.
  QEventLoop loop;
  bool over = false;
  const auto end_wait = [&] {
    over = true;
    loop.quit();
  };
  // Each plug-in call has the whole time for itself, counted from the call:
  // the progress it reports meanwhile gains it nothing.
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, end_wait);
  std::string buffer;
  std::size_t at = 0;
  const auto read = [&] {
    buffer += helper.readAllStandardOutput().toStdString();
    PluginMessage message;
    std::ptrdiff_t used = 0;
    while (!over && (used = ParseMessage(std::string_view(buffer).substr(at), message)) > 0) {
      at += static_cast<std::size_t>(used);
      if (message.kind == PluginMessage::Kind::kTrying) {
        answer.last_tried = static_cast<int>(message.index);
        deadline.start(call_timeout_ms_);
      }
      if (message.kind == PluginMessage::Kind::kDone || !on_message(message)) {
        answer.finished = true;
        end_wait();
      }
    }
    if (used < 0) end_wait();
  };
  QObject::connect(&helper, &QProcess::readyReadStandardOutput, &loop, read);
  QObject::connect(&helper, &QProcess::finished, &loop, [&] {
    read();
    end_wait();
  });
  QObject::connect(&helper, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) end_wait();
  });
  give_up_wait_ = end_wait;

  deadline.start(call_timeout_ms_);
  helper.start();
  helper.write(QByteArray::fromStdString(EncodeRequest(request)));
  // Closed once everything is written.
  helper.closeWriteChannel();
  if (!over) {
    if (OnBusy) OnBusy(this, true);
    loop.exec();
    if (OnBusy) OnBusy(this, false);
  }
  give_up_wait_ = nullptr;
  QObject::disconnect(&helper, nullptr, &loop, nullptr);
  if (helper.state() != QProcess::NotRunning) {
    helper.kill();
    helper.waitForFinished(call_timeout_ms_);
  }
  return answer;
}

void TSusiePlugIn::Cancel() {
  cancelled_ = true;
  if (give_up_wait_) give_up_wait_();
}

void TSusiePlugIn::PassOver(const QString& path) {
  if (!cancelled_) passed_over_.insert(path);
}

int TSusiePlugIn::LoadPlugIns(const QString& mask) {
  const qsizetype slash = mask.lastIndexOf('/');
  const QString folder = mask.left(slash + 1);
  const QString pattern = mask.mid(slash + 1);
  // Every letter case matches, and hidden files are passed over.
  const QStringList names =
      QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
          .entryList({pattern}, QDir::Files | QDir::Readable | QDir::System, QDir::Unsorted);
  cancelled_ = false;
  std::vector<QString> paths;
  for (const QString& name : names) {
    if (!passed_over_.contains(folder + name)) paths.push_back(folder + name);
  }

  int kept = 0;
  std::size_t next = 0;
  while (next < paths.size()) {
    PluginRequest request;
    request.kind = PluginRequest::Kind::kInfo;
    for (std::size_t k = next; k < paths.size(); ++k)
      request.paths.push_back(paths[k].toStdString());
    int tried = -1;
    const Answer answer = Ask(request, [&](const PluginMessage& message) {
      if (message.kind == PluginMessage::Kind::kTrying) tried = static_cast<int>(message.index);
      // An index past the list comes only from a damaged helper.
      if (message.kind != PluginMessage::Kind::kInfo || tried < 0 ||
          next + static_cast<std::size_t>(tried) >= paths.size()) {
        return true;
      }
      const QString& path = paths[next + static_cast<std::size_t>(tried)];
      const PluginInfoRecord& info = message.info;
      bool already = false;
      for (const SusiePlugInEntry& entry : plug_ins_) already = already || entry.path == path;
      if (info.loaded && (info.exports & kExportGetPluginInfo) != 0 &&
          info.api_version == kImportFilter && !already) {
        SusiePlugInEntry entry;
        entry.path = path;
        entry.api_version = info.api_version;
        entry.name = info.name;
        entry.format_name = info.format_name;
        entry.pattern = AsciiUpper(info.pattern);
        entry.exports = info.exports;
        filter_text_ += entry.format_name + "   [" + entry.pattern + "]|" + entry.pattern + "|";
        plug_ins_.push_back(std::move(entry));
        ++kept;
      }
      return true;
    });
    if (answer.finished || cancelled_) break;
    // The helper died or hung on one library: that one is left out, the
    // rest are asked about again.
    const std::size_t failed = next + static_cast<std::size_t>(std::max(answer.last_tried, 0));
    if (answer.last_tried >= 0 && failed < paths.size()) PassOver(paths[failed]);
    next = failed + 1;
  }
  return kept;
}

void TSusiePlugIn::UnloadPlugIns() { plug_ins_.clear(); }

const SusiePlugInEntry* TSusiePlugIn::PlugInAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &plug_ins_[static_cast<std::size_t>(index)];
}

bool TSusiePlugIn::DecodeFile(const QString& file_name, QImage* bitmap) {
  QFile file(file_name);
  if (!file.open(QIODevice::ReadOnly)) throw PictureReadError{file_name};
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) throw PictureReadError{file_name};
  return DecodeMemory(bytes.constData(), bytes.size(), bitmap);
}

bool TSusiePlugIn::DecodeStream(QBuffer& stream, std::int64_t count, QImage* bitmap) {
  const QByteArray& bytes = stream.buffer();
  return DecodeMemory(bytes.constData(), std::min<std::int64_t>(count, bytes.size()), bitmap);
}

bool TSusiePlugIn::DecodeMemory(const char* data, std::int64_t count, QImage* bitmap) {
  if (data == nullptr || bitmap == nullptr || count < 0) return false;
  // Only plug-ins that can be asked and can answer.
  std::vector<const SusiePlugInEntry*> candidates;
  for (const SusiePlugInEntry& entry : plug_ins_) {
    if ((entry.exports & kExportIsSupported) && (entry.exports & kExportGetPicture) &&
        !passed_over_.contains(entry.path)) {
      candidates.push_back(&entry);
    }
  }
  std::size_t next = 0;
  while (next < candidates.size()) {
    PluginRequest request;
    request.kind = PluginRequest::Kind::kDecode;
    for (std::size_t k = next; k < candidates.size(); ++k) {
      request.paths.push_back(candidates[k]->path.toStdString());
    }
    request.data.assign(data, static_cast<std::size_t>(count));
    bool decoded = false;
    const Answer answer = Ask(request, [&](const PluginMessage& message) {
      if (message.kind == PluginMessage::Kind::kProgress && OnWorking) {
        OnWorking(this, message.done, message.total);
      }
      if (message.kind == PluginMessage::Kind::kPicture) {
        *bitmap = ImageOfDib(message.picture);
        decoded = true;
        return false;
      }
      return true;
    });
    if (decoded) return true;
    if (answer.finished || cancelled_) return false;
    // A plug-in crashed, hung or garbled its answer: it did not decode, and
    // is not asked again.
    const std::size_t failed = next + static_cast<std::size_t>(std::max(answer.last_tried, 0));
    if (answer.last_tried >= 0 && failed < candidates.size()) PassOver(candidates[failed]->path);
    next = failed + 1;
  }
  return false;
}

}  // namespace tintara
