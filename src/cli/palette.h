#ifndef TINTARA_CLI_PALETTE_H_
#define TINTARA_CLI_PALETTE_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colour/rgb_color.h"
#include "platform/ini_text.h"

// The user palette and the favourites as the program keeps them in its
// settings file, written in formats other programs read.
namespace tintara::cli {

struct PaletteEntry {
  std::string name;  // as stored: any bytes
  RgbColor colour;
  bool favourite = false;  // else a user-palette slot
};

// The ten slots, then the favourites, read as the program reads them at its
// start: a missing or unusable channel takes the same channel read last
// (255 before the first), a missing name is empty. Nothing is written.
std::vector<PaletteEntry> ReadPalette(const IniText& store);

enum class PaletteFormat { kGpl, kCss, kJson, kTxt };
std::optional<PaletteFormat> PaletteFormatFromKey(std::string_view key);

std::string PaletteText(const std::vector<PaletteEntry>& entries, PaletteFormat format);

}  // namespace tintara::cli

#endif  // TINTARA_CLI_PALETTE_H_
