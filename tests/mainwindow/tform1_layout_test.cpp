// Every control of the main window at its place, read from the running
// window: a later change cannot move one unnoticed.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "mainwindow/body/body_scheme_box.h"
#include "mainwindow/copy/copy_format_box.h"
#include "mainwindow/editor/field_edit.h"
#include "mainwindow/picker/magnifier_view.h"
#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/picker/piccer_button.h"
#include "mainwindow/program_windows.h"
#include "mainwindow/sources/standard_palette_image.h"
#include "mainwindow/sources/swatch_list_box.h"
#include "mainwindow/user_palette/user_slot.h"
#include "platform/memory_settings_store.h"
#include "widgets/colour_group_box.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

constexpr int kAny = -1;  // not fixed by the layout

struct Place {
  const char* name;
  const QWidget* control;
  int left, top, width, height;  // in the control's parent
};

class TForm1LayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    windows_.Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows_.Main()));
  }
  MemorySettingsStore store_;
  ProgramWindows windows_{TForm1Services{.settings = &store_, .error_box = [](const QString&) {}}};
};

TEST_F(TForm1LayoutTest, EveryControlIsWhereTheLayoutPutsIt) {
  TForm1& f = windows_.Main();
  std::vector<Place> places = {
      // Regions.
      {"client area", f.Client(), kAny, kAny, 626, 416},
      {"ScrollBarE", f.ScrollBarE, 0, 262, 256, 17},
      {"ScrollBarS", f.ScrollBarS, 262, 0, 17, 256},
      {"ScrollBarL", f.ScrollBarL, 308, 0, 17, 256},
      {"PanelOpen", f.PanelOpen, 328, 0, 111, 29},
      {"PanelRGB", f.PanelRGB, 439, 0, 75, 29},
      {"Panel1", f.Panel1, 515, 0, 111, 29},
      {"PanelColor", f.PanelColor, 328, 30, 298, 29},
      {"GroupBox1", f.GroupBox1, 488, 68, 138, 312},
      {"GroupBoxUserPalette", f.GroupBoxUserPalette, 5, 373, 620, 41},
      {"PanelPiccer", &f.PushPickPanel(), -1, 0, 212, 465},
      {"Label10", f.Label10, 384, 63, kAny, kAny},
      // ESL fields.
      {"EditE", f.EditE, 420, 191, 37, kAny},
      {"EditS", f.EditS, 420, 223, 37, kAny},
      {"EditL", f.EditL, 420, 255, 37, kAny},
      // Tool buttons, 27 x 27.
      {"SpeedButtonPicture", f.SpeedButtonPicture, 1, 1, 27, 27},
      {"ButtonCopyBody", f.ButtonCopyBody, 29, 1, 27, 27},
      {"SpeedButtonPaste", f.SpeedButtonPaste, 56, 1, 27, 27},
      {"BitBtnPiccer", f.BitBtnPiccer, 83, 1, 27, 27},
      {"SpeedButtonCopy", f.SpeedButtonCopy, kAny, kAny, 27, 27},
      {"SpeedButtonColorFix", f.SpeedButtonColorFix, 1, kAny, 27, 27},
      {"SpeedButtonColorWin", f.SpeedButtonColorWin, 29, kAny, 27, 27},
      {"SpeedButtonColorFav", f.SpeedButtonColorFav, 56, kAny, 27, 27},
      {"SpeedButtonColorStd", f.SpeedButtonColorStd, 83, kAny, 27, 27},
      // Colour sources.
      {"PanelFixColor", f.PanelFixColor, 0, 0, 298, 29},
      {"PanelWinColor", f.PanelWinColor, 0, 0, 298, 29},
      {"PanelFavColor", f.PanelFavColor, 0, 0, 298, 29},
      {"PanelStdColor", f.PanelStdColor, 0, 0, 298, 29},
      {"ComboBoxFixColor", f.ComboBoxFixColor, 2, 5, 292, kAny},
      {"Image16", f.Image16, 3, 6, 288, 18},
      // BODY group.
      {"ComboBoxBodyEx", f.ComboBoxBodyEx, 4, 280, 128, 22},
  };
  const QWidget* const rows[3][4] = {{f.LabelY, f.EditR, f.hEditR, f.ScrollBarR},
                                     {f.LabelC, f.EditG, f.hEditG, f.ScrollBarG},
                                     {f.LabelM, f.EditB, f.hEditB, f.ScrollBarB}};
  const QWidget* const prefixes[3] = {f.Label1, f.Label2, f.Label3};
  for (int k = 0; k < 3; ++k) {
    const int top = 288 + 32 * k;
    places.push_back({"row label", rows[k][0], 7, kAny, kAny, kAny});
    places.push_back({"row decimal field", rows[k][1], 24, kAny, 37, kAny});
    places.push_back({"row 0x", prefixes[k], 70, kAny, kAny, kAny});
    places.push_back({"row hexadecimal field", rows[k][2], 86, kAny, 24, kAny});
    places.push_back({"row slider", rows[k][3], 112, top, 369, 17});
  }
  const QWidget* const radios[5] = {f.RadioButtonT, f.RadioButtonL, f.RadioButtonV, f.RadioButtonA,
                                    f.RadioButtonB};
  const QWidget* const boxes[5] = {f.CheckBoxT, f.CheckBoxL, f.CheckBoxV, f.CheckBoxA, f.CheckBoxB};
  const QWidget* const lines[5] = {f.LabelBody1, f.LabelBody2, f.LabelBody3, f.LabelBody4,
                                   f.LabelBody5};
  for (int k = 0; k < 5; ++k) {
    places.push_back({"role radio button", radios[k], 3, kAny, kAny, kAny});
    places.push_back({"role check box", boxes[k], 116, kAny, kAny, kAny});
    places.push_back({"preview line", lines[k], kAny, 207 + 14 * k, kAny, kAny});
  }
  for (int i = 0; i < 10; ++i) {
    places.push_back(
        {"user slot", f.UserSlots[static_cast<std::size_t>(i)], 248 + 32 * i, 11, 24, 24});
  }
  const MagnifierView& mosaic = *windows_.Mosaic().View();
  for (const MagnifierView* view :
       {static_cast<const MagnifierView*>(&f.PushPickPanel()), &mosaic}) {
    places.push_back({"ImagePiccer", view->ImagePiccer, 0, 0, 210, 210});
    places.push_back({"Label18", view->Label18, 21, 219, kAny, kAny});
    places.push_back({"Label19", view->Label19, 77, 219, kAny, kAny});
    places.push_back({"Label20", view->Label20, 150, 219, kAny, kAny});
    places.push_back({"LabelR", view->LabelR, kAny, 242, kAny, kAny});
    places.push_back({"LabelhR", view->LabelhR, kAny, 261, kAny, kAny});
    places.push_back({"LabelPos", view->LabelPos, kAny, 284, kAny, kAny});
  }
  places.push_back({"TFormMosaic", &windows_.Mosaic(), kAny, kAny, 211, 320});

  for (const Place& p : places) {
    ASSERT_NE(p.control, nullptr) << p.name;
    const QRect r = p.control->geometry();
    const int actual[4] = {r.left(), r.top(), r.width(), r.height()};
    const int wanted[4] = {p.left, p.top, p.width, p.height};
    for (int k = 0; k < 4; ++k) {
      if (wanted[k] != kAny) {
        EXPECT_EQ(actual[k], wanted[k]) << p.name << " field " << k << " of " << r.x() << ","
                                        << r.y() << " " << r.width() << "x" << r.height();
      }
    }
  }
}

TEST_F(TForm1LayoutTest, FrameIsFixedCentredAndWithoutMaximiseBox) {
  const TForm1& f = windows_.Main();
  EXPECT_FALSE(f.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(f.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(f.minimumSize(), f.maximumSize());
  // Centred as placed before the frame is known: the window itself, to the
  // pixel.
  const QRect screen = f.screen()->availableGeometry();
  const int frame = f.frameGeometry().width() - f.width();
  EXPECT_LE(std::abs(f.frameGeometry().center().x() - screen.center().x()), frame / 2 + 1);
}

}  // namespace
}  // namespace tintara
