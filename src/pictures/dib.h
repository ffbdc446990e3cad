#ifndef TINTARA_PICTURES_DIB_H_
#define TINTARA_PICTURES_DIB_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Windows bitmaps, as picture plug-ins hand them back (a device-independent
// bitmap's header block and pixel rows) and as files: checked against the
// blocks' sizes and turned into plain 32-bit pixels. Nothing a plug-in
// returns or a file holds is trusted.
namespace tintara {

// Limits of a picture the program takes from a plug-in.
inline constexpr std::int64_t kMaxDibSide = 32768;
// At most 256 MiB of 32-bit pixels.
inline constexpr std::int64_t kMaxDibPixels = std::int64_t{64} * 1024 * 1024;

struct DibPicture {
  int width = 0;
  int height = 0;
  // Rows top first, each pixel 0xAARRGGBB (alpha 0xFF where the bitmap has
  // none; 0 where run-length rows give no pixel).
  std::vector<std::uint32_t> pixels;
};

struct DibResult {
  bool ok = false;
  std::string error;  // why the answer was refused, for the log
  DibPicture picture;
};

// A Windows bitmap file: the file header, then a header block as below up to
// where the file says its rows start, then the rows. Every row and colour
// must lie in the file: a file cut short anywhere is refused.
DibResult DecodeBitmapFile(const void* file, std::size_t size);

// Checks and converts a header block of `info_size` readable bytes and a
// rows block of `bits_size` readable bytes. Reads nothing outside them.
DibResult DecodeDib(const void* info, std::size_t info_size, const void* bits,
                    std::size_t bits_size);

}  // namespace tintara

#endif  // TINTARA_PICTURES_DIB_H_
