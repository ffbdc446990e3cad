#include <dlfcn.h>
#include <gtest/gtest.h>
#include <tintara/image_plugin.h>
#include <webp/encode.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using GetPluginInfoFn = decltype(&GetPluginInfo);
using IsSupportedFn = decltype(&IsSupported);
using GetPictureFn = decltype(&GetPicture);

// The plug-in stays loaded for the whole run, so that leak reports can name
// its functions.
void* Library() {
  static void* const library = dlopen(TINTARA_WEBP_SPI, RTLD_NOW | RTLD_LOCAL);
  return library;
}

template <typename Fn>
Fn Find(const char* name) {
  return reinterpret_cast<Fn>(dlsym(Library(), name));
}

std::string Info(int32_t item, int32_t* length = nullptr) {
  char buffer[256];
  std::memset(buffer, 'x', sizeof buffer);
  const int32_t n = Find<GetPluginInfoFn>("GetPluginInfo")(item, buffer, sizeof buffer);
  if (length) *length = n;
  return buffer;
}

struct FreeBlock {
  void operator()(void* block) const { std::free(block); }
};
using Block = std::unique_ptr<void, FreeBlock>;

struct Decoded {
  int32_t result = -1;
  Block info;
  Block bits;
  const TintaraBitmapInfoHeader& header() const {
    return *static_cast<const TintaraBitmapInfoHeader*>(info.get());
  }
  const uint8_t* pixel(int x, int y) const {
    return static_cast<const uint8_t*>(bits.get()) + (y * header().width + x) * 4;
  }
};

std::vector<std::pair<int32_t, int32_t>> progress_calls;
int32_t progress_answer = 0;

int32_t TINTARA_SPI_CALL RecordProgress(int32_t done, int32_t total, intptr_t data) {
  EXPECT_EQ(data, 42);
  progress_calls.emplace_back(done, total);
  return progress_answer;
}

// Both blocks start as a pointer that is not NULL, so that a failure that
// leaves them alone shows.
Decoded Decode(const std::string& data, int64_t length, uint32_t flag = 1,
               TintaraSpiProgress progress = nullptr) {
  static char stale;
  void* info = &stale;
  void* bits = &stale;
  Decoded decoded;
  decoded.result =
      Find<GetPictureFn>("GetPicture")(data.data(), length, flag, &info, &bits, progress, 42);
  decoded.info.reset(info == &stale ? nullptr : info);
  decoded.bits.reset(bits == &stale ? nullptr : bits);
  if (info == &stale || bits == &stale) ADD_FAILURE() << "a block was left untouched";
  return decoded;
}

Decoded Decode(const std::string& data) { return Decode(data, data.size()); }

void ExpectFailed(const Decoded& decoded) {
  EXPECT_EQ(decoded.result, TINTARA_SPI_FAILED);
  EXPECT_EQ(decoded.info, nullptr);
  EXPECT_EQ(decoded.bits, nullptr);
}

std::string Encoded(size_t size, uint8_t* output) {
  std::string data(reinterpret_cast<const char*>(output), size);
  WebPFree(output);
  return data;
}

// Each channel has its own direction, so a flip, a mirror or a swap of
// channels shows even through lossy compression.
std::vector<uint8_t> Gradient(int width, int height, int channels) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(static_cast<uint8_t>(20 + x * 200 / width));
      pixels.push_back(static_cast<uint8_t>(30 + y * 200 / height));
      pixels.push_back(static_cast<uint8_t>(180));
      if (channels == 4) pixels.push_back(x < width / 2 ? 255 : 64);
    }
  }
  return pixels;
}

void ExpectHeader(const Decoded& decoded, int width, int height) {
  ASSERT_EQ(decoded.result, TINTARA_SPI_OK);
  ASSERT_NE(decoded.info, nullptr);
  ASSERT_NE(decoded.bits, nullptr);
  const TintaraBitmapInfoHeader& header = decoded.header();
  EXPECT_EQ(header.size, 40u);
  EXPECT_EQ(header.width, width);
  EXPECT_EQ(header.height, -height);
  EXPECT_EQ(header.planes, 1);
  EXPECT_EQ(header.bit_count, 32);
  EXPECT_EQ(header.compression, static_cast<uint32_t>(TINTARA_BI_RGB));
  EXPECT_EQ(header.size_image, static_cast<uint32_t>(width * height * 4));
  EXPECT_EQ(header.colours_used, 0u);
}

