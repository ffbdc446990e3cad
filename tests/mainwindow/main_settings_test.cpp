#include "mainwindow/settings/main_settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "mainwindow/editor/editor_math.h"
#include "mainwindow/settings/option_settings.h"
#include "platform/memory_settings_store.h"

namespace tintara {
namespace {

using Value = MemorySettingsStore::Value;

const WindowPlacement kPlacement{{{0, 0, 1920, 1040}}, 640, 480, 640, 280};

std::vector<std::string> SlotKeys() {
  std::vector<std::string> keys;
  for (int slot = 0; slot < kUserSlotCount; ++slot) {
    for (RgbChannel c : {RgbChannel::kRed, RgbChannel::kGreen, RgbChannel::kBlue}) {
      keys.push_back(SlotChannelKey(c, slot));
    }
  }
  return keys;
}

TEST(MainSettings, FirstStartWritesEveryValueWithItsDefault) {
  MemorySettingsStore store;
  const MainSettingsLoad main = LoadMainSettings(store, kPlacement);
  const OptionSettingsLoad options = LoadOptionSettings(store);
  EXPECT_FALSE(main.write_error);
  EXPECT_FALSE(options.write_error);
  EXPECT_EQ(main.settings.left, 640);
  EXPECT_EQ(main.settings.top, 280);
  EXPECT_EQ(main.settings.user_palette[9], (RgbColor{255, 255, 255}));
  EXPECT_EQ(main.settings.palette_channel, 8);
  EXPECT_TRUE(main.settings.favourites.empty());

  std::map<std::string, Value, std::less<>> expected = {
      {"Top", 280},        {"Left", 640},      {"ColorPalette", 8}, {"ColorSlide", 0},
      {"OutputNum", 1},    {"OutputLower", 1}, {"Favorite", 0},     {"RadioUser", 1},
      {"PiccerTime", 500}, {"RadioPiccer", 0}, {"PiccerArea", 10}};
  for (const std::string& key : SlotKeys()) expected.emplace(key, 255);
  EXPECT_EQ(store.values(), expected);

  // The next start finds everything and rewrites nothing.
  store.ClearWritten();
  LoadMainSettings(store, kPlacement);
  LoadOptionSettings(store);
  EXPECT_TRUE(store.written().empty());
}

struct UnusableCase {
  const char* name;
  Value stored;
  int expected;  // both what is loaded and what the store holds afterwards
};

int Loaded(std::string_view name, const MainSettings& m, const OptionSettings& o) {
  if (name == "ColorPalette") return m.palette_channel;
  if (name == "ColorSlide") return static_cast<int>(m.slide_model);
  if (name == "R0") return m.user_palette[0].r;
  if (name == "OutputLower") return m.output_lower;
  if (name == "Favorite") return static_cast<int>(m.favourites.size());
  if (name == "PiccerTime") return o.piccer_time;
  if (name == "PiccerArea") return o.piccer_area;
  return o.radio_piccer;
}

class UnusableValues : public testing::TestWithParam<UnusableCase> {};

TEST_P(UnusableValues, CountAsMissingAndAreReplacedByTheDefault) {
  const UnusableCase& c = GetParam();
  MemorySettingsStore store;
  store.Set(c.name, c.stored);
  const MainSettings main = LoadMainSettings(store, kPlacement).settings;
  const OptionSettings options = LoadOptionSettings(store).settings;
  EXPECT_EQ(Loaded(c.name, main, options), c.expected) << c.name;
  EXPECT_EQ(store.Get(c.name), Value{c.expected}) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnusableValues,
    testing::Values(UnusableCase{"ColorPalette", "8", 8}, UnusableCase{"ColorPalette", 18, 8},
                    UnusableCase{"ColorPalette", -1, 8}, UnusableCase{"ColorPalette", 17, 17},
                    UnusableCase{"ColorSlide", 6, 0}, UnusableCase{"ColorSlide", 5, 5},
                    UnusableCase{"R0", 256, 255}, UnusableCase{"R0", -1, 255},
                    UnusableCase{"R0", 0, 0}, UnusableCase{"OutputLower", "0", 1},
                    UnusableCase{"Favorite", -1, 0}, UnusableCase{"Favorite", 2000000000, 0},
                    UnusableCase{"PiccerTime", 0, 500}, UnusableCase{"PiccerTime", 10001, 500},
                    UnusableCase{"PiccerTime", 10000, 10000}, UnusableCase{"PiccerArea", 0, 10},
                    UnusableCase{"PiccerArea", 100, 10}, UnusableCase{"PiccerArea", 99, 99},
                    UnusableCase{"PiccerArea", "12", 10}, UnusableCase{"RadioPiccer", "1", 0}));

TEST(MainSettings, AMissingChannelTakesTheSameChannelReadLast) {
  MemorySettingsStore store;
  store.Set("R0", 10);
  store.Set("G0", 20);
  store.Set("R2", 300);  // out of range: carried over like a missing one
  store.Set("B9", 7);
  store.Set("Favorite", 2);
  store.Set("FavoriteR0", 1);
  store.Set("FavoriteG0", 33);
  store.Set("FavoriteR1", 2);
  store.Set("FavoriteB1", 3);
  const MainSettings loaded = LoadMainSettings(store, kPlacement).settings;

  EXPECT_EQ(loaded.user_palette[0], (RgbColor{10, 20, 255}));
  EXPECT_EQ(loaded.user_palette[1], (RgbColor{10, 20, 255}));
  EXPECT_EQ(loaded.user_palette[9], (RgbColor{10, 20, 7}));
  ASSERT_EQ(loaded.favourites.size(), 2u);
  EXPECT_EQ(loaded.favourites[0].colour, (RgbColor{1, 33, 7}));
  EXPECT_EQ(loaded.favourites[1].colour, (RgbColor{2, 33, 3}));
  EXPECT_EQ(store.Get("R1"), Value{10});
  EXPECT_EQ(store.Get("R2"), Value{10});
  EXPECT_EQ(store.Get("FavoriteB0"), Value{7});
  EXPECT_EQ(store.Get("FavoriteG1"), Value{33});
}

TEST(MainSettings, AnAbsentFavouriteNameReadsEmptyAndStaysAbsent) {
  MemorySettingsStore store;
  store.Set("Favorite", 2);
  store.Set("Favorite0", "空");
  store.Set("Favorite1", 5);  // not text
  const MainSettings loaded = LoadMainSettings(store, kPlacement).settings;
  ASSERT_EQ(loaded.favourites.size(), 2u);
  EXPECT_EQ(loaded.favourites[0].name, "空");
  EXPECT_EQ(loaded.favourites[1].name, "");
  EXPECT_EQ(store.Get("Favorite1"), Value{5});
  EXPECT_FALSE(store.Get("Favorite2"));
}

TEST(MainSettings, ClosingWritesInOrderAndLeavesDeletedFavouritesUnread) {
  MemorySettingsStore store;
  store.Set("Favorite", 3);
  for (int j = 0; j < 3; ++j) {
    store.Set(FavoriteNameKey(j), std::string(1, static_cast<char>('a' + j)));
    store.Set(FavoriteChannelKey(RgbChannel::kRed, j), j);
  }
  MainSettings settings = LoadMainSettings(store, kPlacement).settings;
  settings.favourites.erase(settings.favourites.begin() + 1);
  settings.output_num = false;
  store.ClearWritten();
  ASSERT_FALSE(SaveMainSettings(store, settings));

  std::vector<std::string> order = {"Top", "Left"};
  for (const std::string& key : SlotKeys()) order.push_back(key);
  order.insert(order.end(), {"Favorite", "Favorite0", "FavoriteR0", "FavoriteG0", "FavoriteB0",
                             "Favorite1", "FavoriteR1", "FavoriteG1", "FavoriteB1", "ColorPalette",
                             "ColorSlide", "OutputNum", "OutputLower"});
  EXPECT_EQ(store.written(), order);
  EXPECT_EQ(store.Get("Favorite"), Value{2});
  EXPECT_EQ(store.Get("Favorite1"), Value{"c"});
  EXPECT_EQ(store.Get("FavoriteR1"), Value{2});
  EXPECT_EQ(store.Get("Favorite2"), Value{"c"});
  EXPECT_EQ(store.Get("FavoriteR2"), Value{2});
  EXPECT_EQ(store.Get("OutputNum"), Value{0});
  EXPECT_EQ(store.commits(), 2);
}

// Another copy of the program saved into the store after this one read it.
class SharedStore : public testing::Test {
 protected:
  void SetUp() override {
    store_.Set("Favorite", 1);
    store_.Set("Favorite0", std::string("sea"));
    loaded_ = LoadMainSettings(store_, kPlacement).settings;
    now_ = loaded_;
  }

