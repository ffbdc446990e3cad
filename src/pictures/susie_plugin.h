#ifndef TINTARA_PICTURES_SUSIE_PLUGIN_H_
#define TINTARA_PICTURES_SUSIE_PLUGIN_H_

#include <QImage>
#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pictures/plugin_messages.h"

class QBuffer;

// The picture plug-in host: finds the plug-ins of a folder, builds the open
// dialog's filter from what they say of themselves, and decodes a file
// through the first that takes it. Every call into a plug-in runs in the
// helper process tintara-spi-host; a plug-in that crashes, hangs or answers
// nonsense there counts as one that did not decode, and the next is tried;
// one that crashed or hung is passed over from then on.
namespace tintara {

// One plug-in kept by LoadPlugIns.
struct SusiePlugInEntry {
  QString path;             // the library file
  std::string api_version;  // "00IN"
  std::string name;
  std::string pattern;  // upper case: "*.JPG;*.JPEG"
  std::string format_name;
  std::uint8_t exports = 0;  // PluginExport bits
};

class TSusiePlugIn {
 public:
  TSusiePlugIn();
  virtual ~TSusiePlugIn();
  TSusiePlugIn(const TSusiePlugIn&) = delete;
  TSusiePlugIn& operator=(const TSusiePlugIn&) = delete;

  // Never set by the program: the folder is always given.
  bool AutoSusie = false;
  // Progress of a decode, as the plug-in reports it (done, total).
  std::function<void(TSusiePlugIn* sender, int done, int total)> OnWorking;
  // A wait on the helper begins (true) or ends (false). The wait runs the
  // event loop; the window shows it is busy and takes no command meanwhile.
  std::function<void(TSusiePlugIn* sender, bool busy)> OnBusy;

  // Loads the plug-ins matching `mask` (a folder followed by "*.SPI"; any
  // letter case matches) in the order the folder lists them; returns how
  // many this call kept.
  virtual int LoadPlugIns(const QString& mask);
  virtual void UnloadPlugIns();
  // The entry at `index`, or null outside the list.
  virtual const SusiePlugInEntry* PlugInAt(int index) const;
  // True when a plug-in decoded the file into `bitmap`. A file that cannot
  // be read throws PictureReadError.
  virtual bool DecodeFile(const QString& file_name, QImage* bitmap);
  virtual bool DecodeMemory(const char* data, std::int64_t count, QImage* bitmap);
  virtual bool DecodeStream(QBuffer& stream, std::int64_t count, QImage* bitmap);

  // Gives up the operation under way: the helper is ended, and the rest of
  // the operation, up to the next LoadPlugIns, loads and decodes nothing.
  void Cancel();
  // True from a Cancel up to the next LoadPlugIns.
  bool Cancelled() const { return cancelled_; }

  int Count() const { return static_cast<int>(plug_ins_.size()); }
  // Description|pattern| pairs for the open dialog.
  const std::string& FilterText() const { return filter_text_; }

  // How long one call into a plug-in may take.
  void SetCallTimeout(int milliseconds) { call_timeout_ms_ = milliseconds; }
  static QString DefaultHelperProgram();
  // The program's own plug-in folder, with a trailing separator: beside the
  // program in the build tree, the installed one otherwise.
  static QString OwnPlugInFolder();

 private:
  struct Answer {
    std::vector<PluginMessage> messages;
    bool finished = false;  // the helper answered the whole request
    int last_tried = -1;    // the index of the last plug-in called
  };
  // Runs the helper on one request. `on_message` sees each message as it
  // comes; the answer stops short where the helper died or hung.
  Answer Ask(const PluginRequest& request,
             const std::function<bool(const PluginMessage&)>& on_message);

  // A plug-in the helper was ended on (a crash, a hang) is not asked again.
  void PassOver(const QString& path);

  std::vector<SusiePlugInEntry> plug_ins_;
  QSet<QString> passed_over_;
  bool cancelled_ = false;
  std::function<void()> give_up_wait_;
  std::string filter_text_;
  QString helper_;
  int call_timeout_ms_ = 10000;
};

struct PictureReadError {
  QString path;
};

}  // namespace tintara

#endif  // TINTARA_PICTURES_SUSIE_PLUGIN_H_
