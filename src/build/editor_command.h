#pragma once

#include <string>

// The command that opens a file at a line in the user's editor, from the "Editor" setting:
//   %F  the file's full path, always one argument to the program: as it stands where the
//       setting has %F between double quotes ("%F"), elsewhere between double quotes when it
//       holds a blank (for a batch program also when it holds a character cmd reads)
//   %L  the line number
//   %%  one "%"; "%" and any other character gives that character
// The command starts with `program`: the setting's first word as a start finds it
// (vklib::LaunchablePath), so that "code" may stand for code.cmd. False, with the message in
// `refusal`, when the program is a batch program and the file's name holds "%" or "!", which
// cmd would expand even between quotes.
bool EditorCommandLine(const std::string& setting, const std::string& program,
                       const std::string& file, int line, std::string& command,
                       std::string& refusal);
