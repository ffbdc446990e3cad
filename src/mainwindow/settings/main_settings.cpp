#include "mainwindow/settings/main_settings.h"

#include <cstdint>
#include <utility>

#include "mainwindow/settings/value_reader.h"

namespace tintara {
namespace {

constexpr std::array<RgbChannel, 3> kChannels = {RgbChannel::kRed, RgbChannel::kGreen,
                                                 RgbChannel::kBlue};

using ChannelKey = std::string (*)(RgbChannel, int);

// The channel defaults carried from one colour to the next while loading.
class ChannelCarry {
 public:
  // `read(name, fallback)` gives the stored channel, or the fallback.
  template <typename Read>
  RgbColor Next(Read read, ChannelKey key, int index) {
    for (std::size_t c = 0; c < kChannels.size(); ++c) {
      last_[c] = read(key(kChannels[c], index), last_[c]);
    }
    return RgbColor::FromInts(last_[0], last_[1], last_[2]);
  }

 private:
  std::array<int, 3> last_ = {kFirstChannelDefault, kFirstChannelDefault, kFirstChannelDefault};
};

void WriteColour(SettingsStore& store, ChannelKey key, int index, RgbColor colour) {
  store.WriteNumber(key(RgbChannel::kRed, index), colour.r);
  store.WriteNumber(key(RgbChannel::kGreen, index), colour.g);
  store.WriteNumber(key(RgbChannel::kBlue, index), colour.b);
}

}  // namespace

bool IsOnSomeScreen(const std::vector<ScreenRect>& screens, int left, int top, int width,
                    int height) {
  if (screens.empty()) return true;
  // Wide arithmetic: a stored position may be anywhere in the 32-bit range.
  const std::int64_t right = std::int64_t{left} + width;
  const std::int64_t bottom = std::int64_t{top} + height;
  for (const ScreenRect& screen : screens) {
    const std::int64_t screen_right = std::int64_t{screen.left} + screen.width;
    const std::int64_t screen_bottom = std::int64_t{screen.top} + screen.height;
    if (left < screen_right && screen.left < right && top < screen_bottom && screen.top < bottom) {
      return true;
    }
  }
  return false;
}

MainSettingsLoad LoadMainSettings(SettingsStore& store, const WindowPlacement& placement,
                                  bool commit) {
  MainSettingsLoad result;
  MainSettings& settings = result.settings;
  ValueReader reader(store);

  const std::optional<std::int32_t> top = store.ReadNumber(kTopKey);
  const std::optional<std::int32_t> left = store.ReadNumber(kLeftKey);
  settings.top = top.value_or(placement.centred_top);
  settings.left = left.value_or(placement.centred_left);
  const bool lost = !IsOnSomeScreen(placement.screens, settings.left, settings.top, placement.width,
                                    placement.height);
  if (lost) {
    settings.top = placement.centred_top;
    settings.left = placement.centred_left;
  }
  if (!top || lost) reader.WriteBack(kTopKey, settings.top);
  if (!left || lost) reader.WriteBack(kLeftKey, settings.left);

  ChannelCarry carry;
  const auto read_channel = [&reader](const std::string& name, int fallback) {
    return reader.Number(name, kChannelMin, kChannelMax, fallback);
  };
  for (int slot = 0; slot < kUserSlotCount; ++slot) {
    settings.user_palette[static_cast<std::size_t>(slot)] =
        carry.Next(read_channel, SlotChannelKey, slot);
  }

  settings.palette_channel = reader.Number(kColorPaletteSetting);
  settings.slide_model = static_cast<SlideModel>(reader.Number(kColorSlideSetting));
  settings.output_num = reader.Bool(kOutputNumSetting);
  settings.output_lower = reader.Bool(kOutputLowerSetting);

  const int count = reader.Number(kFavoriteCountSetting);
  settings.favourites.reserve(static_cast<std::size_t>(count));
  for (int j = 0; j < count; ++j) {
    FavouriteSetting favourite;
    favourite.name = reader.Text(FavoriteNameKey(j));
    favourite.colour = carry.Next(read_channel, FavoriteChannelKey, j);
    settings.favourites.push_back(std::move(favourite));
  }

  result.write_error = reader.Finish(commit);
  return result;
}

MainSettings SettingsForClose(SettingsStore& store, const MainSettings& loaded,
                              const MainSettings& now) {
  MainSettings result = now;
  // Read in the order of loading, so that missing channels are carried over
  // just as the next start will carry them.
  if (now.top == loaded.top && now.left == loaded.left) {
    const std::optional<std::int32_t> top = store.ReadNumber(kTopKey);
    const std::optional<std::int32_t> left = store.ReadNumber(kLeftKey);
    if (top && left) {
      result.top = *top;
      result.left = *left;
    }
  }

  ChannelCarry carry;
  bool whole_colour = true;
  const auto read_channel = [&store, &whole_colour](const std::string& name, int fallback) {
    const std::optional<int> stored = StoredNumber(store, name, kChannelMin, kChannelMax);
    if (!stored) whole_colour = false;
    return stored.value_or(fallback);
  };
  for (std::size_t slot = 0; slot < result.user_palette.size(); ++slot) {
    whole_colour = true;
    const RgbColor stored = carry.Next(read_channel, SlotChannelKey, static_cast<int>(slot));
    if (whole_colour && now.user_palette[slot] == loaded.user_palette[slot]) {
      result.user_palette[slot] = stored;
    }
  }

  if (now.palette_channel == loaded.palette_channel) {
    result.palette_channel =
        StoredNumber(store, kColorPaletteSetting).value_or(now.palette_channel);
  }
  if (now.slide_model == loaded.slide_model) {
    if (const std::optional<int> stored = StoredNumber(store, kColorSlideSetting)) {
      result.slide_model = static_cast<SlideModel>(*stored);
    }
  }
  if (now.output_num == loaded.output_num) {
    result.output_num = StoredBool(store, kOutputNumSetting).value_or(now.output_num);
  }
  if (now.output_lower == loaded.output_lower) {
    result.output_lower = StoredBool(store, kOutputLowerSetting).value_or(now.output_lower);
  }

  if (now.favourites == loaded.favourites) {
    if (const std::optional<int> count = StoredNumber(store, kFavoriteCountSetting)) {
      result.favourites.clear();
      result.favourites.reserve(static_cast<std::size_t>(*count));
      for (int j = 0; j < *count; ++j) {
        FavouriteSetting favourite;
        favourite.name = store.ReadString(FavoriteNameKey(j)).value_or(std::string());
        favourite.colour = carry.Next(read_channel, FavoriteChannelKey, j);
        result.favourites.push_back(std::move(favourite));
      }
    }
  }
  return result;
}

std::optional<SettingsWriteError> SaveMainSettings(SettingsStore& store,
                                                   const MainSettings& settings) {
  try {
    store.WriteNumber(kTopKey, settings.top);
    store.WriteNumber(kLeftKey, settings.left);
    for (int slot = 0; slot < kUserSlotCount; ++slot) {
      WriteColour(store, SlotChannelKey, slot,
                  settings.user_palette[static_cast<std::size_t>(slot)]);
    }
    const int count = static_cast<int>(settings.favourites.size());
    store.WriteNumber(kFavoriteCountSetting.name, count);
    for (int j = 0; j < count; ++j) {
      const FavouriteSetting& favourite = settings.favourites[static_cast<std::size_t>(j)];
      store.WriteString(FavoriteNameKey(j), favourite.name);
      WriteColour(store, FavoriteChannelKey, j, favourite.colour);
    }
    store.WriteNumber(kColorPaletteSetting.name, settings.palette_channel);
    store.WriteNumber(kColorSlideSetting.name, static_cast<int>(settings.slide_model));
    store.WriteNumber(kOutputNumSetting.name, settings.output_num ? 1 : 0);
    store.WriteNumber(kOutputLowerSetting.name, settings.output_lower ? 1 : 0);
    store.Commit();
  } catch (const SettingsWriteError& error) {
    return error;
  }
  return std::nullopt;
}

}  // namespace tintara
