#include "mainwindow/body/body_scheme_box.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "output/body_schemes.h"
#include "widgets/classic_drawing.h"

namespace tintara {
namespace {

QColor ToQColor(RgbColor colour) { return QColor(colour.r, colour.g, colour.b); }

class SchemeItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->save();
    painter->setFont(option.font);
    DrawBodySchemeItem(*painter, option.rect, index.row(),
                       option.state.testFlag(QStyle::State_Selected), option.palette);
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), BodySchemeBox::kItemHeight};
  }
};

}  // namespace

BodySchemeBox::BodySchemeBox(QWidget* parent) : ClassicListBox(parent) {
  for (const BodyScheme& scheme : BodySchemeTable) {
    addItem(QString::fromUtf8(scheme.name.data(), static_cast<qsizetype>(scheme.name.size())));
  }
}

QAbstractItemDelegate* BodySchemeBox::MakeItemDelegate() { return new SchemeItemDelegate(this); }

void BodySchemeBox::paintEvent(QPaintEvent*) {
  // The classic closed list: a sunken field with the drop-down button at its
  // right.
  QPainter painter(this);
  const QPalette& pal = palette();
  const bool open = ListShown();
  const QRect field =
      DrawClosedList(painter, rect(), pal, isEnabled(), open, kButtonWidth).adjusted(1, 1, -1, -1);
  // As a list box draws its chosen item: highlighted while it has the focus.
  painter.setFont(font());
  DrawBodySchemeItem(painter, field, currentIndex(), hasFocus() && !open, pal);
}

// Edges as the item's rectangle gives them: left L, top T, right R and
// bottom B, the right and bottom edges just outside the rectangle.
void DrawBodySchemeItem(QPainter& painter, const QRect& rect, int index, bool highlighted,
                        const QPalette& palette) {
  const int left = rect.left();
  const int top = rect.top();
  const int bottom = rect.bottom() + 1;
  painter.fillRect(rect, highlighted ? palette.highlight() : palette.base());
  if (index < 0 || index >= kBodySchemeCount) return;

  const BodyScheme& scheme = BodySchemeTable[index];
  const BodyColours& colours = scheme.colours;
  // The page: from (L+1, T+1) up to, not including, (L+15, B-1).
  painter.fillRect(QRect(QPoint(left + 1, top + 1), QPoint(left + 14, bottom - 2)),
                   ToQColor(colours[RoleIndex(BodyRole::kBgcolor)]));
  // Text, link, visited and active link lines from x = L+3 up to L+13.
  const BodyRole lines[4] = {BodyRole::kText, BodyRole::kLink, BodyRole::kVlink, BodyRole::kAlink};
  for (int k = 0; k < 4; ++k) {
    painter.fillRect(QRect(left + 3, top + 3 + 3 * k, 10, 1),
                     ToQColor(colours[RoleIndex(lines[k])]));
  }
  painter.setPen(highlighted ? palette.color(QPalette::HighlightedText)
                             : palette.color(QPalette::Text));
  painter.drawText(
      QRect(QPoint(left + 18, top + 2), rect.bottomRight()),
      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
      QString::fromUtf8(scheme.name.data(), static_cast<qsizetype>(scheme.name.size())));
}

}  // namespace tintara
