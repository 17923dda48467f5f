#include "app/arg.h"

#include "vklib/codepage.h"

namespace {

const char kUnknownOption[] = "は知らないオプションです．";

// Where the token that starts at `start` ends: at the first blank outside double quotes, or at
// the end of the text.
size_t TokenEnd(std::string_view text, size_t start) {
  bool in_quotes = false;
  for (size_t i = start; i < text.size(); i += vklib::CharLength(text, i)) {
    if (text[i] == '"') in_quotes = !in_quotes;
    if (text[i] == ' ' && !in_quotes) return i;
  }
  return text.size();
}

}  // namespace

bool Arg::Parse() {
  arguments.clear();
  error.clear();
  size_t position = 0;
  while (true) {
    while (position < text.size() && text[position] == ' ')
      ++position;
    size_t end = TokenEnd(text, position);
    std::string token = text.substr(position, end - position);
    if (token.compare(0, 2, "--") == 0) {
      std::string name = token.substr(2);
      OptionState& option = long_options[name];
      if (!option.known) {
        error = name + kUnknownOption;
        return false;
      }
      option.given = true;
    } else if (!token.empty() && token[0] == '-') {
      char name = token.size() > 1 ? token[1] : '\0';
      OptionState& option = short_options[name];
      if (!option.known) {
        // The whole character: a double-byte one is named with both its bytes.
        error =
            token.substr(1, token.size() > 1 ? vklib::CharLength(token, 1) : 0) + kUnknownOption;
        return false;
      }
      option.given = true;
    } else if (!token.empty()) {
      arguments.push_back(token);
    }
    if (end >= text.size()) return true;
    position = end;
  }
}

std::string CommandLineArguments(std::string_view command_line) {
  size_t end = TokenEnd(command_line, 0);
  return end < command_line.size() ? std::string(command_line.substr(end + 1)) : std::string();
}
