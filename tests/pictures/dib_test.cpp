#include "pictures/dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "pictures/plugin_messages.h"

namespace tintara {
namespace {

// A header block: the 40-byte header, then `extra` (masks or colour table).
std::vector<unsigned char> Header(int width, int height, int bits, std::uint32_t compression = 0,
                                  std::uint32_t colours = 0,
                                  const std::vector<std::uint32_t>& extra = {}) {
  std::vector<unsigned char> block(40 + 4 * extra.size(), 0);
  auto put32 = [&block](std::size_t at, std::uint32_t v) { std::memcpy(&block[at], &v, 4); };
  put32(0, 40);
  put32(4, static_cast<std::uint32_t>(width));
  put32(8, static_cast<std::uint32_t>(height));
  block[12] = 1;
  block[14] = static_cast<unsigned char>(bits);
  put32(16, compression);
  put32(32, colours);
  for (std::size_t k = 0; k < extra.size(); ++k) put32(40 + 4 * k, extra[k]);
  return block;
}

DibResult Decode(const std::vector<unsigned char>& info, const std::vector<unsigned char>& bits) {
  return DecodeDib(info.data(), info.size(), bits.data(), bits.size());
}

TEST(DecodeDib, EveryDepthGivesThePixelsTopRowFirst) {
  // 24 bits, bottom-up, rows padded to 4 bytes: 2 x 2.
  const std::vector<unsigned char> rows24 = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  DibResult r = Decode(Header(2, 2, 24), rows24);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.picture.pixels,
            (std::vector<std::uint32_t>{0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504}));
  // The same rows top-down.
  r = Decode(Header(2, -2, 24), rows24);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.picture.pixels[0], 0xFF030201u);

  // 1, 4 and 8 bits index the colour table, high bits first.
  const std::vector<std::uint32_t> table = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  r = Decode(Header(3, 1, 1, 0, 2, {table[0], table[1]}), {0b10100000, 0, 0, 0});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.picture.pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0xFF000000, 0xFFFF0000}));
  r = Decode(Header(2, 1, 4, 0, 4, table), {0x32, 0, 0, 0});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.picture.pixels, (std::vector<std::uint32_t>{0xFF0000FF, 0xFF00FF00}));
  // An index past a short table is black.
  r = Decode(Header(2, 1, 8, 0, 2, {table[0], table[1]}), {1, 200, 0, 0});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.picture.pixels, (std::vector<std::uint32_t>{0xFFFF0000, 0xFF000000}));

  // 16 bits: 5-5-5, or the masks given (5-6-5 here).
  r = Decode(Header(1, 1, 16), {0x1F, 0x7C, 0, 0});  // red 31, blue 31
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.picture.pixels[0], 0xFFFF00FFu);
  r = Decode(Header(1, 1, 16, 3, 0, {0xF800, 0x07E0, 0x001F}), {0xE0, 0x07, 0, 0});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.picture.pixels[0], 0xFF00FF00u);
}

TEST(DecodeDib, ThirtyTwoBitsUseAlphaOnlyWhenThereIsAny) {
  DibResult r = Decode(Header(2, 1, 32), {1, 2, 3, 0, 4, 5, 6, 0});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.picture.pixels, (std::vector<std::uint32_t>{0xFF030201, 0xFF060504}));
  r = Decode(Header(2, 1, 32), {1, 2, 3, 0, 4, 5, 6, 0x80});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.picture.pixels, (std::vector<std::uint32_t>{0x00030201, 0x80060504}));
}

