#include "platform/help_system.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tintara {
namespace {

constexpr char kInstalledHelp[] = "tintara/help/index.html";
constexpr char kContentsFile[] = "index.html";
constexpr char kKeywordsFile[] = "keywords.html";
constexpr const char* kBuiltInPages[] = {"index.html", "keywords.html", "help.css"};

}  // namespace

HelpSystem::HelpSystem()
    : open_url_([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      error_box_(StandardErrorBox()) {}

void HelpSystem::ShowContents() const { Open(kContentsFile); }

void HelpSystem::ShowKeywordSearch() const { Open(kKeywordsFile); }

void HelpSystem::Open(const QString& file_name) const {
  if (help_file_.isEmpty()) return;
  const QDir folder = QFileInfo(help_file_).dir();
  // The built-in pages are written out only now, when they are wanted.
  if (help_file_ == BuiltInHelpFile() && !WriteBuiltInPages(folder)) {
    error_box_(QString::fromUtf8("ヘルプのページを「%1」に書き出せません．")
                   .arg(QDir::toNativeSeparators(folder.path())));
    return;
  }
  // A missing page is the browser's to report, as any broken link would be.
  // Without a launcher (xdg-open, from xdg-utils) nothing would show at all.
  const QString page = folder.filePath(file_name);
  if (!open_url_(QUrl::fromLocalFile(page))) {
    error_box_(QString::fromUtf8("ヘルプ「%1」を開けません．ページを開くプログラム(xdg-open)が"
                                 "見つかりません．xdg-utils を入れてください．")
                   .arg(QDir::toNativeSeparators(page)));
  }
}

QString HelpSystem::BuiltInHelpFile() {
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  if (cache.isEmpty()) return {};
  return cache + "/help/" + kContentsFile;
}

bool HelpSystem::WriteBuiltInPages(const QDir& folder) {
  if (!folder.mkpath(".")) return false;
  for (const char* name : kBuiltInPages) {
    QFile page(QStringLiteral(":/help/") + name);
    if (!page.open(QIODevice::ReadOnly)) return false;
    const QByteArray built_in = page.readAll();
    QFile copy(folder.filePath(name));
    // Written only when missing or from another version of the program.
    if (copy.open(QIODevice::ReadOnly) && copy.readAll() == built_in) continue;
    copy.close();
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        copy.write(built_in) != built_in.size()) {
      return false;
    }
  }
  return true;
}

QString HelpSystem::FindHelpFile() {
  const QString installed =
      QStandardPaths::locate(QStandardPaths::GenericDataLocation, kInstalledHelp);
  if (!installed.isEmpty()) return installed;
  return BuiltInHelpFile();
}

}  // namespace tintara
