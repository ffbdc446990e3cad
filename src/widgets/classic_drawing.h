#ifndef TINTARA_WIDGETS_CLASSIC_DRAWING_H_
#define TINTARA_WIDGETS_CLASSIC_DRAWING_H_

#include <QImage>
#include <QPalette>
#include <QRect>

class QPainter;

namespace tintara {

// The pieces of the classic bevelled look, each a handful of flat fills.
// Controls redrawn on every drag step use these instead of the style.

// A button face with a two-pixel raised bevel, or, pressed, a flat one with
// a one-pixel frame.
void DrawRaisedBevel(QPainter& p, const QRect& r, const QPalette& pal, bool pressed);

// The two-pixel sunken edge of a field; the inside is left alone.
void DrawSunkenEdge(QPainter& p, const QRect& r, const QPalette& pal);

// The classic closed drop-down list filling `r`: a sunken field with the
// drop-down button, `button_width` wide, at its right, pressed while the
// list is `open`. Returns the field's inside, where the chosen item goes.
QRect DrawClosedList(QPainter& p, const QRect& r, const QPalette& pal, bool enabled, bool open,
                     int button_width);

// A small solid triangle centred in `r`, moved one pixel down and right when
// its button is pressed.
void DrawArrow(QPainter& p, const QRect& r, Qt::ArrowType direction, const QColor& colour,
               bool pressed);

// One line around `r`: `top_left` along the top and left, `bottom_right`
// along the bottom and right, which also take the two far corners.
void DrawEdgeLine(QPainter& p, const QRect& r, const QColor& top_left, const QColor& bottom_right);

// The classic speed button: its face and a two-line frame, raised or sunken.
void DrawSpeedButtonFace(QPainter& p, const QRect& r, const QPalette& pal, bool sunken);

// A glyph as a disabled control shows it: every opaque pixel that is not
// white becomes shadow, with a highlight copy one pixel down and right
// behind it. The picture is one pixel wider and taller than the glyph.
QImage EmbossedGlyph(const QImage& glyph, const QPalette& pal);

}  // namespace tintara

#endif  // TINTARA_WIDGETS_CLASSIC_DRAWING_H_
