// The gradient palette, its bar, the editor's strips and the swatch.
#include <QLabel>
#include <QScrollBar>

#include "mainwindow/client_area.h"
#include "mainwindow/editor/editor_math.h"
#include "mainwindow/editor/field_edit.h"
#include "mainwindow/palette/floating_swatch.h"
#include "mainwindow/tform1.h"

namespace tintara {
namespace {

constexpr std::uint8_t kPaletteSetter = 2;
constexpr int kStripTops[3] = {307, 339, 371};
constexpr int kStripLeft = 112;
constexpr int kBarLeft = 284;
constexpr int kBarRight = 297;
constexpr int kArrowLeft = 297;
constexpr QRect kSwatch(332, 84, 150, 94);
constexpr int kSwatchSplit = 408;

std::uint32_t Packed(const QColor& colour) {
  return RgbColor::FromInts(colour.red(), colour.green(), colour.blue()).Packed();
}

}  // namespace

void TForm1::SetFieldPoint(FieldAxis axis) {
  UpdateOrigin = kPaletteSetter;
  PaletteAxes& p = palette_axes_;
  const bool x_changed = axis != FieldAxis::kY;
  const bool y_changed = axis != FieldAxis::kX;
  if (x_changed) {
    p.x = ComponentRange{p.xmin, p.xmax}.Clamp(p.x);
    ScrollBarE->setValue(p.x);
    EditE->ShowText(QString::number(p.x));
  }
  if (y_changed) {
    p.y = ComponentRange{p.ymin, p.ymax}.Clamp(p.y);
    ScrollBarS->setValue(VerticalSliderPosition({p.ymin, p.ymax}, p.y));
    EditS->ShowText(QString::number(p.y));
  }
  MoveMarkers();
  const RgbColor colour = PaletteToRgb(palette_channel_, p.x, p.y, p.bar);
  StoreColour(colour);
  DrawPaletteBar();
  RefreshRows();
  RefreshAll();
}

void TForm1::SetBarValue() {
  UpdateOrigin = kPaletteSetter;
  PaletteAxes& p = palette_axes_;
  p.bar = ComponentRange{p.barmin, p.barmax}.Clamp(p.bar);
  ScrollBarL->setValue(VerticalSliderPosition({p.barmin, p.barmax}, p.bar));
  MoveArrow();
  EditL->ShowText(QString::number(p.bar));
  const RgbColor colour = PaletteToRgb(palette_channel_, p.x, p.y, p.bar);
  StoreColour(colour);
  BuildPaletteGrid();
  PaintPaletteGrid();
  RefreshRows();
  RefreshAll();
}

void TForm1::SyncPaletteFromColor() {
  PaletteAxes& p = palette_axes_;
  const PaletteValues v = RgbToPalette(palette_channel_, CurrentColour());
  p.x = v.x;
  p.y = v.y;
  p.bar = v.bar;
  // The sliders clamp a value outside the axis; the fields show it as it is.
  ScrollBarE->setValue(p.x);
  ScrollBarS->setValue(VerticalSliderPosition({p.ymin, p.ymax}, p.y));
  ScrollBarL->setValue(VerticalSliderPosition({p.barmin, p.barmax}, p.bar));
  MoveArrow();
  MoveMarkers();
  EditE->ShowText(QString::number(p.x));
  EditS->ShowText(QString::number(p.y));
  EditL->ShowText(QString::number(p.bar));
  BuildPaletteGrid();
  DrawPaletteBar();
  PaintPaletteGrid();
}

void TForm1::MoveMarkers() {
  const PixelPoint point =
      MarkerPoint(PaletteAxisTable(palette_channel_), ScrollBarE->value(), ScrollBarS->value());
  const MarkerLayout layout = LayoutMarkers(point);
  ImageCenterU->move(layout.up.x, layout.up.y);
  ImageCenterD->move(layout.down.x, layout.down.y);
  ImageCenterL->move(layout.left.x, layout.left.y);
  ImageCenterR->move(layout.right.x, layout.right.y);
}

void TForm1::MoveArrow() {
  ImageArrow->move(kArrowLeft, ArrowTop(PaletteAxisTable(palette_channel_), ScrollBarL->value()));
}

void TForm1::BuildPaletteGrid() {
  tintara::BuildPaletteGrid(palette_channel_, palette_axes_.bar, palette_grid_);
}

void TForm1::DrawPaletteBar() {
  const RgbColor current = CurrentColour();
  for (int i = 0; i < kBarBands; ++i) {
    surface_.FillRectNoPen(kBarLeft, 247 - 2 * i, kBarRight, 256 - 2 * i,
                           BarBandColour(palette_channel_, i, current));
  }
  surface_.MarkDirty(QRect(kBarLeft, 0, kBarRight - 1 - kBarLeft, 255));
}

void TForm1::PaintPaletteGrid() {
  for (int r = 0; r < kGridCells; ++r) {
    for (int c = 0; c < kGridCells; ++c) {
      surface_.FillRectNoPen(kCellSize * c, kCellSize * r, kCellSize * c + 9, kCellSize * r + 9,
                             palette_grid_[kGridCells * r + c]);
    }
  }
  surface_.MarkDirty(QRect(0, 0, kFieldSize, kFieldSize));
  // The tick images are child controls and always stay above the cells.
}

void TForm1::DrawSlideStrips() {
  for (int k = 0; k < 3; ++k) {
    const int top = kStripTops[k];
    for (int i = 0; i < kStripLength; ++i) {
      const std::uint32_t colour = StripColour(slide_model_, k, i, rows_);
      surface_.SetPixel(kStripLeft + i, top, colour);
      surface_.SetPixel(kStripLeft + i, top + 1, colour);
    }
    surface_.MarkDirty(QRect(kStripLeft, top, kStripLength, 2));
  }
}

void TForm1::PaintSwatch() {
  const std::uint32_t colour = CurrentColour().Packed();
  surface_.FillRect(kSwatch.left(), kSwatch.top(), kSwatchSplit, kSwatch.bottom() + 1, colour);
  // The right half would show the nearest solid palette colour on a display
  // with a colour palette; on true-colour displays both halves are alike.
  surface_.FillRect(kSwatchSplit, kSwatch.top(), kSwatch.right() + 1, kSwatch.bottom() + 1, colour);
  surface_.MarkDirty(kSwatch);
}

void TForm1::PaintStaticParts() {
  surface_.FillRect(0, 0, kClientWidth, kClientHeight, Packed(background_));
  constexpr std::uint32_t kBlack = 0;
  surface_.FillRect(331, 83, 332, 179, kBlack);   // left frame line
  surface_.FillRect(482, 83, 483, 179, kBlack);   // right
  surface_.FillRect(332, 83, 482, 84, kBlack);    // top
  surface_.FillRect(332, 178, 482, 179, kBlack);  // bottom
  surface_.MarkDirty(QRect(0, 0, kClientWidth, kClientHeight));
}

void TForm1::FormPaint() {
  PaintStaticParts();
  PaintSwatch();
  DrawSlideStrips();
  DrawPaletteBar();
  PaintPaletteGrid();
}

void TForm1::Flush() {
  const QRegion dirty = surface_.TakeDirty();
  if (!dirty.isEmpty()) client_->update(dirty);
}

void TForm1::FormMouseDown(Qt::MouseButton button, Qt::MouseButtons held, QPoint position) {
  if (button != Qt::LeftButton || !(held & Qt::LeftButton)) return;
  drag_mode_ = HitTestPress(position.x(), position.y());
  if (drag_mode_ == DragMode::kSwatch) {
    floating_swatch_->ShowColour(QColor(red_, green_, blue_),
                                 QRect(client_->mapToGlobal(kSwatch.topLeft()), kSwatch.size()));
    last_mouse_ = position;
  }
}

void TForm1::FormMouseMove(QPoint position) {
  const PaletteAxisRow& axes = PaletteAxisTable(palette_channel_);
  switch (drag_mode_) {
    case DragMode::kField:
      palette_axes_.x = MouseToX(axes, position.x());
      palette_axes_.y = MouseToY(axes, position.y());
      SetFieldPoint();
      break;
    case DragMode::kBar:
      palette_axes_.bar = MouseToBar(axes, position.y());
      SetBarValue();
      break;
    case DragMode::kSwatch:
      floating_swatch_->move(floating_swatch_->pos() + (position - last_mouse_));
      last_mouse_ = position;
      break;
    case DragMode::kNone:
      break;
  }
}

void TForm1::FormMouseUp() {
  if (drag_mode_ == DragMode::kSwatch) floating_swatch_->hide();
  drag_mode_ = DragMode::kNone;
}

}  // namespace tintara
