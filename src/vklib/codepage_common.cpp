#include "vklib/codepage.h"

namespace vklib {

size_t FindText(std::string_view text, std::string_view needle, size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  for (size_t i = 0; i + needle.size() <= text.size(); i += CharLength(text, i)) {
    if (i >= from && text.compare(i, needle.size(), needle) == 0) return i;
  }
  return std::string_view::npos;
}

}  // namespace vklib
