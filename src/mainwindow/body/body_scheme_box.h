#ifndef TINTARA_MAINWINDOW_BODY_BODY_SCHEME_BOX_H_
#define TINTARA_MAINWINDOW_BODY_BODY_SCHEME_BOX_H_

#include "widgets/classic_list_box.h"

class QPainter;

namespace tintara {

// The list of sample BODY schemes. Every item, and the chosen one in the
// closed box, is drawn as a small page: a square of the background colour
// with four lines in the text and link colours, then the scheme's name.
class BodySchemeBox : public ClassicListBox {
  Q_OBJECT

 public:
  static constexpr int kItemHeight = 16;
  static constexpr int kButtonWidth = 16;

  explicit BodySchemeBox(QWidget* parent = nullptr);

 protected:
  QAbstractItemDelegate* MakeItemDelegate() override;
  void paintEvent(QPaintEvent* event) override;
};

// Draws sample `index` into `rect`, on the highlight when `highlighted`.
void DrawBodySchemeItem(QPainter& painter, const QRect& rect, int index, bool highlighted,
                        const QPalette& palette);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_BODY_BODY_SCHEME_BOX_H_
