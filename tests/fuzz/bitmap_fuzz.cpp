// A file's bytes as opening and dropping see them: tried as a Windows bitmap
// (the toolkit's reader behind a sniff of "BM"), and turned into the reader's
// text. A decoded bitmap must have the size its header gives and, for the
// plain uncompressed kinds, the pixels the program's own header-and-rows
// decoder reads from the same bytes.
#include <QByteArray>
#include <QImage>
#include <QtGlobal>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "pictures/dib.h"
#include "pictures/picture_input.h"

namespace tintara {
namespace {

std::uint32_t Le(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int k = bytes - 1; k >= 0; --k) v = v << 8 | p[k];
  return v;
}

constexpr std::size_t kFileHeaderBytes = 14;

void QuietMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

std::unique_ptr<std::uint8_t[]> ExactCopy(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[size]);
  std::copy_n(data, size, copy.get());
  return copy;
}

// The same file through the program's own decoder: the header and colour
// table up to the rows, then the rows, each in a block of its own.
void CheckAgainstOwnDecoder(const std::uint8_t* data, std::size_t size, const QImage& image) {
  if (size < kFileHeaderBytes + 40) return;
  const std::uint32_t rows_at = Le(data + 10, 4);
  const std::uint32_t header_size = Le(data + kFileHeaderBytes, 4);
  const int bits = static_cast<int>(Le(data + kFileHeaderBytes + 14, 2));
  const std::uint32_t compression = Le(data + kFileHeaderBytes + 16, 4);
  if (header_size < 40 || rows_at < kFileHeaderBytes + header_size || rows_at > size) return;
  // Bit fields and alpha are read differently by different readers; only the
  // kinds every reader agrees on are compared.
  if (compression != 0 || !(bits == 1 || bits == 4 || bits == 8 || bits == 24)) return;

  const std::size_t info_size = rows_at - kFileHeaderBytes;
  const auto info = ExactCopy(data + kFileHeaderBytes, info_size);
  const auto rows = ExactCopy(data + rows_at, size - rows_at);
  const DibResult own = DecodeDib(info.get(), info_size, rows.get(), size - rows_at);
  if (!own.ok) return;
  FUZZ_CHECK(own.picture.width == image.width() && own.picture.height == image.height());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t pixel =
          own.picture.pixels[static_cast<std::size_t>(y) * image.width() + x];
      FUZZ_CHECK((pixel & 0xFFFFFFu) == (image.pixel(x, y) & 0xFFFFFFu));
    }
  }
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
  CheckAgainstOwnDecoder(data, size, image);
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

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The toolkit's reader warns about every odd file; that is not news here.
  qInstallMessageHandler(tintara::QuietMessages);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tintara::CheckBitmap(data, size);
  tintara::CheckReaderText(data, size);
  return 0;
}
