// A file's bytes as opening and dropping see them: tried as a Windows bitmap
// and turned into the reader's text. A decoded bitmap must have the size its
// header gives and, for plain rows, have found all of them in the file.
#include <QByteArray>
#include <QImage>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "pictures/picture_input.h"

namespace tintara {
namespace {

std::uint32_t Le(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int k = bytes - 1; k >= 0; --k) v = v << 8 | p[k];
  return v;
}

constexpr std::size_t kFileHeaderBytes = 14;

// A decoded bitmap of plain rows had every one of them in the file: no
// pixel comes from anywhere else.
void CheckRowsInFile(const std::uint8_t* data, std::size_t size, const QImage& image) {
  const std::uint64_t rows_at = Le(data + 10, 4);
  const std::uint8_t* header = data + kFileHeaderBytes;
  const bool core = Le(header, 4) == 12;
  const std::uint64_t bits = core ? Le(header + 10, 2) : Le(header + 14, 2);
  const std::uint32_t compression = core ? 0 : Le(header + 16, 4);
  if (compression == 1 || compression == 2) return;  // run-length rows have no fixed size
  const std::uint64_t stride = (image.width() * bits + 31) / 32 * 4;
  FUZZ_CHECK(rows_at + stride * static_cast<std::uint64_t>(image.height()) <= size);
}

void CheckBitmap(const std::uint8_t* data, std::size_t size) {
  // Over the caller's exact block, not a copy with room to spare.
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QImage image = DecodeBitmap(bytes);
  if (image.isNull()) return;
  FUZZ_CHECK(size >= 2 && data[0] == 'B' && data[1] == 'M');
  FUZZ_CHECK(size >= kFileHeaderBytes + 12);
  // An old 12-byte header has 16-bit sides; the others have 32-bit ones and
  // a negative height for rows stored top first.
  const std::uint8_t* header = data + kFileHeaderBytes;
  const bool core = Le(header, 4) == 12;
  const std::int64_t width = core ? std::int64_t{Le(header + 4, 2)}
                                  : std::int64_t{static_cast<std::int32_t>(Le(header + 4, 4))};
  const std::int64_t height = core ? std::int64_t{Le(header + 6, 2)}
                                   : std::int64_t{static_cast<std::int32_t>(Le(header + 8, 4))};
  FUZZ_CHECK(image.width() == width);
  FUZZ_CHECK(image.height() == (height < 0 ? -height : height));
  CheckRowsInFile(data, size, image);
}

// Every line break becomes CR LF; nothing else changes.
void CheckReaderText(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::string text = ReaderText(bytes);
  std::string kept_in, kept_out;
  std::size_t breaks_in = 0, breaks_out = 0;
  for (std::size_t k = 0; k < size; ++k) {
    const char c = static_cast<char>(data[k]);
    if (c == '\n' || c == '\r') {
      const bool second_of_pair = c == '\n' && k > 0 && data[k - 1] == '\r';
      if (!second_of_pair) ++breaks_in;
    } else {
      kept_in += c;
    }
  }
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '\r') {
      FUZZ_CHECK(k + 1 < text.size() && text[k + 1] == '\n');
      ++breaks_out;
      ++k;
    } else {
      FUZZ_CHECK(text[k] != '\n');
      kept_out += text[k];
    }
  }
  FUZZ_CHECK(breaks_in == breaks_out);
  FUZZ_CHECK(kept_in == kept_out);
}

}  // namespace
}  // namespace tintara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tintara::CheckBitmap(data, size);
  tintara::CheckReaderText(data, size);
  return 0;
}
