// The settings as a start-up reads them, from any store content. The input
// is the settings file's text: one "Name=Value" a line, a value that is a
// whole decimal 32-bit number stored as a number and any other as text (as
// the INI store takes them). A line "[ReadOnly]" makes every write fail, a
// line "[NoScreens]" leaves the window nothing to be placed on. Every value
// read must lie in its range and equal a plain reading of the stored
// values, exactly the missing and unusable ones must be written back, and
// what is saved must load again unchanged.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "fuzz_check.h"
#include "mainwindow/settings/main_settings.h"
#include "mainwindow/settings/option_settings.h"
#include "platform/memory_settings_store.h"

namespace tintara {
namespace {

struct StoreText {
  MemorySettingsStore store;
  bool read_only = false;
  bool no_screens = false;
};

StoreText ParseStore(std::string_view text) {
  StoreText parsed;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line == "[ReadOnly]") parsed.read_only = true;
    if (line == "[NoScreens]") parsed.no_screens = true;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    std::int32_t number = 0;
    const auto [stop, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (!value.empty() && error == std::errc() && stop == value.data() + value.size()) {
      parsed.store.Set(name, number);
    } else {
      parsed.store.Set(name, std::string(value));
    }
  }
  return parsed;
}

// The loading rules, applied to a copy of the store taken beforehand.
class PlainLoad {
 public:
  explicit PlainLoad(const MemorySettingsStore& store) : store_(store) {}

  std::vector<std::string> written;

  std::optional<std::int32_t> StoredNumber(const std::string& name) const {
    const auto value = store_.Get(name);
    if (!value || !std::holds_alternative<std::int32_t>(*value)) return std::nullopt;
    return std::get<std::int32_t>(*value);
  }
  int Number(const std::string& name, int min, int max, int missing) {
    const auto value = StoredNumber(name);
    if (value && *value >= min && *value <= max) return *value;
    written.push_back(name);
    return missing;
  }
  bool Bool(const std::string& name, bool missing) {
    const auto value = StoredNumber(name);
    if (value) return *value != 0;
    written.push_back(name);
    return missing;
  }
  std::string Text(const std::string& name) const {
    const auto value = store_.Get(name);
    if (!value || !std::holds_alternative<std::string>(*value)) return {};
    return std::get<std::string>(*value);
  }
  // Each channel's default is the same channel read last, 255 at first.
  RgbColor Colour(const std::string& prefix, int index) {
    static const char* const kLetters[] = {"R", "G", "B"};
    for (int c = 0; c < 3; ++c) {
      carried_[c] = Number(prefix + kLetters[c] + std::to_string(index), 0, 255, carried_[c]);
    }
    return RgbColor::FromInts(carried_[0], carried_[1], carried_[2]);
  }

