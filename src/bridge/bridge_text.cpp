#include "bridge/bridge_text.h"

#include <windows.h>

#include "bridge/wine_unix.h"

std::string Narrow(unsigned code_page, const std::wstring& wide) {
  int length = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()),
                                   nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(),
                      length, nullptr, nullptr);
  return narrow;
}

bool IsPathQuery(const std::vector<std::wstring>& arguments) {
  for (const std::wstring& argument : arguments) {
    for (const wchar_t* query :
         {L"-expand-path", L"--expand-path", L"-show-path", L"--show-path"}) {
      if (argument.compare(0, wcslen(query), query) == 0) return true;
    }
  }
  return false;
}

std::string WindowsSearchPath(const std::string& unix_search_path) {
  std::string result;
  size_t start = 0;
  while (start < unix_search_path.size()) {
    size_t stop = unix_search_path.find_first_of(":\r\n", start);
    if (stop == std::string::npos) stop = unix_search_path.size();
    std::string element = unix_search_path.substr(start, stop - start);
    start = stop + 1;
    if (element.empty()) continue;
    std::string mark;
    if (element.compare(0, 2, "!!") == 0) {
      mark = "!!";
      element.erase(0, 2);
    }
    std::string windows = element;
    if (element[0] == '/') {
      std::wstring dos = DosPath(element);
      if (!dos.empty()) windows = Narrow(CP_ACP, dos);
    }
    if (!result.empty()) result += ';';
    result += mark + windows;
  }
  return result + "\r\n";
}
