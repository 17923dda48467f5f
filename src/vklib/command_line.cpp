#include "vklib/command_line.h"

#include "vklib/codepage.h"
#include "vklib/file.h"

namespace vklib {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Whether the text holds one of the characters, walking by characters: the second byte of a
// double-byte character may equal "|" or "^".
bool HoldsAnyOf(std::string_view text, std::string_view characters) {
  for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (CharLength(text, i) == 1 && characters.find(text[i]) != std::string_view::npos) return true;
  }
  return false;
}

bool HasBatchExtension(std::string_view name) {
  if (name.size() < 4) return false;
  std::string extension(name.substr(name.size() - 4));
  LowerCaseAnsi(extension);
  return extension == ".bat" || extension == ".cmd";
}

bool IsBatchProgram(std::string_view program) {
  std::string whole;  // the text without its quotes: an unquoted path may hold blanks
  for (char c : program) {
    if (c != '"') whole += c;
  }
  while (!whole.empty() && IsBlank(whole.back()))
    whole.pop_back();
  std::vector<std::string> words = SplitCommandLine(program);
  return HasBatchExtension(whole) || (!words.empty() && HasBatchExtension(words.front()));
}

// Between quotes, with each quote and the backslashes in front of quotes escaped.
std::string Quoted(std::string_view argument) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (size_t i = 0; i < argument.size(); i += CharLength(argument, i)) {
    if (argument[i] == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote gets one of its own.
    quoted.append(argument[i] == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted.append(argument.substr(i, CharLength(argument, i)));
  }
  quoted.append(2 * backslashes, '\\');  // before the closing quote
  return quoted + "\"";
}

}  // namespace

size_t ProgramEnd(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && IsBlank(line[i]))
    ++i;
  bool quoted = false;
  for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
    if (line[i] == '"') quoted = !quoted;
  }
  return i;
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> arguments;
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) return arguments;
  size_t i = ProgramEnd(line);

  // The program: quotes group, and nothing else is special.
  std::string program;
  for (char c : line.substr(start, i - start)) {
    if (c != '"') program += c;
  }
  arguments.push_back(program);

  bool quoted = false;
  while (true) {
    while (i < line.size() && IsBlank(line[i]))
      ++i;
    if (i == line.size()) return arguments;
    std::string argument;
    quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      if (line[i] == '\\') {
        size_t backslashes = 0;
        while (i < line.size() && line[i] == '\\')
          ++backslashes, ++i;
        if (i < line.size() && line[i] == '"') {
          argument.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            argument += '"';
            ++i;
          }
        } else {
          argument.append(backslashes, '\\');
        }
        continue;
      }
      if (line[i] == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          argument += '"';  // "" inside quotes: one quote, and the quotes go on
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      argument += line[i++];
    }
    arguments.push_back(argument);
  }
}

std::string QuoteArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
    return std::string(argument);
  }
  return Quoted(argument);
}

std::string ProgramArgument(std::string_view program, std::string_view argument) {
  if (IsBatchProgram(program) && HoldsAnyOf(argument, "&|<>^(),;= \t")) return Quoted(argument);
  return QuoteArgument(argument);
}

bool FileOperand(std::string_view program, std::string_view file, std::string& operand) {
  std::string name(file);
  if (!name.empty() && name.front() == '-') name = std::string(".") + kPathSeparator + name;
  if (!IsBatchProgram(program)) {
    operand = QuoteArgument(name);
    return true;
  }
  if (HoldsAnyOf(name, "%!")) return false;
  operand = Quoted(name);
  return true;
}

}  // namespace vklib
