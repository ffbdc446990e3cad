// The copy text of the current colour and its list of formats.
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>

#include "mainwindow/copy/copy_format_box.h"
#include "mainwindow/tform1.h"
#include "output/copy_formats.h"
#include "widgets/flat_button.h"
#include "widgets/plain_hint.h"

namespace tintara {
namespace {

constexpr int kNarrowListWidth = 44;
constexpr int kDroppedListWidth = 200;

}  // namespace

void TForm1::RebuildCopyText() {
  const CopyText copy =
      BuildCopyText(CurrentColour(), ComboBoxCopy->currentIndex(), output_num_, output_lower_);
  // The copy text as it stands, also when it is a tag.
  SpeedButtonCopy->setToolTip(PlainHint(QString::fromStdString(copy.button_hint)));
  EditRGB = QString::fromStdString(copy.text);
  setWindowTitle(QString::fromStdString(copy.window_title));
}

void TForm1::CopyColourText() { QGuiApplication::clipboard()->setText(EditRGB); }

void TForm1::SpeedButtonCopyClick() { CopyColourText(); }

void TForm1::ComboBoxCopyChange() {
  RebuildCopyText();
  const int format = ComboBoxCopy->currentIndex();
  if (format >= 0 && format < kCopyFormatCount) {
    const std::string_view hint = kCopyFormats[format].hint;
    ComboBoxCopy->setToolTip(QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size())));
  }
  ComboBoxCopy->resize(kNarrowListWidth, ComboBoxCopy->height());
  ComboBoxCopy->lineEdit()->setCursorPosition(0);
}

void TForm1::ComboBoxCopyDropDown() {
  ComboBoxCopy->resize(kDroppedListWidth, ComboBoxCopy->height());
  ComboBoxCopy->raise();
}

void TForm1::ComboBoxCopyDblClick() {
  ComboBoxCopy->resize(kNarrowListWidth, ComboBoxCopy->height());
}

}  // namespace tintara
