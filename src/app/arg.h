#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// What the parser knows of one option.
struct OptionState {
  std::string value;
  bool takes_argument = false;
  bool known = false;
  bool given = false;
};

// The command-line parser: splits the argument text into tokens at blanks outside double
// quotes (a double-byte character's second byte is never a quote or a blank), collects the
// plain arguments as written (quotes included), and checks options, "-x" and "--name", against
// the tables of known options. The program knows no option, so every option is an error.
class Arg {
 public:
  // False with the error text set at the first unknown option; the plain arguments read before
  // it stay in the list.
  bool Parse();

  std::string text;                    // the command line after the program's name
  std::string error;                   // the first error's message
  std::vector<std::string> arguments;  // the plain arguments, in order
  std::map<char, OptionState> short_options;
  std::map<std::string, OptionState> long_options;
};

// The arguments part of a whole command line: what follows the first blank outside double
// quotes (the program's own name comes first); empty when there is none.
std::string CommandLineArguments(std::string_view command_line);
