#include "bridge/bridge_text.h"

#include <cctype>

#include "bridge/wine_unix.h"
#include "vklib/codepage.h"

namespace {

bool IsAbsoluteWindowsPath(const std::string& text) {
  return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
         (text[2] == '\\' || text[2] == '/');
}

bool EndsWithIgnoringCase(const std::string& text, const char* end) {
  const size_t length = std::char_traits<char>::length(end);
  if (text.size() < length) return false;
  for (size_t i = 0; i < length; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[text.size() - length + i])) != end[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string LinuxProgram(const std::string& program) {
  if (program.find_first_of("\\/:") != std::string::npos) return UnixArgument(program);
  for (const char* suffix : {".exe", ".bat", ".cmd", ".com"}) {
    if (EndsWithIgnoringCase(program, suffix) && program.size() > 4) {
      return program.substr(0, program.size() - 4);
    }
  }
  return program;
}

std::string UnixArgument(const std::string& argument) {
  if (argument.compare(0, 2, ".\\") == 0) return "./" + argument.substr(2);
  const size_t equals = argument.find('=');
  const size_t value = equals == std::string::npos ? 0 : equals + 1;
  if (!IsAbsoluteWindowsPath(argument.substr(value))) return argument;
  std::string path = UnixPath(vklib::kCodePageUtf8, argument.substr(value));
  return path.empty() ? argument : argument.substr(0, value) + path;
}

bool IsPathQuery(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    for (const char* query : {"-expand-path", "--expand-path", "-show-path", "--show-path"}) {
      if (argument.compare(0, std::char_traits<char>::length(query), query) == 0) return true;
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
    std::string windows = vklib::Utf8ToAnsi(element);
    if (element[0] == '/') {
      std::wstring dos = DosPath(element);
      std::string ansi;
      if (!dos.empty() && vklib::WideToAnsi(std::u16string(dos.begin(), dos.end()), ansi)) {
        windows = ansi;
      }
    }
    if (!result.empty()) result += ';';
    result += mark + windows;
  }
  return result + "\r\n";
}