 private:
  MemorySettingsStore store_;
  int carried_[3] = {255, 255, 255};
};

bool Overlaps(const ScreenRect& screen, std::int64_t left, std::int64_t top, std::int64_t width,
              std::int64_t height) {
  return left < std::int64_t{screen.left} + screen.width && screen.left < left + width &&
         top < std::int64_t{screen.top} + screen.height && screen.top < top + height;
}

MainSettings PlainMainSettings(PlainLoad& plain, const WindowPlacement& placement) {
  MainSettings settings;
  const auto top = plain.StoredNumber("Top");
  const auto left = plain.StoredNumber("Left");
  settings.top = top.value_or(placement.centred_top);
  settings.left = left.value_or(placement.centred_left);
  bool shown = placement.screens.empty();
  for (const ScreenRect& screen : placement.screens) {
    shown =
        shown || Overlaps(screen, settings.left, settings.top, placement.width, placement.height);
  }
  if (!shown) {
    settings.top = placement.centred_top;
    settings.left = placement.centred_left;
  }
  if (!top || !shown) plain.written.push_back("Top");
  if (!left || !shown) plain.written.push_back("Left");
  for (int slot = 0; slot < 10; ++slot) {
    settings.user_palette[static_cast<std::size_t>(slot)] = plain.Colour("", slot);
  }
  settings.palette_channel = plain.Number("ColorPalette", 0, 17, 8);
  settings.slide_model = static_cast<SlideModel>(plain.Number("ColorSlide", 0, 5, 0));
  settings.output_num = plain.Bool("OutputNum", true);
  settings.output_lower = plain.Bool("OutputLower", true);
  const int count = plain.Number("Favorite", 0, 10000, 0);
  for (int j = 0; j < count; ++j) {
    FavouriteSetting favourite;
    favourite.name = plain.Text("Favorite" + std::to_string(j));
    favourite.colour = plain.Colour("Favorite", j);
    settings.favourites.push_back(favourite);
  }
  return settings;
}

bool SameSettings(const MainSettings& a, const MainSettings& b) {
  if (a.favourites.size() != b.favourites.size()) return false;
  for (std::size_t k = 0; k < a.favourites.size(); ++k) {
    if (a.favourites[k].name != b.favourites[k].name ||
        a.favourites[k].colour != b.favourites[k].colour) {
      return false;
    }
  }
  return a.top == b.top && a.left == b.left && a.user_palette == b.user_palette &&
         a.palette_channel == b.palette_channel && a.slide_model == b.slide_model &&
         a.output_num == b.output_num && a.output_lower == b.output_lower;
}

void CheckWrites(const StoreText& parsed, const std::optional<SettingsWriteError>& error,
                 const std::vector<std::string>& expected) {
  if (parsed.read_only) {
    FUZZ_CHECK(parsed.store.written().empty());
    FUZZ_CHECK(error.has_value() == !expected.empty());
    if (error) FUZZ_CHECK(error->value_name() == expected.front());
  } else {
    FUZZ_CHECK(!error);
    FUZZ_CHECK(parsed.store.written() == expected);
  }
}

void CheckMainSettings(StoreText& parsed, const WindowPlacement& placement) {
  PlainLoad plain(parsed.store);
  const MainSettings expected = PlainMainSettings(plain, placement);
  const MainSettingsLoad load = LoadMainSettings(parsed.store, placement);
  const MainSettings& settings = load.settings;
  FUZZ_CHECK(settings.palette_channel >= 0 && settings.palette_channel <= 17);
  FUZZ_CHECK(static_cast<int>(settings.slide_model) <= 5);
  FUZZ_CHECK(settings.favourites.size() <= 10000);
  FUZZ_CHECK(SameSettings(settings, expected));
  CheckWrites(parsed, load.write_error, plain.written);

  // Saved and loaded again, nothing is missing and nothing changes.
  MemorySettingsStore saved;
  FUZZ_CHECK(!SaveMainSettings(saved, settings));
  saved.ClearWritten();
  const MainSettingsLoad again = LoadMainSettings(saved, placement);
  FUZZ_CHECK(!again.write_error && saved.written().empty());
  FUZZ_CHECK(SameSettings(again.settings, settings));
}

void CheckOptionSettings(StoreText& parsed) {
  parsed.store.ClearWritten();
  PlainLoad plain(parsed.store);
  OptionSettings expected;
  expected.radio_user = plain.Bool("RadioUser", true);
  expected.piccer_time = plain.Number("PiccerTime", 1, 10000, 500);
  expected.radio_piccer = plain.Bool("RadioPiccer", false);
  expected.piccer_area = plain.Number("PiccerArea", 1, 99, 10);
  const OptionSettingsLoad load = LoadOptionSettings(parsed.store);
  const OptionSettings& settings = load.settings;
  FUZZ_CHECK(settings.piccer_time >= 1 && settings.piccer_time <= 10000);
  FUZZ_CHECK(settings.piccer_area >= 1 && settings.piccer_area <= 99);
  FUZZ_CHECK(settings.radio_user == expected.radio_user &&
             settings.piccer_time == expected.piccer_time &&
             settings.radio_piccer == expected.radio_piccer &&
             settings.piccer_area == expected.piccer_area);
  CheckWrites(parsed, load.write_error, plain.written);
}

}  // namespace
}  // namespace tintara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tintara;
  StoreText parsed = ParseStore(std::string_view(reinterpret_cast<const char*>(data), size));
  // A hundred favourites and more (up to the limit of 10 000) show nothing
  // that fewer do not, at up to a hundred times the cost of an input.
  if (const auto count = parsed.store.ReadNumber("Favorite");
      count && *count >= 100 && *count <= 10000) {
    return 0;
  }
  parsed.store.set_read_only(parsed.read_only);
  WindowPlacement placement;
  if (!parsed.no_screens) placement.screens = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  placement.width = 640;
  placement.height = 450;
  placement.centred_left = 640;
  placement.centred_top = 315;
  CheckMainSettings(parsed, placement);
  CheckOptionSettings(parsed);
  return 0;
}
