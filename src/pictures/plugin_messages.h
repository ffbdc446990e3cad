#ifndef TINTARA_PICTURES_PLUGIN_MESSAGES_H_
#define TINTARA_PICTURES_PLUGIN_MESSAGES_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/dib.h"

// What the window's process and the plug-in helper process say to each
// other through the helper's standard input and output. The window sends one
// request and closes the pipe; the helper answers with a run of messages and
// exits. Every integer is little-endian. Both sides check what they read:
// the helper's answers come from plug-ins, which may have damaged it.
namespace tintara {

// The exports a plug-in has, as bits of PluginInfoRecord::exports.
enum PluginExport : std::uint8_t {
  kExportGetPluginInfo = 1,
  kExportGetPictureInfo = 2,
  kExportIsSupported = 4,
  kExportGetPicture = 8,
  kExportGetPreview = 16,
};

// Texts a plug-in describes itself with are at most this long.
inline constexpr std::size_t kPluginInfoTextMax = 255;

struct PluginRequest {
  enum class Kind : char { kInfo = 'I', kDecode = 'D' };
  Kind kind = Kind::kInfo;
  std::vector<std::string> paths;
  std::string data;  // the file's bytes, for a decode
};

std::string EncodeRequest(const PluginRequest& request);
// A whole request, or nothing when the bytes are not one.
std::optional<PluginRequest> ParseRequest(std::string_view bytes);

// What GetPluginInfo told about one library.
struct PluginInfoRecord {
  bool loaded = false;  // the library loaded
  std::uint8_t exports = 0;
  std::string api_version;
  std::string name;
  std::string format_name;
  std::string pattern;
};

struct PluginMessage {
  enum class Kind : char {
    kTrying = 'T',      // index: the plug-in now called
    kInfo = 'N',        // info: about the plug-in last tried
    kProgress = 'P',    // done, total
    kNotDecoded = 'F',  // the plug-in last tried did not decode the data
    kPicture = 'B',     // picture: the plug-in last tried decoded it
    kDone = 'E',        // the request is answered
  };
  Kind kind = Kind::kDone;
  std::uint32_t index = 0;
  std::int32_t done = 0;
  std::int32_t total = 0;
  PluginInfoRecord info;
  DibPicture picture;
};

std::string EncodeMessage(const PluginMessage& message);

// Reads the message at the front of `bytes`: how many bytes it took, 0 when
// the message is not complete yet, -1 when the bytes are not a message.
std::ptrdiff_t ParseMessage(std::string_view bytes, PluginMessage& message);

}  // namespace tintara

#endif  // TINTARA_PICTURES_PLUGIN_MESSAGES_H_
