#pragma once

#include <string>

#include "vklib/system_error.h"

// What the user is told of a command line whose program could not start: the program and why,
// in one sentence ("「platex」が見つかりません．PATHと設定を確かめてください．").
std::string StartFailureText(const std::string& command_line, const vklib::SystemError& error);

// The message of a command that failed: the command line with `words` behind it
// ("platex main.texの実行に失敗．") and, when its program could not start, why on a second line.
std::string FailedRunMessage(const std::string& command_line, const std::string& words,
                             const vklib::SystemError& error);

// Why a file could not be opened with the program the system associates with its kind.
std::string OpenFailureText(const std::string& file, const vklib::SystemError& error);

// Why a file's name cannot be given to a batch program: cmd expands "%" and "!" even between
// quotes.
std::string BatchFileNameRefusal(const std::string& program, const std::string& file);
