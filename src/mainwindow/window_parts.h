#ifndef TINTARA_MAINWINDOW_WINDOW_PARTS_H_
#define TINTARA_MAINWINDOW_WINDOW_PARTS_H_

#include <QFrame>
#include <QIcon>
#include <QRect>
#include <QString>

#include "widgets/flat_button.h"

// The small pieces the main window is built of, in every region alike.
namespace tintara {

// A raised panel of the tool bar or the colour-source strip.
inline QFrame* MakePanel(const QRect& geometry, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setGeometry(geometry);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  return panel;
}

// A tool button with its glyph and hint.
inline TFlatBtn* MakeToolButton(const QRect& geometry, const char* glyph, int glyph_size,
                                const char* hint, QWidget* parent) {
  auto* button = new TFlatBtn(parent);
  button->setGeometry(geometry);
  button->setIcon(QIcon(QString::fromUtf8(glyph)));
  button->setIconSize(QSize(glyph_size, glyph_size));
  button->setToolTip(QString::fromUtf8(hint));
  return button;
}

// One red bar of a frame that marks a chosen cell or slot.
inline QWidget* MakeFrameBar(const QRect& geometry, QWidget* parent) {
  auto* bar = new QWidget(parent);
  bar->setGeometry(geometry);
  bar->setAutoFillBackground(true);
  QPalette palette = bar->palette();
  palette.setColor(QPalette::Window, Qt::red);
  bar->setPalette(palette);
  return bar;
}

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_WINDOW_PARTS_H_
