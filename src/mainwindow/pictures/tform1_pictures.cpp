// Pictures and text brought in: the open command, files dropped on the
// window and the paste command.
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include "mainwindow/pictures/helper_wait.h"
#include "mainwindow/tform1.h"
#include "output/body_reader.h"
#include "pictures/picture_input.h"
#include "pictures/susie_plugin.h"

namespace tintara {
namespace {

const char kClipboardPictureName[] = "From Clipboard";

// The descriptions of a dialog filter list, each without its patterns.
QStringList FilterDescriptions(const QString& filters) {
  QStringList descriptions;
  for (const QString& filter : filters.split(";;")) {
    descriptions << filter.left(filter.lastIndexOf(QStringLiteral(" (")));
  }
  return descriptions;
}

}  // namespace

void TForm1::CreatePictureInput() {
  // Drops are taken once the window is shown. A file dropped anywhere on the window is brought in,
  // also over a field, which would otherwise take the file's name as typed text.
  for (QLineEdit* field : findChildren<QLineEdit*>()) field->setAcceptDrops(false);
  ChooseFileToOpen = [this] {
    const QString filter = OpenFilter();
    // Escape while the plug-ins were asked gives up the open.
    if (SusiePlugIn->Cancelled()) return QString();
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filter.split(";;"));
    // The filter's entries read as they are written, "AllType   [*.*]",
    // blanks and all; the dialog would show its patterns and fold the blanks.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
      const QStringList descriptions = FilterDescriptions(filter);
      for (int k = 0; k < types->count() && k < descriptions.size(); ++k) {
        types->setItemText(k, descriptions[k]);
      }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
  };
  SusiePlugIn = std::make_unique<TSusiePlugIn>();
  SusiePlugIn->AutoSusie = false;
  SusiePlugIn->OnBusy = [this](TSusiePlugIn* host, bool busy) {
    if (busy) {
      helper_wait_ = std::make_unique<HelperWait>([host] { host->Cancel(); });
    } else {
      helper_wait_.reset();
    }
  };
}

const QString& TForm1::OpenFilter() {
  if (open_filter_.isEmpty()) {
    // The plug-ins are loaded only for as long as one operation needs them.
    SusiePlugIn->LoadPlugIns(plug_in_folder_ + "*.SPI");
    // A list given up part way is not kept.
    if (!SusiePlugIn->Cancelled()) open_filter_ = QtNameFilters(SusiePlugIn->FilterText());
    SusiePlugIn->UnloadPlugIns();
  }
  return open_filter_;
}

QString TForm1::BackgroundPictureName() const { return QString::fromStdString(body_.picture_name); }

void TForm1::SpeedButtonOpenClick() {
  const QString path = ChooseFileToOpen ? ChooseFileToOpen() : QString();
  if (!path.isEmpty()) OpenPictureOrText(path);
}

void TForm1::OpenPictureOrText(const QString& path) {
  SusiePlugIn->LoadPlugIns(plug_in_folder_ + "*.SPI");
  Input input;
  if (!SusiePlugIn->Cancelled()) {
    input = ReadFileInput(path, [this](const QByteArray& bytes) {
      QImage picture;
      if (!SusiePlugIn->DecodeMemory(bytes.constData(), bytes.size(), &picture)) return QImage();
      return picture;
    });
  }
  SusiePlugIn->UnloadPlugIns();
  // Given up with Escape while the plug-ins worked: nothing changes.
  if (SusiePlugIn->Cancelled()) return;
  const QString name = QFileInfo(path).fileName();
  switch (input.kind) {
    case InputKind::kPicture:
      if (!input.picture.isNull()) ShowBackgroundPicture(input.picture, name);
      break;
    case InputKind::kText:
      ReadBodyText(input.text);
      break;
    case InputKind::kTooLarge:
      error_box_(QString::fromUtf8("「%1」は大きすぎるので読み込めません．"
                                   "画像でないファイルは16MBまでです．")
                     .arg(name));
      break;
    case InputKind::kUnreadable:
      error_box_(QString::fromUtf8("「%1」を読み込めません．").arg(name));
      break;
    case InputKind::kNothing:
      break;
  }
}

void TForm1::SpeedButtonPasteClick() {
  const Input input = ReadClipboardInput(QGuiApplication::clipboard()->mimeData());
  if (input.kind == InputKind::kPicture) {
    // A picture without pixels is not shown, and the text is not read either.
    if (!input.picture.isNull()) {
      ShowBackgroundPicture(input.picture, QString::fromUtf8(kClipboardPictureName));
    }
  } else if (input.kind == InputKind::kText) {
    ReadBodyText(input.text);
  } else if (input.kind == InputKind::kTooLarge) {
    error_box_(QString::fromUtf8("クリップボードの内容は大きすぎるので読み込めません．"
                                 "テキストは16MB，画像は%1×%1画素までです．")
                   .arg(kMaxPastedPictureSide));
  }
}

void TForm1::ReadBodyText(const std::string& text) {
  const BodyReadResult reading = ReadBodyTag(text);
  if (reading.kind == BodyReadKind::kConversionError) {
    error_box_(QString::fromStdString(reading.message));
    return;
  }
  ApplyBodyEffects(ApplyBodyReading(body_, reading));
}

void TForm1::ShowBackgroundPicture(const QImage& picture, const QString& name) {
  ImageBg->setPixmap(QPixmap::fromImage(TiledBackground(picture)));
  body_.picture_name = name.toStdString();
  BodyEffects effects = PictureOptionChanged(body_, true);
  effects += UpdateRoleChecks(body_);
  ApplyBodyEffects(effects);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!FirstDroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
  if (!FirstDroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString path = FirstDroppedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Read once the drop is over, so the program the file came from is not
  // kept waiting by a message box.
  QMetaObject::invokeMethod(
      this, [this, path] { OpenPictureOrText(path); }, Qt::QueuedConnection);
}

}  // namespace tintara
