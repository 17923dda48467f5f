#include "vklib/codepage.h"

namespace vklib {

const bool* LeadByteTable() {
  static const struct Table {
    Table() {
      for (unsigned byte = 0; byte < 256; ++byte)
        lead[byte] = AskIsLeadByte(static_cast<unsigned char>(byte));
    }
    bool lead[256];
  } table;
  return table.lead;
}

size_t FindText(std::string_view text, std::string_view needle, size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  for (size_t i = 0; i + needle.size() <= text.size(); i += CharLength(text, i)) {
    if (i >= from && text.compare(i, needle.size(), needle) == 0) return i;
  }
  return std::string_view::npos;
}

}  // namespace vklib
