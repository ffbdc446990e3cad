#ifndef TINTARA_MAINWINDOW_SOURCES_SWATCH_LIST_BOX_H_
#define TINTARA_MAINWINDOW_SOURCES_SWATCH_LIST_BOX_H_

#include <functional>

#include "colour/rgb_color.h"
#include "widgets/classic_list_box.h"

class QPainter;

namespace tintara {

// A drop-down list whose items the window draws itself: the closed box and
// every row of the open list go through one drawing function. It tells when
// it is about to drop down, so it can be widened first, and its open list is
// always wide enough to show every item whole.
class SwatchListBox : public ClassicListBox {
  Q_OBJECT

 public:
  static constexpr int kItemHeight = 12;
  static constexpr int kButtonWidth = 16;

  // Draws item `index` into `rect`; `selected` asks for the highlight.
  using DrawItemFunction =
      std::function<void(QPainter& painter, int index, const QRect& rect, bool selected)>;

  SwatchListBox(int visible_rows, QWidget* parent = nullptr);

  void SetDrawItem(DrawItemFunction draw) { draw_item_ = std::move(draw); }
  void DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) const;

  void showPopup() override;

 signals:
  void DroppingDown();

 protected:
  QAbstractItemDelegate* MakeItemDelegate() override;
  void paintEvent(QPaintEvent* event) override;

 private:
  DrawItemFunction draw_item_;
};

// The look of an item that shows a colour: the background (the highlight
// when selected), a swatch with a black outline from one pixel inside the
// left edge to 35 pixels in, and the text 40 pixels in.
void DrawSwatchItem(QPainter& painter, const QRect& rect, bool selected, RgbColor colour,
                    const QString& text, const QPalette& palette);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_SOURCES_SWATCH_LIST_BOX_H_
