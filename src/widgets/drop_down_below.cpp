#include "widgets/drop_down_below.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QProxyStyle>
#include <QStyleFactory>

namespace tintara {
namespace {

// The application's style in all but where a list opens.
class DropDownStyle final : public QProxyStyle {
 public:
  // A style of the application's own kind: a proxy owns its base, and the
  // application's style is not the box's to own.
  DropDownStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* answer) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, answer);
  }
};

}  // namespace

void DropDownBelow(QComboBox& box) {
  if (dynamic_cast<DropDownStyle*>(box.style()) != nullptr) return;
  auto* style = new DropDownStyle;
  // The box keeps its style as long as it lives.
  style->setParent(&box);
  box.setStyle(style);
  // A list made under the old style may have been told to hide its scroll
  // bar, as a list laid around its chosen item scrolls by arrows instead.
  box.view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

}  // namespace tintara
