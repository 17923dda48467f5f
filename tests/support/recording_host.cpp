#include "support/recording_host.h"

#include <sstream>

namespace test {

std::vector<std::string> RecordedBuild::Commands() const {
  const std::string directory_label = "カレントディレクトリ : ";
  const std::string command_label = "コマンド : ";
  std::vector<std::string> commands;
  std::istringstream lines(sink.all);
  std::string line, directory;
  while (std::getline(lines, line)) {
    if (line.compare(0, directory_label.size(), directory_label) == 0) {
      directory = line.substr(directory_label.size());
    } else if (line.compare(0, command_label.size(), command_label) == 0) {
      commands.push_back(directory + "> " + line.substr(command_label.size()));
    }
  }
  return commands;
}

}  // namespace test
