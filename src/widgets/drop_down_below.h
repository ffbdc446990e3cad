#ifndef TINTARA_WIDGETS_DROP_DOWN_BELOW_H_
#define TINTARA_WIDGETS_DROP_DOWN_BELOW_H_

class QComboBox;

namespace tintara {

// Makes `box` open its list as a drop-down list, whatever the style: below
// the box where there is room (above it otherwise), no more rows than the
// box's most visible items, scrolled so the chosen item shows. Some styles
// would instead lay the whole list over the box around the chosen item.
// Call it before the list first opens; calling it again does nothing.
void DropDownBelow(QComboBox& box);

}  // namespace tintara

#endif  // TINTARA_WIDGETS_DROP_DOWN_BELOW_H_
