#ifndef TINTARA_PLATFORM_HELP_SYSTEM_H_
#define TINTARA_PLATFORM_HELP_SYSTEM_H_

#include <QDir>
#include <QString>
#include <QUrl>
#include <functional>

#include "platform/error_box.h"

namespace tintara {

// The program's help: its contents page and its keyword index, shown by the
// desktop's browser. With no help file set, both commands do nothing. A page
// that cannot be shown is reported in the error box.
class HelpSystem {
 public:
  using UrlOpener = std::function<bool(const QUrl&)>;

  HelpSystem();

  // The contents page; the keyword index lies beside it. Empty turns help off.
  void SetHelpFile(const QString& contents_path) { help_file_ = contents_path; }
  const QString& HelpFile() const { return help_file_; }

  void ShowContents() const;
  void ShowKeywordSearch() const;

  // Replace the desktop's browser and the standard error box, for tests.
  void SetUrlOpener(UrlOpener opener) { open_url_ = std::move(opener); }
  void SetErrorBox(ErrorBox error_box) { error_box_ = std::move(error_box); }

  // Where the help pages are: the installed copy, else the place in the
  // user's cache folder where the pages built into the program are written
  // out when help is first asked for.
  static QString FindHelpFile();

 private:
  void Open(const QString& file_name) const;
  static QString BuiltInHelpFile();
  // Writes the built-in pages that are missing or differ; false on failure.
  static bool WriteBuiltInPages(const QDir& folder);

  QString help_file_;
  UrlOpener open_url_;
  ErrorBox error_box_;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_HELP_SYSTEM_H_
