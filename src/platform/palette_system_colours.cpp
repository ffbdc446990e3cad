#include "platform/palette_system_colours.h"

#include <QApplication>
#include <QPalette>

namespace tintara {
namespace {

struct PaletteEntry {
  int index;
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup kActive = QPalette::Active;
constexpr QPalette::ColorGroup kInactive = QPalette::Inactive;
constexpr QPalette::ColorGroup kDisabled = QPalette::Disabled;

// The palette entries each index stands for; an index's first row is the one
// read back. Bevel colours are the same in every state; the text colours of
// a disabled control are grey text. The window background is left alone:
// the main window paints its own.
constexpr PaletteEntry kEntries[] = {
    {kColor3dDkShadow, kActive, QPalette::Shadow},
    {kColor3dDkShadow, kInactive, QPalette::Shadow},
    {kColor3dDkShadow, kDisabled, QPalette::Shadow},
    {kColorBtnFace, kActive, QPalette::Button},
    {kColorBtnFace, kInactive, QPalette::Button},
    {kColorBtnFace, kDisabled, QPalette::Button},
    {kColorBtnHighlight, kActive, QPalette::Light},
    {kColorBtnHighlight, kInactive, QPalette::Light},
    {kColorBtnHighlight, kDisabled, QPalette::Light},
    {kColor3dLight, kActive, QPalette::Midlight},
    {kColor3dLight, kInactive, QPalette::Midlight},
    {kColor3dLight, kDisabled, QPalette::Midlight},
    {kColorBtnShadow, kActive, QPalette::Dark},
    {kColorBtnShadow, kInactive, QPalette::Dark},
    {kColorBtnShadow, kDisabled, QPalette::Dark},
    {kColorBtnText, kActive, QPalette::ButtonText},
    {kColorBtnText, kInactive, QPalette::ButtonText},
    {kColorHighlight, kActive, QPalette::Highlight},
    {kColorHighlight, kInactive, QPalette::Highlight},
    {kColorHighlightText, kActive, QPalette::HighlightedText},
    {kColorHighlightText, kInactive, QPalette::HighlightedText},
    {kColorWindow, kActive, QPalette::Base},
    {kColorWindow, kInactive, QPalette::Base},
    {kColorWindowText, kActive, QPalette::Text},
    {kColorWindowText, kInactive, QPalette::Text},
    {kColorWindowText, kActive, QPalette::WindowText},
    {kColorWindowText, kInactive, QPalette::WindowText},
    {kColorGrayText, kDisabled, QPalette::Text},
    {kColorGrayText, kDisabled, QPalette::WindowText},
    {kColorGrayText, kDisabled, QPalette::ButtonText},
};

const PaletteEntry* FirstEntryOf(int index) {
  for (const PaletteEntry& entry : kEntries) {
    if (entry.index == index) return &entry;
  }
  return nullptr;
}

}  // namespace

PaletteSystemColours::PaletteSystemColours() {
  for (int index = 0; index < kSystemColourIndexCount; ++index) {
    memory_[static_cast<std::size_t>(index)] = ClassicSystemColour(index);
  }
}

RgbColor PaletteSystemColours::Get(int index) {
  if (index < 0 || index >= kSystemColourIndexCount) return {};
  const PaletteEntry* entry = FirstEntryOf(index);
  if (entry == nullptr) return memory_[static_cast<std::size_t>(index)];
  const QColor colour = QApplication::palette().color(entry->group, entry->role);
  return RgbColor::FromInts(colour.red(), colour.green(), colour.blue());
}

void PaletteSystemColours::Set(int index, RgbColor colour) {
  if (index < 0 || index >= kSystemColourIndexCount) return;
  if (FirstEntryOf(index) == nullptr) {
    memory_[static_cast<std::size_t>(index)] = colour;
    return;
  }
  QPalette palette = QApplication::palette();
  const QColor qt_colour(colour.r, colour.g, colour.b);
  for (const PaletteEntry& entry : kEntries) {
    if (entry.index == index) palette.setColor(entry.group, entry.role, qt_colour);
  }
  // Every widget without a palette of its own repaints in the new one.
  QApplication::setPalette(palette);
}

}  // namespace tintara
