#include "settings/history.h"

#include <vector>

#include "settings/settings.h"

namespace {
const char kSection[] = "History";
}

void History::AddHistory(const std::string& file) {
  if (file.empty()) return;
  std::vector<std::string> read;
  int stop = count_limit_;
  for (int i = 0; i < count_limit_; ++i) {
    read.push_back(GetIniString(kSection, std::to_string(i)));
    if (read.back() == file || read.back().empty()) {
      stop = i;
      break;
    }
  }
  WriteIniString(kSection, "0", file);
  for (int j = 1; j <= stop; ++j)
    WriteIniString(kSection, std::to_string(j), read[j - 1]);
  if (read.back().empty()) WriteIniString(kSection, std::to_string(stop + 1), "");
}

std::string History::GetHistory(int index) const {
  if (index < 0 || index > kLastIndex) return std::string();
  return GetIniString(kSection, std::to_string(index));
}
