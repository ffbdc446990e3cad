// Writes every one of the 16.7 million colours in the modern syntax of
// rgb(), oklch() and lab() and reads each text back: every one must give
// the colour it came from, from inside sRGB. Prints the time taken and the
// failures; the exit status is 1 when there are any. (The unit tests check
// a sample of this in every space.)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "colour/colour_text.h"
#include "colour/css_text.h"

int main() {
  using tintara::Css4Syntax;
  struct Space {
    const char* name;
    Css4Syntax syntax;
  };
  const Space spaces[] = {
      {"rgb", Css4Syntax::kRgb}, {"oklch", Css4Syntax::kOklch}, {"lab", Css4Syntax::kLab}};
  int status = 0;
  for (const Space& space : spaces) {
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t failures = 0;
    std::uint64_t length = 0;
    for (std::uint32_t packed = 0; packed < 0x1000000; ++packed) {
      const tintara::RgbColor colour = tintara::RgbColor::FromPacked(packed);
      const std::string text = tintara::Css4Text(colour, space.syntax);
      length += text.size();
      const tintara::CssReading back = tintara::ReadCssColour(text);
      const bool same = back.colour && tintara::CssColourToRgb(*back.colour).colour == colour &&
                        !tintara::CssColourToRgb(*back.colour).clipped;
      if (!same && ++failures <= 10) {
        std::printf("%s: %s does not read back\n", tintara::HexColorText(colour).c_str(),
                    text.c_str());
      }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-6s %llu failures, %.1f s (%.0f ns a colour), %.1f characters a text\n",
                space.name, static_cast<unsigned long long>(failures), seconds,
                seconds * 1e9 / 0x1000000, static_cast<double>(length) / 0x1000000);
    if (failures != 0) status = 1;
  }
  return status;
}