// The decoded colours against RGB(A) input, within `tolerance`; where
// `alpha` is given, every pixel's alpha must be exactly that.
void ExpectClose(const Decoded& decoded, const std::vector<uint8_t>& input, int channels,
                 int tolerance, int alpha = -1) {
  const int width = decoded.header().width;
  const int height = -decoded.header().height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* in = &input[(y * width + x) * channels];
      const uint8_t* out = decoded.pixel(x, y);
      const int expected_alpha = alpha >= 0 ? alpha : in[3];
      ASSERT_EQ(out[3], expected_alpha) << x << "," << y;
      if (channels == 4 && in[3] == 0) continue;  // the encoder may change hidden colours
      ASSERT_NEAR(out[2], in[0], tolerance) << x << "," << y;
      ASSERT_NEAR(out[1], in[1], tolerance) << x << "," << y;
      ASSERT_NEAR(out[0], in[2], tolerance) << x << "," << y;
    }
  }
}

std::string LossyRgb(int width, int height) {
  const std::vector<uint8_t> rgb = Gradient(width, height, 3);
  uint8_t* output = nullptr;
  const size_t size = WebPEncodeRGB(rgb.data(), width, height, width * 3, 95, &output);
  return Encoded(size, output);
}

TEST(WebpSpiTest, LoadsAndExportsOnlyTheInterface) {
  ASSERT_NE(Library(), nullptr) << dlerror();
  for (const char* name :
       {"GetPluginInfo", "IsSupported", "GetPicture", "GetPictureInfo", "GetPrevoew"})
    EXPECT_NE(dlsym(Library(), name), nullptr) << name;
  EXPECT_EQ(dlsym(Library(), "CopyText"), nullptr);
  EXPECT_EQ(dlsym(Library(), "HasWebpMagic"), nullptr);
}

TEST(WebpSpiTest, PluginInfoItemsAndTruncation) {
  ASSERT_NE(Library(), nullptr) << dlerror();
  int32_t length = -1;
  EXPECT_EQ(Info(TINTARA_SPI_INFO_API_VERSION, &length), "00IN");
  EXPECT_EQ(length, 4);
  EXPECT_EQ(Info(TINTARA_SPI_INFO_NAME).rfind("Tintara WebP decoder", 0), 0u);
  EXPECT_EQ(Info(TINTARA_SPI_INFO_PATTERN, &length), "*.webp");
  EXPECT_EQ(length, 6);
  EXPECT_EQ(Info(TINTARA_SPI_INFO_FORMAT), "WebP");
  for (int32_t unknown : {4, -1, 1000}) {
    EXPECT_EQ(Info(unknown, &length), "") << unknown;
    EXPECT_EQ(length, 0);
  }

  const auto info = Find<GetPluginInfoFn>("GetPluginInfo");
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(info(TINTARA_SPI_INFO_PATTERN, buffer, 4), 3);
  EXPECT_STREQ(buffer, "*.w");
  EXPECT_EQ(buffer[4], 'x');
  EXPECT_EQ(info(TINTARA_SPI_INFO_PATTERN, buffer, 1), 0);
  EXPECT_STREQ(buffer, "");
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(info(TINTARA_SPI_INFO_PATTERN, buffer, 0), 0);
  EXPECT_EQ(info(TINTARA_SPI_INFO_PATTERN, buffer, -8), 0);
  EXPECT_EQ(info(TINTARA_SPI_INFO_PATTERN, nullptr, 8), 0);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'x'));
}

