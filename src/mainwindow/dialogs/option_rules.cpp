#include "mainwindow/dialogs/option_rules.h"

#include "mainwindow/editor/editor_math.h"

namespace tintara {

int PickerDelayFromText(std::string_view text) {
  const int value = ReadDecimalField(text);
  if (value > kPickerDelayMax) return kPickerDelayMax;
  if (value < kPickerDelayMin) return kPickerDelayMin;
  return value;
}

int PickerRadiusFromText(std::string_view text) {
  const int value = ReadDecimalField(text);
  if (value > kPickerRadiusMax) return kPickerRadiusMax;
  if (value < kPickerRadiusMin) return kPickerRadiusMin;
  return value;
}

}  // namespace tintara
