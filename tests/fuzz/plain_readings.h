#ifndef TINTARA_TESTS_FUZZ_PLAIN_READINGS_H_
#define TINTARA_TESTS_FUZZ_PLAIN_READINGS_H_

#include <cstddef>
#include <optional>
#include <string_view>

#include "colour/colour_text.h"

// Straightforward second readings the targets hold the program's own
// against: slow and obvious on purpose.
namespace tintara::plain {

inline char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

// The whole word, in any case, is one of the table's names.
inline std::optional<RgbColor> TableColour(std::string_view word) {
  for (const NamedColor& entry : NamedColorTable) {
    if (entry.name.size() != word.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < word.size(); ++k) same = same && Lower(word[k]) == entry.name[k];
    if (same) return entry.value;
  }
  return std::nullopt;
}

}  // namespace tintara::plain

#endif  // TINTARA_TESTS_FUZZ_PLAIN_READINGS_H_
