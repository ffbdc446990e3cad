#ifndef TINTARA_MAINWINDOW_DIALOGS_OPTION_RULES_H_
#define TINTARA_MAINWINDOW_DIALOGS_OPTION_RULES_H_

#include <string_view>

// The rules of the options dialog's two number fields.
namespace tintara {

inline constexpr int kPickerDelayMin = 1;
inline constexpr int kPickerDelayMax = 10000;
inline constexpr int kPickerRadiusMin = 1;
inline constexpr int kPickerRadiusMax = 99;

// The delay field's text read as a number and brought into 1..10000
// ("0012x" is 12, "abc" is 1, "20000" is 10000).
int PickerDelayFromText(std::string_view text);

// The radius field's text read as a number and brought into 1..99.
int PickerRadiusFromText(std::string_view text);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_DIALOGS_OPTION_RULES_H_