  MemorySettingsStore store_;
  MainSettings loaded_;
  MainSettings now_;
};

TEST_F(SharedStore, WhatThisRunLeftAloneIsWrittenAsTheOtherCopySavedIt) {
  // The other copy's close.
  store_.Set("Top", 7);
  store_.Set("Left", 9);
  store_.Set("R4", 1);
  store_.Set("G4", 2);
  store_.Set("B4", 3);
  store_.Set("OutputNum", 0);
  store_.Set("ColorSlide", 3);
  store_.Set("Favorite", 2);
  store_.Set("Favorite1", std::string("sky"));
  store_.Set("FavoriteB1", 200);
  // This run's own changes.
  now_.user_palette[3] = {10, 20, 30};
  now_.palette_channel = 2;
  now_.output_lower = false;

  const MainSettings written = SettingsForClose(store_, loaded_, now_);
  EXPECT_EQ(written.top, 7);
  EXPECT_EQ(written.left, 9);
  EXPECT_EQ(written.user_palette[3], (RgbColor{10, 20, 30}));
  EXPECT_EQ(written.user_palette[4], (RgbColor{1, 2, 3}));
  EXPECT_EQ(written.palette_channel, 2);
  EXPECT_EQ(written.slide_model, SlideModel::kHsl);
  EXPECT_FALSE(written.output_num);
  EXPECT_FALSE(written.output_lower);
  // The channels missing from the new favourite are carried over as the next
  // start will carry it.
  const std::vector<FavouriteSetting> favourites = {{"sea", {255, 255, 255}},
                                                    {"sky", {255, 255, 200}}};
  EXPECT_EQ(written.favourites, favourites);

  ASSERT_FALSE(SaveMainSettings(store_, written));
  EXPECT_EQ(LoadMainSettings(store_, kPlacement).settings, written);
}

TEST_F(SharedStore, ChangesOfBothCopiesToOneValueGoToTheLastClosed) {
  store_.Set("R2", 0);  // the other copy's slot 2: 00ffff
  store_.Set("Favorite", 0);
  store_.Set("Left", 5);
  now_.user_palette[2] = {255, 255, 0};
  now_.favourites.push_back({"mine", {4, 5, 6}});
  now_.left = 300;

  const MainSettings written = SettingsForClose(store_, loaded_, now_);
  // Whole values, never a blend of the two.
  EXPECT_EQ(written.user_palette[2], (RgbColor{255, 255, 0}));
  EXPECT_EQ(written.favourites, now_.favourites);
  EXPECT_EQ(written.left, 300);
  EXPECT_EQ(written.top, now_.top);
}

TEST_F(SharedStore, ADeletedStoreIsWrittenWholeFromThisRun) {
  now_.user_palette[0] = {0, 0, 0};
  const auto values = store_.values();
  for (const auto& [name, value] : values) store_.Erase(name);
  ASSERT_TRUE(store_.values().empty());

  const MainSettings written = SettingsForClose(store_, loaded_, now_);
  EXPECT_EQ(written, now_);
  ASSERT_FALSE(SaveMainSettings(store_, written));
  EXPECT_EQ(store_.values().size(), 2 + 30 + 5 + 4u);
  EXPECT_EQ(store_.Get("Favorite0"), Value{"sea"});
}

TEST_F(SharedStore, AnUnusableOrPartlyMissingValueIsTakenFromThisRun) {
  store_.Set("R6", 9);
  store_.Erase("G6");  // slot 6 half rewritten: ffffff stays
  store_.Set("ColorPalette", std::string("8"));
  store_.Set("ColorSlide", 99);
  store_.Set("Favorite", -1);
  store_.Erase("Top");
  store_.Set("Left", 5);
  loaded_.palette_channel = now_.palette_channel = 11;
  loaded_.slide_model = now_.slide_model = SlideModel::kHsv;

  const MainSettings written = SettingsForClose(store_, loaded_, now_);
  EXPECT_EQ(written, now_);
}

TEST(OptionSettings, ADialogClosedUnchangedKeepsWhatAnotherCopySaved) {
  MemorySettingsStore store;
  const OptionSettings shown = LoadOptionSettings(store).settings;
  store.Set("PiccerTime", 900);  // another copy's
  store.Set("RadioPiccer", 1);
  OptionSettings now = shown;
  now.radio_piccer = false;  // unchanged here
  now.piccer_area = 30;      // changed here

  OptionSettings written = OptionSettingsForClose(store, shown, now);
  EXPECT_TRUE(written.radio_user);
  EXPECT_EQ(written.piccer_time, 900);
  EXPECT_TRUE(written.radio_piccer);
  EXPECT_EQ(written.piccer_area, 30);

  // A deleted store is written whole, as this run holds it.
  const auto values = store.values();
  for (const auto& [name, value] : values) store.Erase(name);
  written = OptionSettingsForClose(store, shown, now);
  ASSERT_FALSE(SaveOptionSettings(store, written));
  EXPECT_EQ(store.values().size(), 4u);
  EXPECT_EQ(store.Get("PiccerTime"), Value{500});
  EXPECT_EQ(store.Get("RadioPiccer"), Value{0});
}

TEST(MainSettings, AFailedWriteOnCloseIsReturnedAndSkipsTheRest) {
  MemorySettingsStore store;
  store.FailWritesOf("G3");
  const std::optional<SettingsWriteError> error = SaveMainSettings(store, MainSettings{});
  ASSERT_TRUE(error);
  EXPECT_STREQ(error->what(), "'G3' の設定に失敗しました");
  EXPECT_TRUE(store.Get("R3"));
  EXPECT_FALSE(store.Get("B3"));
  EXPECT_FALSE(store.Get("OutputLower"));
  EXPECT_EQ(store.commits(), 0);

  store.set_read_only(true);
  const std::optional<SettingsWriteError> options = SaveOptionSettings(store, OptionSettings{});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->value_name(), "RadioUser");
}

TEST(MainSettings, AStoreThatCannotBeWrittenStillGivesEveryValue) {
  MemorySettingsStore store;
  store.set_read_only(true);
  store.Set("ColorSlide", 3);
  const MainSettingsLoad main = LoadMainSettings(store, kPlacement);
  ASSERT_TRUE(main.write_error);
  EXPECT_EQ(main.write_error->value_name(), "Top");
  EXPECT_EQ(main.settings.slide_model, SlideModel::kHsl);
  EXPECT_EQ(main.settings.user_palette[5], (RgbColor{255, 255, 255}));
  const OptionSettingsLoad options = LoadOptionSettings(store);
  ASSERT_TRUE(options.write_error);
  EXPECT_EQ(options.write_error->value_name(), "RadioUser");
  EXPECT_EQ(options.settings.piccer_time, 500);
}

struct PlacementCase {
  std::vector<ScreenRect> screens;
  std::optional<int> left;
  std::optional<int> top;
  int expected_left;
  int expected_top;
};

class Placement : public testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, AWindowOnNoScreenStartsCentred) {
  const PlacementCase& c = GetParam();
  MemorySettingsStore store;
  if (c.left) store.Set("Left", *c.left);
  if (c.top) store.Set("Top", *c.top);
  const MainSettings loaded = LoadMainSettings(store, {c.screens, 640, 480, 500, 300}).settings;
  EXPECT_EQ(loaded.left, c.expected_left);
  EXPECT_EQ(loaded.top, c.expected_top);
  EXPECT_EQ(store.Get("Left"), Value{c.expected_left});
  EXPECT_EQ(store.Get("Top"), Value{c.expected_top});
}

