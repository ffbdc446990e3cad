#ifndef TINTARA_COLOUR_RGB_COLOR_H_
#define TINTARA_COLOUR_RGB_COLOR_H_

#include <cstdint>

namespace tintara {

// One colour as three 8-bit channels. Packed into one integer it is
// 0x00BBGGRR (red in the low byte), the order desktop colour references use.
struct RgbColor {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  constexpr std::uint32_t Packed() const {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
  }
  static constexpr RgbColor FromPacked(std::uint32_t packed) {
    return {static_cast<std::uint8_t>(packed & 0xff),
            static_cast<std::uint8_t>((packed >> 8) & 0xff),
            static_cast<std::uint8_t>((packed >> 16) & 0xff)};
  }
  // Takes the low eight bits of each channel, as a packed reference does.
  static constexpr RgbColor FromInts(int red, int green, int blue) {
    return {static_cast<std::uint8_t>(red & 0xff), static_cast<std::uint8_t>(green & 0xff),
            static_cast<std::uint8_t>(blue & 0xff)};
  }

  friend constexpr bool operator==(RgbColor, RgbColor) = default;
};

enum class RgbChannel { kRed = 0, kGreen = 1, kBlue = 2 };

}  // namespace tintara

#endif  // TINTARA_COLOUR_RGB_COLOR_H_
