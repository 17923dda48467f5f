#include "build/run_failure.h"

#include <vector>

#include "vklib/command_line.h"

std::string StartFailureText(const std::string& command_line, const vklib::SystemError& error) {
  // The program's name ends at a blank, a tab or its closing quote, bytes that are never the
  // second byte of a Shift_JIS character: the rules for UTF-8 serve here as they are.
  std::vector<std::string> arguments = vklib::SplitCommandLine(command_line);
  const std::string program = arguments.empty() ? std::string() : arguments.front();
  if (program.empty()) return "実行するプログラムが指定されていません．";
  if (error.kind == vklib::SystemError::kNotFound) {
    return "「" + program + "」が見つかりません．PATHと設定を確かめてください．";
  }
  return "「" + program + "」を実行できません（" + vklib::SystemErrorText(error) + "）．";
}

std::string FailedRunMessage(const std::string& command_line, const std::string& words,
                             const vklib::SystemError& error) {
  std::string message = command_line + words;
  if (error.kind != vklib::SystemError::kNone) {
    message += "\n" + StartFailureText(command_line, error);
  }
  return message;
}

std::string OpenFailureText(const std::string& file, const vklib::SystemError& error) {
  if (error.kind == vklib::SystemError::kNoAssociation) {
    return "「" + file +
           "」を開くプログラムが決まっていません．「全般的な設定」でエディターを指定してください．";
  }
  return "「" + file + "」を開けません（" + vklib::SystemErrorText(error) + "）．";
}

std::string BatchFileNameRefusal(const std::string& program, const std::string& file) {
  return program + "はバッチファイルなので，%や!を含むファイル名" + file + "は渡せません．";
}
