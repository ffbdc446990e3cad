#ifndef TINTARA_COLOUR_NUMBER_TEXT_H_
#define TINTARA_COLOUR_NUMBER_TEXT_H_

#include <cstddef>
#include <string_view>

// Reading number text the lenient way the program's fields and the companion
// share.
namespace tintara {

// The number at the start of a decimal field: leading white space, one
// optional sign, then digits up to the first other character; 0 without
// digits. Saturates at the limits of int instead of overflowing on absurdly
// long numbers (the caller clamps anyway). `end` is where the reading
// stopped.
struct DecimalReading {
  int value = 0;
  bool has_digits = false;
  std::size_t end = 0;
};
DecimalReading ReadDecimalPrefix(std::string_view text);

}  // namespace tintara

#endif  // TINTARA_COLOUR_NUMBER_TEXT_H_
