#include "build/source_location.h"

namespace {

// Line numbers of more digits are none of TeX's.
constexpr size_t kMostDigits = 9;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string LocationLine(const std::string& file, int line, const std::string& message) {
  if (file.empty()) return message;
  return file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + message;
}

bool ParseLocation(const std::string& text, SourceLocation& location) {
  // ":" is never the second byte of a Shift_JIS character.
  for (size_t colon = text.find(':'); colon != std::string::npos;
       colon = text.find(':', colon + 1)) {
    size_t end = colon + 1;
    while (end < text.size() && IsDigit(text[end]) && end - colon <= kMostDigits)
      ++end;
    if (colon == 0 || end == colon + 1 || end == text.size() || text[end] != ':') continue;
    const int line = std::stoi(text.substr(colon + 1, end - colon - 1));
    if (line == 0) continue;
    location.file = text.substr(0, colon);
    location.line = line;
    return true;
  }
  return false;
}
