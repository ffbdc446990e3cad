#include "platform/palette_system_colours.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "platform/kde_system_colours.h"

namespace tintara {
namespace {

QColor Qt(RgbColor colour) { return QColor(colour.r, colour.g, colour.b); }

// Each test starts from the style's palette and leaves it so.
class PaletteSystemColoursTest : public testing::Test {
 protected:
  void SetUp() override { saved_ = QApplication::palette(); }
  void TearDown() override { QApplication::setPalette(saved_); }
  QPalette saved_;
};

TEST_F(PaletteSystemColoursTest, ReadsTheApplicationPalette) {
  PaletteSystemColours colours;
  const QPalette palette = QApplication::palette();
  EXPECT_EQ(Qt(colours.Get(kColorBtnFace)), palette.color(QPalette::Active, QPalette::Button));
  EXPECT_EQ(Qt(colours.Get(kColorHighlight)), palette.color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(Qt(colours.Get(kColorGrayText)), palette.color(QPalette::Disabled, QPalette::Text));
}

TEST_F(PaletteSystemColoursTest, SettingARoleChangesItInEveryState) {
  PaletteSystemColours colours;
  const QColor before_window = QApplication::palette().color(QPalette::Window);
  colours.Set(kColorBtnFace, {1, 2, 3});
  colours.Set(kColorWindowText, {4, 5, 6});
  colours.Set(kColorGrayText, {7, 8, 9});
  colours.Set(kColor3dDkShadow, {10, 11, 12});

  const QPalette palette = QApplication::palette();
  for (const QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    EXPECT_EQ(palette.color(group, QPalette::Button), QColor(1, 2, 3)) << group;
    EXPECT_EQ(palette.color(group, QPalette::Shadow), QColor(10, 11, 12)) << group;
  }
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    EXPECT_EQ(palette.color(group, QPalette::Text), QColor(4, 5, 6)) << group;
    EXPECT_EQ(palette.color(group, QPalette::WindowText), QColor(4, 5, 6)) << group;
  }
  // Disabled text is grey text, not window text.
  EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::Text), QColor(7, 8, 9));
  EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::WindowText), QColor(7, 8, 9));
  EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::ButtonText), QColor(7, 8, 9));
  // The window background is the main window's own.
  EXPECT_EQ(palette.color(QPalette::Window), before_window);

  EXPECT_EQ(colours.Get(kColorBtnFace), (RgbColor{1, 2, 3}));
  EXPECT_EQ(colours.Get(kColorWindowText), (RgbColor{4, 5, 6}));
  EXPECT_EQ(colours.Get(kColorGrayText), (RgbColor{7, 8, 9}));
}

TEST_F(PaletteSystemColoursTest, IndicesWithoutARoleStayInMemory) {
  PaletteSystemColours colours;
  EXPECT_EQ(colours.Get(kColorActiveCaption), ClassicSystemColour(kColorActiveCaption));
  const QPalette before = QApplication::palette();
  colours.Set(kColorActiveCaption, {1, 1, 1});
  colours.Set(kColorBackground, {2, 2, 2});
  EXPECT_EQ(colours.Get(kColorActiveCaption), (RgbColor{1, 1, 1}));
  EXPECT_EQ(colours.Get(kColorBackground), (RgbColor{2, 2, 2}));
  EXPECT_EQ(QApplication::palette(), before);
  // Out of range changes nothing and reads black.
  colours.Set(kSystemColourIndexCount, {3, 3, 3});
  EXPECT_EQ(colours.Get(kSystemColourIndexCount), RgbColor{});
  EXPECT_EQ(QApplication::palette(), before);
}

TEST(DesktopSystemColours, PlasmaGetsItsSchemeEveryOtherDesktopThePalette) {
  // No bus to reach: the choice must not depend on one.
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
  for (const char* desktop : {"KDE", "ubuntu:KDE"}) {
    qputenv("XDG_CURRENT_DESKTOP", desktop);
    const std::unique_ptr<SystemColours> colours = MakeDesktopSystemColours();
    EXPECT_NE(dynamic_cast<KdeSystemColours*>(colours.get()), nullptr) << desktop;
  }
  for (const char* desktop : {"GNOME", "XFCE", ""}) {
    qputenv("XDG_CURRENT_DESKTOP", desktop);
    const std::unique_ptr<SystemColours> colours = MakeDesktopSystemColours();
    EXPECT_NE(dynamic_cast<PaletteSystemColours*>(colours.get()), nullptr) << desktop;
  }
}

}  // namespace
}  // namespace tintara
