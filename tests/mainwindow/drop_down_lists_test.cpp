// The drop-down lists of the main window opened with a click on a real X
// display, as the user opens them: each shows its own number of rows, below
// the box where there is room, with the chosen item among them, whatever
// style the toolkit draws with (the test runs under more than one).
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <string>

#include "mainwindow/body/body_scheme_box.h"
#include "mainwindow/copy/copy_format_box.h"
#include "mainwindow/program_windows.h"
#include "mainwindow/sources/swatch_list_box.h"
#include "platform/memory_settings_store.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

constexpr int kFavourites = 40;

// What an opened list shows.
struct OpenList {
  int rows = 0;      // rows shown whole
  int shortest = 0;  // the lowest and the highest of them, in pixels
  int tallest = 0;
  bool chosen_shown = false;
  bool scroll_bar = false;  // to reach the rows not shown
  QRect frame;              // the list's window, in screen pixels
};

class DropDownListsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    store_.Set("Favorite", kFavourites);
    for (int j = 0; j < kFavourites; ++j) {
      const std::string n = std::to_string(j);
      store_.Set("Favorite" + n, "favourite " + n);
      store_.Set("FavoriteR" + n, j * 6);
      store_.Set("FavoriteG" + n, 100);
      store_.Set("FavoriteB" + n, 255 - j * 6);
    }
    windows_ = std::make_unique<ProgramWindows>(
        TForm1Services{.settings = &store_, .error_box = [](const QString&) {}});
    PlaceWindow(QPoint(100, 100));
  }

  TForm1& Main() { return windows_->Main(); }

  void PlaceWindow(QPoint where) {
    Main().move(where);
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    QTest::qWait(50);
  }

  // Clicks the box's drop-down button, reads the open list once it has
  // settled, and closes it again.
  static OpenList Open(QComboBox* box) {
    OpenList shown;
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier,
                      QPoint(box->width() - 6, box->height() / 2));
    QAbstractItemView* view = box->view();
    EXPECT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }, 3000));
    if (!view->isVisible()) return shown;
    QRect last;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
          const QRect now = view->window()->geometry();
          const bool settled = now == last && !now.isEmpty();
          last = now;
          return settled;
        },
        3000));
    shown.frame = view->window()->geometry();
    const QRect visible = view->viewport()->rect();
    shown.shortest = 1 << 20;
    for (int row = 0; row < box->count(); ++row) {
      const QRect item = view->visualRect(box->model()->index(row, 0));
      if (!visible.contains(item)) continue;
      ++shown.rows;
      shown.shortest = std::min(shown.shortest, item.height());
      shown.tallest = std::max(shown.tallest, item.height());
      if (row == box->currentIndex()) shown.chosen_shown = true;
    }
    shown.scroll_bar = view->verticalScrollBar()->isVisible();
    box->hidePopup();
    EXPECT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }, 3000));
    return shown;
  }

  static QRect OnScreen(const QWidget* box) {
    return QRect(box->mapToGlobal(QPoint(0, 0)), box->size());
  }

  // A list of program-drawn rows: `rows` rows of 12 pixels, below the box.
  static void ExpectSwatchRows(QComboBox* box, int rows, const char* what) {
    SCOPED_TRACE(what);
    const OpenList shown = Open(box);
    EXPECT_EQ(shown.rows, rows);
    EXPECT_EQ(shown.shortest, SwatchListBox::kItemHeight);
    EXPECT_EQ(shown.tallest, SwatchListBox::kItemHeight);
    EXPECT_TRUE(shown.chosen_shown) << "item " << box->currentIndex();
    EXPECT_GE(shown.frame.top(), OnScreen(box).bottom());
    EXPECT_EQ(shown.scroll_bar, box->count() > rows);
  }

  MemorySettingsStore store_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(DropDownListsTest, NamedColoursShow25RowsAroundTheChosenOne) {
  ExpectSwatchRows(Main().ComboBoxFixColor, 25, "black, chosen at start");
  Main().ComboBoxFixColor->setCurrentIndex(130);
  ExpectSwatchRows(Main().ComboBoxFixColor, 25, "teal, far down the list");
  Main().ComboBoxFixColor->setCurrentIndex(0);
  ExpectSwatchRows(Main().ComboBoxFixColor, 25, "the first");
}

TEST_F(DropDownListsTest, FavouritesShow25Rows) {
  Main().SpeedButtonColorFav->click();
  ExpectSwatchRows(Main().ComboBoxFavColor, 25, "the first favourite");
  Main().ComboBoxFavColor->setCurrentIndex(kFavourites - 1);
  ExpectSwatchRows(Main().ComboBoxFavColor, 25, "the last favourite");
}

TEST_F(DropDownListsTest, ScreenDesignShowsAll26Rows) {
  Main().SpeedButtonColorWin->click();
  Main().ComboBoxWinColor->setCurrentIndex(20);
  ExpectSwatchRows(Main().ComboBoxWinColor, 26, "all the entries");
}

TEST_F(DropDownListsTest, CopyFormatsShowAll17) {
  const OpenList shown = Open(Main().ComboBoxCopy);
  EXPECT_EQ(shown.rows, 17);
  EXPECT_TRUE(shown.chosen_shown);
  EXPECT_FALSE(shown.scroll_bar);
  EXPECT_GE(shown.frame.top(), OnScreen(Main().ComboBoxCopy).bottom());
}

TEST_F(DropDownListsTest, SamplesShowTheirRowsWithTheChosenOne) {
  QComboBox* box = Main().ComboBoxBodyEx;
  box->setCurrentIndex(30);
  const OpenList shown = Open(box);
  EXPECT_EQ(shown.rows, box->maxVisibleItems());
  EXPECT_TRUE(shown.chosen_shown);
  EXPECT_TRUE(shown.scroll_bar);
}

TEST_F(DropDownListsTest, AListWithNoRoomBelowOpensAboveWithAllItsRows) {
  const QRect screen = Main().screen()->availableGeometry();
  PlaceWindow(QPoint(100, screen.bottom() - 150));
  QComboBox* box = Main().ComboBoxFixColor;
  box->setCurrentIndex(60);
  const OpenList shown = Open(box);
  EXPECT_EQ(shown.rows, 25);
  EXPECT_TRUE(shown.chosen_shown);
  EXPECT_LE(shown.frame.bottom(), OnScreen(box).top());
}

}  // namespace
}  // namespace tintara
