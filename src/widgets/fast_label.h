#ifndef TINTARA_WIDGETS_FAST_LABEL_H_
#define TINTARA_WIDGETS_FAST_LABEL_H_

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QRawFont>

namespace tintara {

// A one-line plain-text label that renders its text once into an image of
// its own and afterwards only blends that image. The captions of the BODY
// group sit on the colour being edited, so they are all redrawn on every
// drag step, and laying glyphs out and rasterising them each time would
// cost more than the rest of the step. Labels showing a picture, or rich or
// wrapped text, draw as usual.
class FastLabel : public QLabel {
  Q_OBJECT

 public:
  explicit FastLabel(const QString& text = {}, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // What the rendered image was made from.
  struct RenderedFrom {
    QString text;
    QFont font;
    QColor colour;
    QSize size;
    Qt::Alignment alignment;
    int margin = 0;
    qreal pixel_ratio = 1;
    bool operator==(const RenderedFrom&) const = default;
  };

  void Render(const RenderedFrom& from);
  bool DrawGlyphs(QPainter& painter, const QRect& area, const RenderedFrom& from);

  QImage rendered_;
  RenderedFrom rendered_from_;
  QRawFont raw_font_;
  QFont raw_font_from_;
};

}  // namespace tintara

#endif  // TINTARA_WIDGETS_FAST_LABEL_H_
