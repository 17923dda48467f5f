#pragma once

#include <string_view>
#include <vector>

// Small rules of TeX source text as the readers of sources take it.

// A blank between words: a space, a tab, or a line end.
inline bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The text without the blanks around it.
std::string_view Trimmed(std::string_view text);

// The items of a comma-separated list, each without the blanks around it.
std::vector<std::string_view> SplitList(std::string_view list);
