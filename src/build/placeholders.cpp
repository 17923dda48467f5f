#include "build/placeholders.h"

#include "vklib/codepage.h"

std::string ReplacePlaceholders(std::string_view text, const PlaceholderValue& value) {
  std::string replaced;
  bool in_quotes = false;
  for (size_t i = 0; i < text.size();) {
    const size_t length = vklib::CharLength(text, i);
    if (length == 2 || text[i] != '%') {
      if (length == 1 && text[i] == '"') in_quotes = !in_quotes;
      replaced.append(text.substr(i, length));
      i += length;
      continue;
    }
    if (i + 1 == text.size()) break;
    replaced += value(text[i + 1], in_quotes);
    i += 2;
  }
  return replaced;
}
