#ifndef TINTARA_MAINWINDOW_PICKER_DESKTOP_COORDINATES_H_
#define TINTARA_MAINWINDOW_PICKER_DESKTOP_COORDINATES_H_

#include <QPoint>
#include <QRect>

#include "mainwindow/picker/picker_math.h"

// The picker works in the desktop's device pixels; windows are placed in the
// toolkit's coordinates, which differ when the toolkit scales. The toolkit
// keeps each monitor's top-left corner and scales from there.
namespace tintara {

// The scale of the monitor that starts at `monitor`'s top-left corner; 1
// when the toolkit knows no such monitor.
qreal DeviceRatioOf(const QRect& monitor);
QPoint ToWindowCoordinates(QPoint device, const QRect& monitor);
QRect ToWindowRect(const QRect& device, const QRect& monitor);
PixelRect ToPixelRect(const QRect& rect);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PICKER_DESKTOP_COORDINATES_H_
