#ifndef TINTARA_WIDGETS_FAST_LABEL_H_
#define TINTARA_WIDGETS_FAST_LABEL_H_

#include <QLabel>
#include <QStaticText>

namespace tintara {

// A one-line plain-text label that lays its text out once and then only
// draws the laid-out glyphs. The captions of the BODY group sit on the
// colour being edited, so they are all redrawn on every drag step.
// Labels showing a picture, or rich or wrapped text, draw as usual.
class FastLabel : public QLabel {
  Q_OBJECT

 public:
  explicit FastLabel(const QString& text = {}, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QStaticText laid_out_;
  QString laid_out_text_;
  QFont laid_out_font_;
};

}  // namespace tintara

#endif  // TINTARA_WIDGETS_FAST_LABEL_H_
