#include "pictures/dib.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tintara {
namespace {

constexpr std::size_t kHeaderBytes = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRunLength8 = 1;
constexpr std::uint32_t kRunLength4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kCoreHeaderBytes = 12;

std::uint32_t U32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::int32_t I32(const unsigned char* p) {
  const std::uint32_t u = U32(p);
  std::int32_t i;
  std::memcpy(&i, &u, sizeof i);
  return i;
}
std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

DibResult Refuse(std::string why) {
  DibResult result;
  result.error = std::move(why);
  return result;
}

// One channel of a bit-field pixel, scaled to 0..255.
struct Channel {
  int shift = 0;
  std::uint32_t max = 0;  // the mask moved down to bit 0

  explicit Channel(std::uint32_t mask) {
    if (mask == 0) return;
    while ((mask & 1u) == 0) {
      mask >>= 1;
      ++shift;
    }
    max = mask;
  }
  std::uint32_t Of(std::uint32_t pixel) const {
    if (max == 0) return 0;
    const std::uint64_t v = (pixel >> shift) & max;
    return static_cast<std::uint32_t>((v * 255 + max / 2) / max);
  }
};

std::uint32_t Argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

// Run-length rows, bottom row first, into `picture` (all see-through at the
// start). What the stream jumps over or leaves after its end mark stays
// see-through: the file gives no colour there. A stream that runs out before
// it has given every row is a cut file, and false.
bool ReadRunLength(const unsigned char* bits, std::size_t size, int bit_count,
                   const std::vector<std::uint32_t>& palette, DibPicture& picture) {
  const std::int64_t width = picture.width;
  const std::int64_t height = picture.height;
  std::int64_t x = 0;
  std::int64_t y = 0;  // from the bottom
  const auto put = [&](unsigned index) {
    if (x < width && y < height) {
      picture.pixels[static_cast<std::size_t>((height - 1 - y) * width + x)] = palette[index];
    }
    ++x;
  };
  // Index k of a literal run: a byte each at 8 bits, two per byte (high
  // first) at 4.
  const auto index_of = [bit_count](const unsigned char* run, unsigned k) -> unsigned {
    if (bit_count == 8) return run[k];
    return k % 2 == 0 ? run[k / 2] >> 4 : run[k / 2] & 0x0Fu;
  };
  std::size_t at = 0;
  while (y < height) {
    // The last row may end with the stream and no mark after it.
    if (size - at < 2) return y == height - 1 && x >= width;
    const unsigned count = bits[at];
    const unsigned code = bits[at + 1];
    at += 2;
    if (count > 0) {  // `count` times `code`: one index, or two taking turns
      for (unsigned k = 0; k < count; ++k) {
        put(bit_count == 8 ? code : (k % 2 == 0 ? code >> 4 : code & 0x0Fu));
      }
    } else if (code == 0) {  // end of the row
      x = 0;
      ++y;
    } else if (code == 1) {  // end of the picture
      return true;
    } else if (code == 2) {  // a jump right and up
      if (size - at < 2) return false;
      x += bits[at];
      y += bits[at + 1];
      at += 2;
    } else {  // `code` indices as they are, padded to an even count of bytes
      const std::size_t bytes = bit_count == 8 ? code : (code + 1) / 2;
      const std::size_t padded = (bytes + 1) / 2 * 2;
      if (size - at < padded) return false;
      for (unsigned k = 0; k < code; ++k) put(index_of(bits + at, k));
      at += padded;
    }
  }
  return true;
}

}  // namespace

DibResult DecodeBitmapFile(const void* file, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(file);
  if (bytes == nullptr || size < kFileHeaderBytes + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
    return Refuse("not a bitmap file");
  }
  const std::uint64_t rows_at = U32(bytes + 10);
  const std::uint64_t header_size = U32(bytes + kFileHeaderBytes);
  // The rows lie after the header and inside the file; a file cut short
  // anywhere before its rows ends before them.
  if (rows_at < kFileHeaderBytes + header_size || rows_at > size) {
    return Refuse("rows outside the file");
  }
  const unsigned char* info = bytes + kFileHeaderBytes;
  std::size_t info_size = rows_at - kFileHeaderBytes;
  std::vector<unsigned char> widened;
  if (header_size == kCoreHeaderBytes) {
    // The old header: 16-bit sides and three-byte colour entries, the table
    // always full. Widened to the header the rest of the reading knows.
    const int bit_count = U16(info + 10);
    const std::size_t entries = bit_count <= 8 ? std::size_t{1} << bit_count : 0;
    if ((info_size - kCoreHeaderBytes) / 3 < entries) return Refuse("colour table cut short");
    widened.assign(kHeaderBytes + 4 * entries, 0);
    widened[0] = kHeaderBytes;
    std::memcpy(&widened[4], info + 4, 2);
    std::memcpy(&widened[8], info + 6, 2);
    std::memcpy(&widened[12], info + 8, 4);  // planes and bit count
    for (std::size_t i = 0; i < entries; ++i) {
      std::memcpy(&widened[kHeaderBytes + 4 * i], info + kCoreHeaderBytes + 3 * i, 3);
    }
    info = widened.data();
    info_size = widened.size();
  }
  return DecodeDib(info, info_size, bytes + rows_at, size - rows_at);
}

