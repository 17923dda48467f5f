#include "texsource/tex_text.h"

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> SplitList(std::string_view list) {
  std::vector<std::string_view> items;
  while (true) {
    size_t comma = list.find(',');
    items.push_back(Trimmed(list.substr(0, comma)));
    if (comma == std::string_view::npos) return items;
    list.remove_prefix(comma + 1);
  }
}
