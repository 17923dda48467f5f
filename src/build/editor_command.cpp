#include "build/editor_command.h"

#include "build/placeholders.h"
#include "build/run_failure.h"
#include "vklib/command_line.h"

bool EditorCommandLine(const std::string& setting, const std::string& program,
                       const std::string& file, int line, std::string& command,
                       std::string& refusal) {
  bool refused = false;
  const std::string arguments =
      ReplacePlaceholders(std::string_view(setting).substr(vklib::ProgramEnd(setting)),
                          [&](char letter, bool in_quotes) {
                            if (letter == 'L') return std::to_string(line);
                            if (letter != 'F') return std::string(1, letter);
                            std::string operand;
                            if (!vklib::FileOperand(program, file, operand)) refused = true;
                            return in_quotes ? file : operand;
                          });
  if (refused) {
    refusal = BatchFileNameRefusal(program, file);
    return false;
  }
  command = vklib::ProgramArgument(program, program) + arguments;
  return true;
}
