#include "vklib/file.h"

namespace vklib {

std::vector<std::string> SplitPathList(const std::string& list) {
  std::vector<std::string> elements;
  size_t start = 0;
  while (true) {
    size_t stop = list.find(kPathListSeparator, start);
    elements.push_back(list.substr(start, stop - start));
    if (stop == std::string::npos) return elements;
    start = stop + 1;
  }
}

}  // namespace vklib