DibResult DecodeDib(const void* info_block, std::size_t info_size, const void* bits_block,
                    std::size_t bits_size) {
  if (info_block == nullptr || bits_block == nullptr) return Refuse("no blocks");
  if (info_size < kHeaderBytes) return Refuse("header block too small");
  const auto* info = static_cast<const unsigned char*>(info_block);
  const auto* bits = static_cast<const unsigned char*>(bits_block);

  const std::uint32_t header_size = U32(info);
  const std::int64_t width = I32(info + 4);
  const std::int64_t signed_height = I32(info + 8);
  const int bit_count = U16(info + 14);
  const std::uint32_t compression = U32(info + 16);
  const std::uint32_t colours_used = U32(info + 32);

  if (header_size < kHeaderBytes || header_size > info_size) return Refuse("header size");
  const std::int64_t height = signed_height < 0 ? -signed_height : signed_height;
  if (width <= 0 || height == 0) return Refuse("empty picture");
  if (width > kMaxDibSide || height > kMaxDibSide || width * height > kMaxDibPixels) {
    return Refuse("picture too large");
  }
  if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 16 && bit_count != 24 &&
      bit_count != 32) {
    return Refuse("bit depth");
  }
  const bool bit_fields = compression == kBitFields;
  const bool run_length = (compression == kRunLength8 && bit_count == 8) ||
                          (compression == kRunLength4 && bit_count == 4);
  if (compression != kRgb && !run_length && !(bit_fields && (bit_count == 16 || bit_count == 32))) {
    return Refuse("compression");
  }
  if (run_length && signed_height < 0) return Refuse("run-length rows stored top first");

  // The three masks follow a 40-byte header; a longer header holds them.
  std::size_t table_at = header_size;
  std::array<std::uint32_t, 3> masks{};
  if (bit_fields) {
    if (header_size == kHeaderBytes) table_at += 12;
    if (kHeaderBytes + 12 > info_size) return Refuse("bit-field masks");
    for (int k = 0; k < 3; ++k) masks[k] = U32(info + kHeaderBytes + 4 * k);
  } else if (bit_count == 16) {
    masks = {0x7C00u, 0x03E0u, 0x001Fu};
  } else if (bit_count == 32) {
    masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
  }

  std::vector<std::uint32_t> palette;
  if (bit_count <= 8) {
    const std::uint32_t most = 1u << bit_count;
    const std::uint32_t entries = colours_used == 0 ? most : colours_used;
    if (entries > most) return Refuse("colour table size");
    if (table_at > info_size || (info_size - table_at) / 4 < entries) {
      return Refuse("colour table past the header block");
    }
    palette.resize(most, Argb(0xFF, 0, 0, 0));
    for (std::uint32_t i = 0; i < entries; ++i) {
      const unsigned char* q = info + table_at + 4 * i;
      palette[i] = Argb(0xFF, q[2], q[1], q[0]);
    }
  }

  const std::int64_t stride = (width * bit_count + 31) / 32 * 4;
  if (!run_length && static_cast<std::uint64_t>(stride * height) > bits_size) {
    return Refuse("rows past the block");
  }

  DibResult result;
  DibPicture& picture = result.picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(static_cast<std::size_t>(width * height));
  if (run_length) {
    if (!ReadRunLength(bits, bits_size, bit_count, palette, picture)) {
      return Refuse("run-length rows past the block");
    }
    result.ok = true;
    return result;
  }
  result.ok = true;
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

  // A 32-bit picture whose alpha bytes are all 0 is opaque.
  bool has_alpha = false;
  if (bit_count == 32 && !bit_fields) {
    for (std::int64_t y = 0; y < height && !has_alpha; ++y) {
      const unsigned char* row = bits + y * stride;
      for (std::int64_t x = 0; x < width; ++x) {
        if (row[4 * x + 3] != 0) {
          has_alpha = true;
          break;
        }
      }
    }
  }

  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t source_row = signed_height > 0 ? height - 1 - y : y;
    const unsigned char* row = bits + source_row * stride;
    std::uint32_t* out = picture.pixels.data() + y * width;
    for (std::int64_t x = 0; x < width; ++x) {
      switch (bit_count) {
        case 1:
          out[x] = palette[(row[x / 8] >> (7 - x % 8)) & 1u];
          break;
        case 4:
          out[x] = palette[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0Fu];
          break;
        case 8:
          out[x] = palette[row[x]];
          break;
        case 16: {
          const std::uint32_t v = U16(row + 2 * x);
          out[x] = Argb(0xFF, red.Of(v), green.Of(v), blue.Of(v));
          break;
        }
        case 24:
          out[x] = Argb(0xFF, row[3 * x + 2], row[3 * x + 1], row[3 * x]);
          break;
        default: {
          const unsigned char* p = row + 4 * x;
          if (bit_fields) {
            const std::uint32_t v = U32(p);
            out[x] = Argb(0xFF, red.Of(v), green.Of(v), blue.Of(v));
          } else {
            out[x] = Argb(has_alpha ? p[3] : 0xFF, p[2], p[1], p[0]);
          }
        }
      }
    }
  }
  return result;
}

}  // namespace tintara
