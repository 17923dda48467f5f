#include "bridge/bridge_text.h"

#include <windows.h>

#include "bridge/wine_unix.h"

namespace {

std::string Convert(UINT from, UINT to, const std::string& text, bool strict) {
  if (text.empty()) return text;
  int wide_length = MultiByteToWideChar(from, strict ? MB_ERR_INVALID_CHARS : 0, text.data(),
                                        static_cast<int>(text.size()), nullptr, 0);
  if (wide_length <= 0) return text;
  std::wstring wide(static_cast<size_t>(wide_length), L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                      wide_length);
  return Narrow(to, wide);
}

// Where a UTF-8 sequence that the text's end cuts off begins (the text's size if none is).
size_t CutUtf8Sequence(const std::string& text) {
  for (size_t back = 1; back <= 4 && back <= text.size(); ++back) {
    unsigned char byte = static_cast<unsigned char>(text[text.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? text.size() - back : text.size();
  }
  return text.size();
}

}  // namespace

std::string Narrow(unsigned code_page, const std::wstring& wide) {
  int length = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()),
                                   nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(),
                      length, nullptr, nullptr);
  return narrow;
}

std::string Utf8ToShiftJis::Convert(const std::string& piece) {
  std::string text = pending_ + piece;
  size_t cut = CutUtf8Sequence(text);
  pending_ = text.substr(cut);
  return ::Convert(CP_UTF8, CP_ACP, text.substr(0, cut), true);
}

std::string ShiftJisToUtf8::Convert(const std::string& piece) {
  std::string text = pending_ + piece;
  size_t i = 0, whole = 0;
  while (i < text.size()) {
    bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[i])) != FALSE;
    if (lead && i + 1 == text.size()) break;  // its second byte comes with the next piece
    i += lead ? 2 : 1;
    whole = i;
  }
  pending_ = text.substr(whole);
  return ::Convert(CP_ACP, CP_UTF8, text.substr(0, whole), false);
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