const std::vector<ScreenRect> kOneScreen = {{0, 0, 1920, 1040}};
const std::vector<ScreenRect> kTwoScreens = {{0, 0, 1920, 1040}, {-1280, 100, 1280, 1024}};

// A window with a single pixel on a screen stays where it was.
INSTANTIATE_TEST_SUITE_P(Table, Placement,
                         testing::Values(PlacementCase{kOneScreen, -5000, -5000, 500, 300},
                                         PlacementCase{kOneScreen, 1919, 1039, 1919, 1039},
                                         PlacementCase{kOneScreen, 1920, 0, 500, 300},
                                         PlacementCase{kOneScreen, std::nullopt, 5000, 500, 300},
                                         PlacementCase{kOneScreen, INT_MAX, INT_MIN, 500, 300},
                                         PlacementCase{kTwoScreens, -1000, 500, -1000, 500},
                                         PlacementCase{kTwoScreens, -1000, -400, 500, 300},
                                         PlacementCase{{}, -5000, -5000, -5000, -5000}));

TEST(OptionSettings, TheAreaTextIsReadAsADecimalNumber) {
  const std::vector<std::pair<std::string_view, int>> cases = {{" 12px", 12},
                                                               {"0012x", 12},
                                                               {"px", 0},
                                                               {"", 0},
                                                               {"-7", -7},
                                                               {"+3", 3},
                                                               {"- 3", 0},
                                                               {"\t42", 42},
                                                               {"99999999999", INT_MAX},
                                                               {"-99999999999", INT_MIN}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadDecimalField(text), value) << text;

  MemorySettingsStore store;
  ASSERT_FALSE(SaveOptionSettings(store, {false, 250, true, ReadDecimalField(" 12px")}));
  EXPECT_EQ(store.written(),
            (std::vector<std::string>{"RadioUser", "PiccerTime", "RadioPiccer", "PiccerArea"}));
  const OptionSettings loaded = LoadOptionSettings(store).settings;
  EXPECT_EQ(loaded.piccer_area, 12);
  EXPECT_FALSE(loaded.radio_user);
  EXPECT_TRUE(loaded.radio_piccer);
}

}  // namespace
}  // namespace tintara
