#ifndef TINTARA_OUTPUT_BODY_SCHEMES_H_
#define TINTARA_OUTPUT_BODY_SCHEMES_H_

#include <array>
#include <string_view>

#include "output/body_composer.h"

// The sample colour schemes offered in the BODY group's list and menu.
namespace tintara {

inline constexpr int kBodySchemeCount = 33;

struct BodyScheme {
  std::string_view name;  // the caption in the list and in the menu
  BodyColours colours;    // text, link, vlink, alink, bgcolor
};

// Scheme 0 holds the roles' default colours. The list and the menu address
// a scheme by its index.
extern const std::array<BodyScheme, kBodySchemeCount> BodySchemeTable;

}  // namespace tintara

#endif  // TINTARA_OUTPUT_BODY_SCHEMES_H_
