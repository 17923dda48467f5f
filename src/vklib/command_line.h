#pragma once

#include <string>
#include <string_view>
#include <vector>

// A command line cut into its arguments by the rules Windows programs use (those of the C
// runtime): blanks and tabs separate arguments; double quotes group, and "" inside quotes is one
// quote; 2n backslashes before a quote give n backslashes and the quote groups, 2n+1 give n
// backslashes and a literal quote; other backslashes are literal. The first argument, the
// program, ends at its closing quote with no backslash rules. No other character is special, so
// a file name passes through whatever it holds. The text is UTF-8 (the POSIX runner converts
// before it cuts), whose multibyte characters hold no byte below 0x80.
namespace vklib {

std::vector<std::string> SplitCommandLine(std::string_view command_line);

// Where the program of a command line ends: behind its first word, whose quotes group.
size_t ProgramEnd(std::string_view command_line);

// One argument in the ANSI code page, written for those rules to read back whole: as it is when
// it holds no blank, tab or quote (and is not empty), else between quotes, with each quote and
// the backslashes in front of quotes escaped. The second byte of a double-byte character is
// never taken for a backslash.
std::string QuoteArgument(std::string_view argument);

// A batch program, whose command line cmd.exe reads, is a ".bat" or ".cmd" file (in any case),
// named alone or as the first word of the program text.
//
// One argument for `program`: QuoteArgument's form, and for a batch program between quotes also
// when it holds a character cmd takes for an operator or a separator (&|<>^(),;= or a blank).
std::string ProgramArgument(std::string_view program, std::string_view argument);

// A file name as an operand of `program`: a name that starts with "-" is written as "./name"
// (".\name" on Windows), so that no tool takes it for an option; for a batch program it always
// stands between quotes. False for a batch program and a name holding "%" or "!", which cmd
// expands even between quotes.
bool FileOperand(std::string_view program, std::string_view file, std::string& operand);

}  // namespace vklib