TEST(WebpSpiTest, IsSupportedReadsTheRiffHeader) {
  ASSERT_NE(Library(), nullptr) << dlerror();
  const auto is_supported = Find<IsSupportedFn>("IsSupported");
  std::string header = LossyRgb(8, 8);
  header.resize(TINTARA_SPI_HEADER_BYTES, '\0');
  EXPECT_NE(is_supported(nullptr, header.data()), 0);
  EXPECT_NE(is_supported("picture.jpg", header.data()), 0);  // the name does not matter

  std::string wave = header;
  wave.replace(8, 4, "WAVE");
  EXPECT_EQ(is_supported(nullptr, wave.data()), 0);
  std::string rifx = header;
  rifx.replace(0, 4, "RIFX");
  EXPECT_EQ(is_supported(nullptr, rifx.data()), 0);
  EXPECT_EQ(is_supported(nullptr, std::string(TINTARA_SPI_HEADER_BYTES, '\0').data()), 0);
}

TEST(WebpSpiTest, LossyPictureWithoutAlphaIsOpaque) {
  const int width = 37;
  const int height = 23;
  const Decoded decoded = Decode(LossyRgb(width, height));
  ExpectHeader(decoded, width, height);
  ExpectClose(decoded, Gradient(width, height, 3), 3, 12, /*alpha=*/0);
}

TEST(WebpSpiTest, LosslessPictureWithAlphaIsExactAndStraight) {
  const int width = 5;
  const int height = 3;
  std::vector<uint8_t> rgba = Gradient(width, height, 4);
  const auto set = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    uint8_t* p = &rgba[(y * width + x) * 4];
    p[0] = r, p[1] = g, p[2] = b, p[3] = a;
  };
  set(0, 0, 0, 0, 0, 0);
  set(4, 2, 255, 255, 255, 0);
  set(1, 2, 200, 100, 50, 128);  // premultiplied, it would be 100, 50, 25
  set(3, 0, 10, 250, 90, 1);
  uint8_t* output = nullptr;
  const size_t size = WebPEncodeLosslessRGBA(rgba.data(), width, height, width * 4, &output);
  const Decoded decoded = Decode(Encoded(size, output));
  ExpectHeader(decoded, width, height);
  ExpectClose(decoded, rgba, 4, 0);
}

TEST(WebpSpiTest, LossyPictureKeepsItsAlpha) {
  const int width = 32;
  const int height = 16;
  std::vector<uint8_t> rgba = Gradient(width, height, 4);
  for (int x = 0; x < width; ++x) rgba[x * 4 + 3] = 0;  // a transparent top row
  uint8_t* output = nullptr;
  const size_t size = WebPEncodeRGBA(rgba.data(), width, height, width * 4, 95, &output);
  const Decoded decoded = Decode(Encoded(size, output));
  ExpectHeader(decoded, width, height);
  ExpectClose(decoded, rgba, 4, 16);
}

TEST(WebpSpiTest, ProgressBeforeAndAfterAndCancelling) {
  const std::string data = LossyRgb(8, 8);
  progress_calls.clear();
  progress_answer = 0;
  EXPECT_EQ(Decode(data, data.size(), 1, RecordProgress).result, TINTARA_SPI_OK);
  EXPECT_EQ(progress_calls, (std::vector<std::pair<int32_t, int32_t>>{{0, 1}, {1, 1}}));

  progress_calls.clear();
  progress_answer = 1;
  ExpectFailed(Decode(data, data.size(), 1, RecordProgress));
  EXPECT_EQ(progress_calls, (std::vector<std::pair<int32_t, int32_t>>{{0, 1}}));
}

TEST(WebpSpiTest, BrokenInputFailsCleanly) {
  const std::string good = LossyRgb(16, 16);
  std::string garbage(2048, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 131 + 7);
  ExpectFailed(Decode(garbage));
  ExpectFailed(Decode(good.substr(0, good.size() / 2)));
  ExpectFailed(Decode(std::string("RIFF\x04\0\0\0WEBP", 12)));
  ExpectFailed(Decode(good.substr(0, 11)));
  ExpectFailed(Decode(""));
  std::string bad_size = good;  // the RIFF size claims more than there is
  bad_size[7] = '\x7f';
  ExpectFailed(Decode(bad_size));

  // Lengths the plug-in must refuse before reading a byte.
  ExpectFailed(Decode(good, int64_t{1} << 40));
  ExpectFailed(Decode(good, -5));
  ExpectFailed(Decode(good, good.size(), /*flag=*/0));
  EXPECT_EQ(Decode(good).result, TINTARA_SPI_OK);
}

}  // namespace
