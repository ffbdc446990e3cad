// The current colour, its update cycle and the three-row editor.
#include <QGuiApplication>
#include <QLabel>
#include <QScrollBar>

#include "mainwindow/editor/editor_math.h"
#include "mainwindow/editor/field_edit.h"
#include "mainwindow/tform1.h"

namespace tintara {
namespace {

constexpr std::uint8_t kIdle = 0;
constexpr std::uint8_t kRowSetter = 1;
constexpr std::uint8_t kRefreshing = 3;
constexpr int kEnterKey = 13;

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void TForm1::StoreColour(RgbColor colour) {
  red_ = colour.r;
  green_ = colour.g;
  blue_ = colour.b;
}

void TForm1::SetCurrentColour(RgbColor colour) {
  StoreColour(colour);
  RefreshAll();
}

void TForm1::ChooseModels(int palette_channel, SlideModel slide_model) {
  palette_channel_ = palette_channel;
  slide_model_ = slide_model;
  ApplyModelSettings();
  RefreshAll();
}

void TForm1::SetOutputForm(bool output_num, bool output_lower) {
  output_num_ = output_num;
  output_lower_ = output_lower;
  RefreshAll();
}

void TForm1::RefreshAll() {
  if (UpdateOrigin == kIdle) {
    UpdateOrigin = kRefreshing;
    RefreshRows();
    SyncPaletteFromColor();
  }
  PaintSwatch();
  ComposeBodyTag();
  RebuildCopyText();
  UpdateOrigin = kIdle;
  Flush();
}

void TForm1::RefreshRows() {
  const ModelTriple v = RgbToModel(slide_model_, CurrentColour());
  rows_ = {v.first, v.second, v.third};
  for (int k = 0; k < 3; ++k) {
    rows_[k] = row_ranges_[k].Clamp(rows_[k]);
    ShowRow(k);
  }
  DrawSlideStrips();
}

void TForm1::ShowRow(int k) {
  RowSlider(k)->setValue(rows_[k]);
  RowDecimalField(k)->ShowText(QString::number(rows_[k]));
  RowHexField(k)->ShowText(QString::fromStdString(HexFieldText(rows_[k])));
}

void TForm1::ApplyRowValue(int k) {
  UpdateOrigin = kRowSetter;
  rows_[k] = row_ranges_[k].Clamp(rows_[k]);
  ShowRow(k);
  const RgbColor colour = ColourFromRows(slide_model_, k, rows_, CurrentColour());
  StoreColour(colour);
  DrawSlideStrips();
  SyncPaletteFromColor();
  RefreshAll();
}

void TForm1::ApplyModelSettings() {
  UpdateOrigin = kRefreshing;
  const ModelInfo& model = InfoOf(slide_model_);
  QLabel* labels[3] = {LabelY, LabelC, LabelM};
  for (int k = 0; k < 3; ++k) {
    row_ranges_[k] = model.ranges[k];
    labels[k]->setText(FromView(model.labels[k]));
    RowSlider(k)->setMaximum(row_ranges_[k].max);
    RowSlider(k)->setMinimum(row_ranges_[k].min);
  }

  const PaletteAxisRow& axes = PaletteAxisTable(palette_channel_);
  palette_axes_.xmin = axes.x_range.min;
  palette_axes_.xmax = axes.x_range.max;
  palette_axes_.ymin = axes.y_range.min;
  palette_axes_.ymax = axes.y_range.max;
  palette_axes_.barmin = axes.bar_range.min;
  palette_axes_.barmax = axes.bar_range.max;
  LabelE->setText(FromView(axes.x_caption));
  LabelS->setText(FromView(axes.y_caption));
  LabelL->setText(FromView(axes.bar_caption));
  ScrollBarE->setMaximum(axes.x_range.max);
  ScrollBarE->setMinimum(axes.x_range.min);
  ScrollBarS->setMaximum(axes.y_range.max);
  ScrollBarS->setMinimum(axes.y_range.min);
  ScrollBarL->setMaximum(axes.bar_range.max);
  ScrollBarL->setMinimum(axes.bar_range.min);
  UpdateOrigin = kIdle;
}

FieldEdit* TForm1::RowDecimalField(int k) const {
  FieldEdit* const fields[3] = {EditR, EditG, EditB};
  return fields[k];
}

FieldEdit* TForm1::RowHexField(int k) const {
  FieldEdit* const fields[3] = {hEditR, hEditG, hEditB};
  return fields[k];
}

QScrollBar* TForm1::RowSlider(int k) const {
  QScrollBar* const sliders[3] = {ScrollBarR, ScrollBarG, ScrollBarB};
  return sliders[k];
}

void TForm1::ReadRowField(int k, bool hexadecimal) {
  if (UpdateOrigin != kIdle) return;
  const std::string text =
      (hexadecimal ? RowHexField(k) : RowDecimalField(k))->text().toStdString();
  rows_[k] = hexadecimal ? ReadHexField(text) : ReadDecimalField(text);
  ApplyRowValue(k);
}

void TForm1::ScrollBarRChange() {
  if (UpdateOrigin != kIdle) return;
  rows_[0] = ScrollBarR->value();
  ApplyRowValue(0);
}

void TForm1::ScrollBarGChange() {
  if (UpdateOrigin != kIdle) return;
  rows_[1] = ScrollBarG->value();
  ApplyRowValue(1);
}

void TForm1::ScrollBarBChange() {
  if (UpdateOrigin != kIdle) return;
  rows_[2] = ScrollBarB->value();
  ApplyRowValue(2);
}

void TForm1::EditRExit() { ReadRowField(0, false); }
void TForm1::EditGExit() { ReadRowField(1, false); }
void TForm1::EditBExit() { ReadRowField(2, false); }
void TForm1::hEditRExit() { ReadRowField(0, true); }
void TForm1::hEditGExit() { ReadRowField(1, true); }
void TForm1::hEditBExit() { ReadRowField(2, true); }

void TForm1::EditRKeyPress(int key) {
  if (key == kEnterKey) EditRExit();
}
void TForm1::EditGKeyPress(int key) {
  if (key == kEnterKey) EditGExit();
}
void TForm1::EditBKeyPress(int key) {
  if (key == kEnterKey) EditBExit();
}
void TForm1::hEditRKeyPress(int key) {
  if (key == kEnterKey) hEditRExit();
}
void TForm1::hEditGKeyPress(int key) {
  if (key == kEnterKey) hEditGExit();
}
void TForm1::hEditBKeyPress(int key) {
  if (key == kEnterKey) hEditBExit();
}

void TForm1::ScrollBarEChange() {
  if (UpdateOrigin != kIdle) return;
  palette_axes_.x = ScrollBarE->value();
  SetFieldPoint(FieldAxis::kX);
}

void TForm1::ScrollBarSChange() {
  if (UpdateOrigin != kIdle) return;
  palette_axes_.y =
      VerticalSliderPosition({palette_axes_.ymin, palette_axes_.ymax}, ScrollBarS->value());
  SetFieldPoint(FieldAxis::kY);
}

void TForm1::ScrollBarLChange() {
  if (UpdateOrigin != kIdle) return;
  palette_axes_.bar =
      VerticalSliderPosition({palette_axes_.barmin, palette_axes_.barmax}, ScrollBarL->value());
  SetBarValue();
}

void TForm1::EditEExit() {
  if (UpdateOrigin != kIdle) return;
  palette_axes_.x = ReadDecimalField(EditE->text().toStdString());
  SetFieldPoint(FieldAxis::kX);
}

void TForm1::EditSExit() {
  if (UpdateOrigin != kIdle) return;
  palette_axes_.y = ReadDecimalField(EditS->text().toStdString());
  SetFieldPoint(FieldAxis::kY);
}

void TForm1::EditLExit() {
  if (UpdateOrigin != kIdle) return;
  palette_axes_.bar = ReadDecimalField(EditL->text().toStdString());
  SetBarValue();
}

void TForm1::EditEKeyPress(int key) {
  if (key == kEnterKey) EditEExit();
}
void TForm1::EditSKeyPress(int key) {
  if (key == kEnterKey) EditSExit();
}
void TForm1::EditLKeyPress(int key) {
  if (key == kEnterKey) EditLExit();
}

void TForm1::FormDblClick() {
  const QColor current(red_, green_, blue_);
  background_ =
      background_ == current ? QGuiApplication::palette().color(QPalette::Button) : current;
  FormPaint();
  Flush();
}

}  // namespace tintara
