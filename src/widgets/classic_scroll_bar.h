#ifndef TINTARA_WIDGETS_CLASSIC_SCROLL_BAR_H_
#define TINTARA_WIDGETS_CLASSIC_SCROLL_BAR_H_

#include <QImage>
#include <QScrollBar>

class QStyleOptionSlider;

namespace tintara {

// A scroll bar that draws itself in the classic bevelled look from kept
// pictures of its track with its buttons and of its thumb. The main window moves up to six of them
// on every drag step, and the styled drawing (gradients, anti-aliased arrows) would cost more than
// everything else the step does.
class ClassicScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  ClassicScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // What the picture of the track depends on.
  struct TrackLook {
    QSize size;
    qint64 palette = 0;
    qreal pixel_ratio = 0;
    bool enabled = false;
    bool sub_down = false;
    bool add_down = false;
    bool operator==(const TrackLook&) const = default;
  };

  QImage TrackPicture(const QStyleOptionSlider& option) const;

  TrackLook track_look_;
  QImage track_picture_;
  // The thumb, kept until its size or the track's look changes.
  QImage thumb_picture_;
};

}  // namespace tintara

#endif  // TINTARA_WIDGETS_CLASSIC_SCROLL_BAR_H_
