#ifndef TINTARA_WIDGETS_FLAT_BUTTON_H_
#define TINTARA_WIDGETS_FLAT_BUTTON_H_

#include <QImage>
#include <QToolButton>

namespace tintara {

// The tool button of every tool panel: a glyph button that may latch down
// (setCheckable), flat while the mouse is away, a thin raised frame while it
// is over the button, sunken while pressed or latched. It draws itself with a
// few fills in the classic look instead of the style.
class TFlatBtn : public QToolButton {
  Q_OBJECT

 public:
  // How the frame shows while the mouse is over the button.
  enum TEdgeAttr {
    esHard = 0x1,        // keep the ordinary outer line instead of the thin raised one
    esWide = 0x2,        // keep the inner line too
    esAlwaysShow = 0x4,  // show the frame even while the mouse is away
  };
  Q_DECLARE_FLAGS(TEdgeStyle, TEdgeAttr)
  Q_FLAG(TEdgeStyle)

  explicit TFlatBtn(QWidget* parent = nullptr);

  TEdgeStyle EdgeStyle() const { return edge_style_; }
  void SetEdgeStyle(TEdgeStyle style);

  // The mouse is over the button (never while it is disabled).
  bool Hovering() const { return hovering_; }
  // The left button went down on this button, has not been released, and the
  // mouse has not left the button since.
  bool Pressed() const { return pressed_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Enter();
  void Leave();
  void DrawContents(QPainter& p, bool sunken);
  const QImage& DisabledGlyph(const QPixmap& glyph);

  TEdgeStyle edge_style_;
  bool hovering_ = false;
  bool pressed_ = false;
  // The left button went down here and is still held: Qt's implicit grab
  // sends every move here but no enter or leave until the release, so the
  // button tells them apart itself.
  bool held_ = false;

  // The greyed glyph, kept until the glyph or the palette changes.
  qint64 disabled_glyph_key_ = 0;
  qint64 disabled_palette_key_ = 0;
  QImage disabled_glyph_;
};

}  // namespace tintara

Q_DECLARE_OPERATORS_FOR_FLAGS(tintara::TFlatBtn::TEdgeStyle)

#endif  // TINTARA_WIDGETS_FLAT_BUTTON_H_
