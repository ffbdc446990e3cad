// tintara-spi-host: calls picture plug-ins on the window's behalf, so that a
// plug-in that crashes, hangs or scribbles over memory takes only this
// process with it. It reads one request from standard input, answers on
// standard output and exits.
#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pictures/dib.h"
#include "pictures/plugin_messages.h"
#include "tintara/image_plugin.h"

namespace tintara {
namespace {

using GetPluginInfoFn = decltype(&::GetPluginInfo);
using IsSupportedFn = decltype(&::IsSupported);
using GetPictureFn = decltype(&::GetPicture);

// The protocol's own descriptors. Standard output and input are pointed
// elsewhere, so a plug-in that prints cannot garble the answer.
int answer_fd = -1;

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + at, bytes.size() - at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += static_cast<std::size_t>(n);
  }
  return true;
}

void Send(const PluginMessage& message) {
  if (!WriteAll(answer_fd, EncodeMessage(message))) _exit(3);
}

void Send(PluginMessage::Kind kind, std::uint32_t index = 0) {
  PluginMessage message;
  message.kind = kind;
  message.index = index;
  Send(message);
}

std::string ReadAll(int fd) {
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

// A name without a folder would send the loader through the system's
// library search path; the plug-in folder is the only place looked in.
void* Open(const std::string& path) {
  const std::string name = path.find('/') == std::string::npos ? "./" + path : path;
  return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

std::string InfoText(GetPluginInfoFn get_info, int item) {
  char buffer[kPluginInfoTextMax + 1] = {};
  get_info(item, buffer, static_cast<std::int32_t>(kPluginInfoTextMax));
  buffer[kPluginInfoTextMax] = '\0';
  return buffer;
}

void Describe(const std::vector<std::string>& paths) {
  for (std::size_t k = 0; k < paths.size(); ++k) {
    Send(PluginMessage::Kind::kTrying, static_cast<std::uint32_t>(k));
    PluginMessage message;
    message.kind = PluginMessage::Kind::kInfo;
    void* library = Open(paths[k]);
    message.info.loaded = library != nullptr;
    if (library != nullptr) {
      auto* get_info = reinterpret_cast<GetPluginInfoFn>(dlsym(library, "GetPluginInfo"));
      const struct {
        const char* name;
        PluginExport bit;
      } kExports[] = {{"GetPluginInfo", kExportGetPluginInfo},
                      {"GetPictureInfo", kExportGetPictureInfo},
                      {"IsSupported", kExportIsSupported},
                      {"GetPicture", kExportGetPicture},
                      {"GetPrevoew", kExportGetPreview}};
      for (const auto& [name, bit] : kExports) {
        if (dlsym(library, name) != nullptr) message.info.exports |= bit;
      }
      if (get_info != nullptr) {
        // Items in the order 0, 1, 3, 2.
        message.info.api_version = InfoText(get_info, TINTARA_SPI_INFO_API_VERSION);
        message.info.name = InfoText(get_info, TINTARA_SPI_INFO_NAME);
        message.info.format_name = InfoText(get_info, TINTARA_SPI_INFO_FORMAT);
        message.info.pattern = InfoText(get_info, TINTARA_SPI_INFO_PATTERN);
      }
      dlclose(library);
    }
    Send(message);
  }
}

std::int32_t TINTARA_SPI_CALL Progress(std::int32_t done, std::int32_t total, intptr_t) {
  PluginMessage message;
  message.kind = PluginMessage::Kind::kProgress;
  message.done = done;
  message.total = total;
  Send(message);
  return 0;
}

// Tries each plug-in in turn; the first that decodes the data answers.
void Decode(const std::vector<std::string>& paths, const std::string& data) {
  // IsSupported may read a whole header's worth, past the end of a short
  // file: those bytes are zero.
  std::vector<char> bytes(std::max<std::size_t>(data.size(), TINTARA_SPI_HEADER_BYTES), '\0');
  std::memcpy(bytes.data(), data.data(), data.size());
  for (std::size_t k = 0; k < paths.size(); ++k) {
    Send(PluginMessage::Kind::kTrying, static_cast<std::uint32_t>(k));
    void* library = Open(paths[k]);
    if (library == nullptr) {
      Send(PluginMessage::Kind::kNotDecoded);
      continue;
    }
    auto* is_supported = reinterpret_cast<IsSupportedFn>(dlsym(library, "IsSupported"));
    auto* get_picture = reinterpret_cast<GetPictureFn>(dlsym(library, "GetPicture"));
    void* info = nullptr;
    void* bits = nullptr;
    const bool answered =
        is_supported != nullptr && get_picture != nullptr &&
        is_supported(nullptr, bytes.data()) != 0 &&
        get_picture(bytes.data(), static_cast<std::int64_t>(data.size()), TINTARA_SPI_INPUT_MEMORY,
                    &info, &bits, &Progress, 0) == TINTARA_SPI_OK;
    DibResult picture;
    if (answered && info != nullptr && bits != nullptr) {
      // The blocks are the plug-in's malloc()s: what is readable of them is
      // what the allocator says it gave.
      picture = DecodeDib(info, malloc_usable_size(info), bits, malloc_usable_size(bits));
    }
    if (answered) {
      std::free(info);
      std::free(bits);
    }
    dlclose(library);
    if (!picture.ok) {
      Send(PluginMessage::Kind::kNotDecoded);
      continue;
    }
    PluginMessage message;
    message.kind = PluginMessage::Kind::kPicture;
    message.picture = std::move(picture.picture);
    Send(message);
    return;
  }
}

int Run() {
  const int request_fd = dup(STDIN_FILENO);
  answer_fd = dup(STDOUT_FILENO);
  const int nowhere = open("/dev/null", O_RDWR);
  if (request_fd < 0 || answer_fd < 0 || nowhere < 0) return 2;
  dup2(nowhere, STDIN_FILENO);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  close(nowhere);

  const std::optional<PluginRequest> request = ParseRequest(ReadAll(request_fd));
  if (!request) return 2;
  if (request->kind == PluginRequest::Kind::kInfo) {
    Describe(request->paths);
  } else {
    Decode(request->paths, request->data);
  }
  Send(PluginMessage::Kind::kDone);
  return 0;
}

}  // namespace
}  // namespace tintara

int main() { return tintara::Run(); }
