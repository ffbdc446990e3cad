#include "pictures/plugin_messages.h"

namespace tintara {
namespace {

constexpr std::size_t kMaxPaths = 4096;
constexpr std::size_t kMaxPathBytes = 4096;

void PutU32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFFu);
}
void PutU64(std::string& out, std::uint64_t v) {
  for (int k = 0; k < 8; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFFu);
}
void PutText(std::string& out, std::string_view text) {
  PutU32(out, static_cast<std::uint32_t>(text.size()));
  out += text;
}

// Reads from the front of a byte run; every read fails once one has.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool Ok() const { return ok_; }
  std::size_t Used() const { return at_; }
  std::size_t Left() const { return bytes_.size() - at_; }

  std::uint64_t Int(int width) {
    if (!ok_ || Left() < static_cast<std::size_t>(width)) return ok_ = false, 0;
    std::uint64_t v = 0;
    for (int k = 0; k < width; ++k) {
      v |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[at_ + k])) << (8 * k);
    }
    at_ += static_cast<std::size_t>(width);
    return v;
  }
  std::string_view Bytes(std::uint64_t count) {
    if (!ok_ || Left() < count) return ok_ = false, std::string_view();
    const std::string_view run = bytes_.substr(at_, static_cast<std::size_t>(count));
    at_ += static_cast<std::size_t>(count);
    return run;
  }
  // A text of at most `longest` bytes; a longer one is malformed, not short.
  bool Text(std::size_t longest, std::string& text, bool& malformed) {
    const std::uint64_t length = Int(4);
    if (!ok_) return false;
    if (length > longest) return malformed = true, false;
    const std::string_view run = Bytes(length);
    if (!ok_) return false;
    text.assign(run);
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

std::string EncodeRequest(const PluginRequest& request) {
  std::string out(1, static_cast<char>(request.kind));
  PutU32(out, static_cast<std::uint32_t>(request.paths.size()));
  for (const std::string& path : request.paths) PutText(out, path);
  PutU64(out, request.data.size());
  out += request.data;
  return out;
}

std::optional<PluginRequest> ParseRequest(std::string_view bytes) {
  Reader reader(bytes);
  PluginRequest request;
  const auto kind = static_cast<char>(reader.Int(1));
  if (kind != 'I' && kind != 'D') return std::nullopt;
  request.kind = static_cast<PluginRequest::Kind>(kind);
  const std::uint64_t count = reader.Int(4);
  if (!reader.Ok() || count > kMaxPaths) return std::nullopt;
  bool malformed = false;
  for (std::uint64_t i = 0; i < count; ++i) {
    std::string path;
    if (!reader.Text(kMaxPathBytes, path, malformed)) return std::nullopt;
    request.paths.push_back(std::move(path));
  }
  const std::uint64_t size = reader.Int(8);
  const std::string_view data = reader.Bytes(size);
  if (!reader.Ok() || reader.Left() != 0) return std::nullopt;
  request.data.assign(data);
  return request;
}

std::string EncodeMessage(const PluginMessage& message) {
  std::string out(1, static_cast<char>(message.kind));
  switch (message.kind) {
    case PluginMessage::Kind::kTrying:
      PutU32(out, message.index);
      break;
    case PluginMessage::Kind::kInfo:
      out += static_cast<char>(message.info.loaded ? 1 : 0);
      out += static_cast<char>(message.info.exports);
      PutText(out, message.info.api_version);
      PutText(out, message.info.name);
      PutText(out, message.info.format_name);
      PutText(out, message.info.pattern);
      break;
    case PluginMessage::Kind::kProgress:
      PutU32(out, static_cast<std::uint32_t>(message.done));
      PutU32(out, static_cast<std::uint32_t>(message.total));
      break;
    case PluginMessage::Kind::kPicture:
      PutU32(out, static_cast<std::uint32_t>(message.picture.width));
      PutU32(out, static_cast<std::uint32_t>(message.picture.height));
      for (std::uint32_t pixel : message.picture.pixels) PutU32(out, pixel);
      break;
    case PluginMessage::Kind::kNotDecoded:
    case PluginMessage::Kind::kDone:
      break;
  }
  return out;
}

std::ptrdiff_t ParseMessage(std::string_view bytes, PluginMessage& message) {
  if (bytes.empty()) return 0;
  Reader reader(bytes);
  message = PluginMessage();
  const char kind = static_cast<char>(reader.Int(1));
  bool malformed = false;
  switch (kind) {
    case 'T':
      message.index = static_cast<std::uint32_t>(reader.Int(4));
      break;
    case 'N':
      message.info.loaded = reader.Int(1) != 0;
      message.info.exports = static_cast<std::uint8_t>(reader.Int(1));
      for (std::string* text : {&message.info.api_version, &message.info.name,
                                &message.info.format_name, &message.info.pattern}) {
        if (!reader.Text(kPluginInfoTextMax, *text, malformed)) break;
      }
      break;
    case 'P':
      message.done = static_cast<std::int32_t>(reader.Int(4));
      message.total = static_cast<std::int32_t>(reader.Int(4));
      break;
    case 'B': {
      const std::uint64_t width = reader.Int(4);
      const std::uint64_t height = reader.Int(4);
      if (!reader.Ok()) break;
      if (width == 0 || height == 0 || width > kMaxDibSide || height > kMaxDibSide ||
          width * height > static_cast<std::uint64_t>(kMaxDibPixels)) {
        return -1;
      }
      const std::string_view run = reader.Bytes(width * height * 4);
      if (!reader.Ok()) break;
      message.picture.width = static_cast<int>(width);
      message.picture.height = static_cast<int>(height);
      message.picture.pixels.resize(static_cast<std::size_t>(width * height));
      for (std::size_t i = 0; i < message.picture.pixels.size(); ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(run.data() + 4 * i);
        message.picture.pixels[i] =
            static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
            static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
      }
      break;
    }
    case 'F':
    case 'E':
      break;
    default:
      return -1;
  }
  if (malformed) return -1;
  if (!reader.Ok()) return 0;
  message.kind = static_cast<PluginMessage::Kind>(kind);
  return static_cast<std::ptrdiff_t>(reader.Used());
}

}  // namespace tintara
