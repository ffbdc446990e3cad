#include "widgets/classic_list_box.h"

#include <QAbstractItemView>
#include <QEvent>

#include "widgets/drop_down_below.h"

namespace tintara {

void ClassicListBox::showPopup() {
  if (!delegate_made_) {
    DropDownBelow(*this);
    setItemDelegate(MakeItemDelegate());
    delegate_made_ = true;
  }
  QComboBox::showPopup();
}

bool ClassicListBox::ListShown() const { return delegate_made_ && view()->isVisible(); }

bool ClassicListBox::event(QEvent* event) {
  const bool handled = QComboBox::event(event);
  // The style's polish clears this; the box covers its whole rectangle, so
  // whatever lies behind it need not be drawn first.
  if (event->type() == QEvent::Polish) setAttribute(Qt::WA_OpaquePaintEvent);
  return handled;
}

}  // namespace tintara
