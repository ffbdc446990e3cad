#ifndef TINTARA_WIDGETS_FAST_LABEL_H_
#define TINTARA_WIDGETS_FAST_LABEL_H_

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QRawFont>
#include <future>
#include <thread>

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
  friend class LabelsDrawnAhead;

  // What the rendered image is made from.
  struct Look {
    QString text;
    QFont font;
    QColor colour;
    QSize size;
    QRect area;
    Qt::Alignment alignment;
    qreal pixel_ratio = 1;
    bool operator==(const Look&) const = default;
  };

  // False for a label that draws as a plain label does.
  bool DrawsItself() const;
  Look CurrentLook() const;
  // Renders `look` with `font`, which draws as look.font does, and
  // `raw_font`, made from it.
  static QImage Render(const Look& look, const QFont& font, const QRawFont& raw_font);
  static bool DrawGlyphs(QPainter& painter, const Look& look, const QFont& font,
                         const QRawFont& raw_font);

  QImage rendered_;
  Look rendered_look_;
  QRawFont raw_font_;
  QFont raw_font_from_;
  // A picture being drawn ahead, and the look it is drawn for.
  std::future<QImage> ahead_;
  Look ahead_look_;
};

// Draws the texts of a window's labels on a thread of their own, each as the
// label would draw it now, while the window is shown. A label that still
// looks the same at its first paint takes its picture from there, waiting
// for it if it must; one that has changed draws itself. The thread works on
// copies and ends, at the latest, when this object goes, which must be
// before the application object.
class LabelsDrawnAhead {
 public:
  explicit LabelsDrawnAhead(const QList<FastLabel*>& labels);
  ~LabelsDrawnAhead();
  LabelsDrawnAhead(const LabelsDrawnAhead&) = delete;
  LabelsDrawnAhead& operator=(const LabelsDrawnAhead&) = delete;

 private:
  std::thread thread_;
};

}  // namespace tintara

#endif  // TINTARA_WIDGETS_FAST_LABEL_H_
