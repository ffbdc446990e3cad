// What a plug-in and the helper process hand back, on any bytes. With the
// first byte odd, the rest is a plug-in's two blocks (header with colour
// table, then pixel rows; the next two bytes say where they part): the
// checks must refuse exactly what breaks the rules, and the pixels must equal
// a plain decoding. With it even, the rest is read as the helper's messages
// and as a request: whatever parses must survive writing and reading again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "pictures/dib.h"
#include "pictures/plugin_messages.h"

namespace tintara {
namespace {

std::uint32_t Le(const unsigned char* p, int bytes) {
  std::uint32_t v = 0;
  for (int k = bytes - 1; k >= 0; --k) v = v << 8 | p[k];
  return v;
}

// The block a plug-in returned, copied to exactly its size: a read past the
// end of either one is a read past a heap block.
struct Block {
  std::unique_ptr<unsigned char[]> bytes;
  std::size_t size;
  Block(const std::uint8_t* data, std::size_t count)
      : bytes(new unsigned char[count]), size(count) {
    std::copy_n(data, count, bytes.get());
  }
};

struct Header {
  std::uint32_t size;
  std::int64_t width;
  std::int64_t signed_height;
  std::int64_t height;
  int bits;
  std::uint32_t compression;
  std::uint32_t colours_used;
};

Header ReadHeader(const unsigned char* p) {
  Header h;
  h.size = Le(p, 4);
  h.width = static_cast<std::int32_t>(Le(p + 4, 4));
  h.signed_height = static_cast<std::int32_t>(Le(p + 8, 4));
  h.height = h.signed_height < 0 ? -h.signed_height : h.signed_height;
  h.bits = static_cast<int>(Le(p + 14, 2));
  h.compression = Le(p + 16, 4);
  h.colours_used = Le(p + 32, 4);
  return h;
}

bool MasksGiven(const Header& h) { return h.compression == 3; }

// The rules a returned picture must keep, one by one.
bool KeepsTheRules(const Block& info, const Block& bits) {
  if (info.size < 40) return false;
  const Header h = ReadHeader(info.bytes.get());
  if (h.size < 40 || h.size > info.size) return false;
  if (h.width < 1 || h.width > 32768 || h.height < 1 || h.height > 32768) return false;
  if (h.width * h.height > 64 * 1024 * 1024) return false;
  const int depths[] = {1, 4, 8, 16, 24, 32};
  if (std::find(std::begin(depths), std::end(depths), h.bits) == std::end(depths)) return false;
  if (h.compression != 0 && !(MasksGiven(h) && (h.bits == 16 || h.bits == 32))) return false;
  if (MasksGiven(h) && info.size < 52) return false;
  if (h.bits <= 8) {
    const std::uint64_t table = h.colours_used == 0 ? 1u << h.bits : h.colours_used;
    if (table > (1u << h.bits)) return false;
    if (h.size + 4 * table > info.size) return false;
  }
  const std::uint64_t row_bytes = (static_cast<std::uint64_t>(h.width) * h.bits + 31) / 32 * 4;
  return row_bytes * static_cast<std::uint64_t>(h.height) <= bits.size;
}

// 0..255 from the bits under a mask, rounded.
std::uint32_t Scaled(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int low = 0;
  while (((mask >> low) & 1u) == 0) ++low;
  const std::uint64_t top = mask >> low;
  const std::uint64_t value = (pixel & mask) >> low;
  return static_cast<std::uint32_t>((value * 255 + top / 2) / top);
}

// Pixel (x, y), top row first, read straight from the blocks.
std::uint32_t PlainPixel(const Block& info, const Block& bits, const Header& h, bool alpha,
                         std::int64_t x, std::int64_t y) {
  const std::uint64_t row_bytes = (static_cast<std::uint64_t>(h.width) * h.bits + 31) / 32 * 4;
  const std::int64_t row = h.signed_height > 0 ? h.height - 1 - y : y;
  const unsigned char* line = bits.bytes.get() + row * row_bytes;
  if (h.bits <= 8) {
    const std::uint64_t bit = static_cast<std::uint64_t>(x) * h.bits;
    const unsigned index = (line[bit / 8] >> (8 - h.bits - bit % 8)) & ((1u << h.bits) - 1);
    const std::uint32_t table = h.colours_used == 0 ? 1u << h.bits : h.colours_used;
    if (index >= table) return 0xFF000000u;
    const unsigned char* entry = info.bytes.get() + h.size + 4 * index;
    return 0xFF000000u | entry[2] << 16 | entry[1] << 8 | entry[0];
  }
  if (h.bits == 24) {
    const unsigned char* p = line + 3 * x;
    return 0xFF000000u | p[2] << 16 | p[1] << 8 | p[0];
  }
  const unsigned char* p = line + (h.bits / 8) * x;
  const std::uint32_t value = Le(p, h.bits / 8);
  std::uint32_t masks[3];
  if (MasksGiven(h)) {
    for (int k = 0; k < 3; ++k) masks[k] = Le(info.bytes.get() + 40 + 4 * k, 4);
  } else if (h.bits == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  } else {
    return (alpha ? p[3] << 24 : 0xFF000000u) | p[2] << 16 | p[1] << 8 | p[0];
  }
  return 0xFF000000u | Scaled(value, masks[0]) << 16 | Scaled(value, masks[1]) << 8 |
         Scaled(value, masks[2]);
}

void FuzzPicture(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return;
  const std::size_t split = std::min<std::size_t>(Le(data, 2), size - 2);
  const Block info(data + 2, split);
  const Block bits(data + 2 + split, size - 2 - split);
  const DibResult result = DecodeDib(info.bytes.get(), info.size, bits.bytes.get(), bits.size);
  FUZZ_CHECK(result.ok == KeepsTheRules(info, bits));
  FUZZ_CHECK(result.ok == result.error.empty());
  if (!result.ok) return;

  const Header h = ReadHeader(info.bytes.get());
  const DibPicture& picture = result.picture;
  FUZZ_CHECK(picture.width == h.width && picture.height == h.height);
  FUZZ_CHECK(picture.pixels.size() == static_cast<std::size_t>(h.width * h.height));
  // 32-bit rows without masks carry alpha, unless every alpha byte is 0.
  bool alpha = false;
  if (h.bits == 32 && !MasksGiven(h)) {
    for (std::int64_t y = 0; y < h.height && !alpha; ++y) {
      for (std::int64_t x = 0; x < h.width && !alpha; ++x) {
        alpha = (PlainPixel(info, bits, h, true, x, y) >> 24) != 0;
      }
    }
  }
  for (std::int64_t y = 0; y < h.height; ++y) {
    for (std::int64_t x = 0; x < h.width; ++x) {
      FUZZ_CHECK(picture.pixels[static_cast<std::size_t>(y * h.width + x)] ==
                 PlainPixel(info, bits, h, alpha, x, y));
    }
  }
}

bool SameMessage(const PluginMessage& a, const PluginMessage& b) {
  return a.kind == b.kind && a.index == b.index && a.done == b.done && a.total == b.total &&
         a.info.loaded == b.info.loaded && a.info.exports == b.info.exports &&
         a.info.api_version == b.info.api_version && a.info.name == b.info.name &&
         a.info.format_name == b.info.format_name && a.info.pattern == b.info.pattern &&
         a.picture.width == b.picture.width && a.picture.height == b.picture.height &&
         a.picture.pixels == b.picture.pixels;
}

// The messages one after another, as the window reads the helper's answer.
void FuzzMessages(std::string_view bytes) {
  std::size_t at = 0;
  for (;;) {
    PluginMessage message;
    const std::ptrdiff_t used = ParseMessage(bytes.substr(at), message);
    FUZZ_CHECK(used >= -1 && used <= static_cast<std::ptrdiff_t>(bytes.size() - at));
    if (used <= 0) break;
    if (message.kind == PluginMessage::Kind::kPicture) {
      const DibPicture& picture = message.picture;
      FUZZ_CHECK(picture.width >= 1 && picture.width <= kMaxDibSide);
      FUZZ_CHECK(picture.height >= 1 && picture.height <= kMaxDibSide);
      FUZZ_CHECK(picture.pixels.size() == static_cast<std::size_t>(picture.width) *
                                              static_cast<std::size_t>(picture.height));
    }
    if (message.kind == PluginMessage::Kind::kInfo) {
      for (const std::string* text : {&message.info.api_version, &message.info.name,
                                      &message.info.format_name, &message.info.pattern}) {
        FUZZ_CHECK(text->size() <= kPluginInfoTextMax);
      }
    }
    // Cut short, the message is not complete yet.
    PluginMessage partial;
    FUZZ_CHECK(ParseMessage(bytes.substr(at, static_cast<std::size_t>(used) - 1), partial) == 0);
    // Written again, it reads the same.
    const std::string again = EncodeMessage(message);
    PluginMessage reread;
    FUZZ_CHECK(ParseMessage(again, reread) == static_cast<std::ptrdiff_t>(again.size()));
    FUZZ_CHECK(SameMessage(message, reread));
    at += static_cast<std::size_t>(used);
  }
}

void FuzzRequest(std::string_view bytes) {
  const std::optional<PluginRequest> request = ParseRequest(bytes);
  if (!request) return;
  // Every byte of a request means something, so it writes back as it was.
  FUZZ_CHECK(EncodeRequest(*request) == bytes);
}

}  // namespace
}  // namespace tintara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tintara;
  if (size < 1) return 0;
  if (data[0] & 1u) {
    FuzzPicture(data + 1, size - 1);
  } else {
    const Block rest(data + 1, size - 1);
    const std::string_view bytes(reinterpret_cast<const char*>(rest.bytes.get()), rest.size);
    FuzzMessages(bytes);
    FuzzRequest(bytes);
  }
  return 0;
}