TEST(DecodeDib, RefusesWhatDoesNotFitOrMakesNoSense) {
  const std::vector<unsigned char> rows(64, 0);
  EXPECT_FALSE(Decode(Header(0, 1, 24), rows).ok);
  EXPECT_FALSE(Decode(Header(-4, 1, 24), rows).ok);
  EXPECT_FALSE(Decode(Header(1, 0, 24), rows).ok);
  EXPECT_FALSE(Decode(Header(32769, 1, 24), rows).ok);
  EXPECT_FALSE(Decode(Header(1, -32769, 24), rows).ok);
  EXPECT_FALSE(Decode(Header(1, INT32_MIN, 24), rows).ok);
  EXPECT_FALSE(Decode(Header(20000, 20000, 1), std::vector<unsigned char>(50000000)).ok);
  EXPECT_FALSE(Decode(Header(1, 1, 7), rows).ok);
  EXPECT_FALSE(Decode(Header(1, 1, 24, 1), rows).ok);  // run-length compression
  EXPECT_FALSE(Decode(Header(1, 1, 24, 3), rows).ok);  // bit fields need 16 or 32 bits
  // Rows past the end of the block: 5 x 4 at 24 bits needs 4 rows of 16.
  EXPECT_FALSE(Decode(Header(5, 4, 24), std::vector<unsigned char>(63)).ok);
  EXPECT_TRUE(Decode(Header(5, 4, 24), std::vector<unsigned char>(64)).ok);
  // A colour table larger than the depth allows, or past the block.
  EXPECT_FALSE(Decode(Header(1, 1, 1, 0, 3, {0, 0, 0}), rows).ok);
  EXPECT_FALSE(Decode(Header(1, 1, 8, 0, 0, {0, 0}), rows).ok);
  // Masks past the block, a header claiming more than the block holds.
  EXPECT_FALSE(Decode(Header(1, 1, 16, 3), rows).ok);
  std::vector<unsigned char> long_header = Header(1, 1, 24);
  long_header[0] = 124;
  EXPECT_FALSE(Decode(long_header, rows).ok);
  EXPECT_FALSE(DecodeDib(nullptr, 0, rows.data(), rows.size()).ok);
  EXPECT_FALSE(Decode(std::vector<unsigned char>(39), rows).ok);
}

TEST(PluginMessages, RoundTripAndRefuseDamage) {
  PluginRequest request;
  request.kind = PluginRequest::Kind::kDecode;
  request.paths = {"/a/b.spi", "c.SPI"};
  request.data = std::string("RIFF\0\0", 6);
  const std::string bytes = EncodeRequest(request);
  const std::optional<PluginRequest> back = ParseRequest(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->paths, request.paths);
  EXPECT_EQ(back->data, request.data);
  EXPECT_FALSE(ParseRequest(bytes.substr(0, bytes.size() - 1)));
  EXPECT_FALSE(ParseRequest(bytes + "x"));

  PluginMessage picture;
  picture.kind = PluginMessage::Kind::kPicture;
  picture.picture = {2, 1, {0x11223344u, 0xFF000000u}};
  PluginMessage info;
  info.kind = PluginMessage::Kind::kInfo;
  info.info = {true, kExportGetPluginInfo | kExportGetPicture, "00IN", "n", "JPEG", "*.jpg"};
  const std::string stream = EncodeMessage(picture) + EncodeMessage(info);
  PluginMessage read;
  const std::ptrdiff_t first = ParseMessage(stream, read);
  ASSERT_GT(first, 0);
  EXPECT_EQ(read.picture.pixels, picture.picture.pixels);
  // A message cut short is not complete yet; the rest completes it.
  EXPECT_EQ(ParseMessage(std::string_view(stream).substr(first, 5), read), 0);
  ASSERT_GT(ParseMessage(std::string_view(stream).substr(first), read), 0);
  EXPECT_EQ(read.info.format_name, "JPEG");
  EXPECT_EQ(read.info.exports, kExportGetPluginInfo | kExportGetPicture);

  // Nonsense is refused rather than waited for: an unknown kind, an absurd
  // picture, an overlong text.
  EXPECT_EQ(ParseMessage("Z", read), -1);
  std::string huge = "B";
  huge += std::string("\xFF\xFF\x00\x00\xFF\xFF\x00\x00", 8);
  EXPECT_EQ(ParseMessage(huge, read), -1);
  std::string long_text = "N\x01\x01";
  long_text += std::string("\x00\x10\x00\x00", 4);
  EXPECT_EQ(ParseMessage(long_text, read), -1);
}

}  // namespace
}  // namespace tintara
