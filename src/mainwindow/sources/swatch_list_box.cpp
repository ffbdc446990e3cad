#include "mainwindow/sources/swatch_list_box.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "widgets/classic_drawing.h"

namespace tintara {
namespace {

class SwatchItemDelegate : public QStyledItemDelegate {
 public:
  explicit SwatchItemDelegate(SwatchListBox* box) : QStyledItemDelegate(box), box_(box) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->save();
    painter->setFont(option.font);
    box_->DrawItem(*painter, index.row(), option.rect,
                   option.state.testFlag(QStyle::State_Selected));
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), SwatchListBox::kItemHeight};
  }

 private:
  SwatchListBox* box_;
};

// Room the text of an item needs besides itself: the swatch before it and a
// little after it.
constexpr int kTextLeft = 40;
constexpr int kTextRightMargin = 6;

}  // namespace

SwatchListBox::SwatchListBox(int visible_rows, QWidget* parent) : ClassicListBox(parent) {
  setMaxVisibleItems(visible_rows);
  setFocusPolicy(Qt::StrongFocus);
}

void SwatchListBox::DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) const {
  if (draw_item_) {
    draw_item_(painter, index, rect, selected);
  } else {
    painter.fillRect(rect, selected ? palette().highlight() : palette().base());
  }
}

void SwatchListBox::showPopup() {
  emit DroppingDown();
  // The open list shows every item whole, however narrow the box.
  int widest = 0;
  const QFontMetrics metrics(font());
  for (int i = 0; i < count(); ++i) {
    widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
  }
  QAbstractItemView* list = view();
  const int scroll_bar =
      count() > maxVisibleItems() ? list->verticalScrollBar()->sizeHint().width() : 0;
  list->setMinimumWidth(kTextLeft + widest + kTextRightMargin + scroll_bar +
                        2 * list->frameWidth());
  ClassicListBox::showPopup();
}

QAbstractItemDelegate* SwatchListBox::MakeItemDelegate() { return new SwatchItemDelegate(this); }

void SwatchListBox::paintEvent(QPaintEvent*) {
  // The classic closed list: a sunken field with the drop-down button at its
  // right, the chosen item drawn in the field.
  QPainter painter(this);
  const bool open = ListShown();
  const QRect inside = DrawClosedList(painter, rect(), palette(), isEnabled(), open, kButtonWidth);
  if (currentIndex() < 0) return;
  const QRect field(inside.left() + 1, inside.top() + (inside.height() - kItemHeight) / 2,
                    inside.width() - 2, kItemHeight);
  painter.setFont(font());
  painter.setClipRect(field);
  // As a list box draws its chosen item: highlighted while it has the focus.
  DrawItem(painter, currentIndex(), field, hasFocus() && !open);
}

void DrawSwatchItem(QPainter& painter, const QRect& rect, bool selected, RgbColor colour,
                    const QString& text, const QPalette& palette) {
  const int left = rect.left();
  const int top = rect.top();
  const int bottom = rect.bottom() + 1;
  painter.fillRect(rect, selected ? palette.highlight() : palette.base());
  // The swatch from (left + 1, top + 1) up to, not including, (left + 35,
  // bottom - 1), its outline one black pixel.
  const QRect swatch(QPoint(left + 1, top + 1), QPoint(left + 34, bottom - 2));
  painter.fillRect(swatch, Qt::black);
  painter.fillRect(swatch.adjusted(1, 1, -1, -1), QColor(colour.r, colour.g, colour.b));
  painter.setPen(selected ? palette.color(QPalette::HighlightedText)
                          : palette.color(QPalette::Text));
  painter.drawText(QRect(QPoint(left + kTextLeft, top), rect.bottomRight()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace tintara
