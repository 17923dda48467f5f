#include "vklib/codepage.h"

#include <windows.h>

namespace vklib {

unsigned GetAnsiCodePage() {
  return GetACP();
}

bool IsCodePageInstalled(unsigned code_page) {
  return IsValidCodePage(code_page) != 0;
}

bool AskIsLeadByte(unsigned char byte) {
  return IsDBCSLeadByte(byte) != 0;
}

bool MultiByteToWide(unsigned code_page, std::string_view bytes, std::u16string& wide) {
  wide.clear();
  if (bytes.empty()) return IsCodePageInstalled(code_page) || code_page == kCodePageAnsi;
  int length =
      MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<size_t>(length));
  MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()),
                      reinterpret_cast<wchar_t*>(wide.data()), length);
  return true;
}

bool WideToAnsi(std::u16string_view wide, std::string& bytes) {
  bytes.clear();
  if (wide.empty()) return true;
  const auto* source = reinterpret_cast<const wchar_t*>(wide.data());
  int count = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(CP_ACP, 0, source, count, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return false;
  bytes.resize(static_cast<size_t>(length));
  WideCharToMultiByte(CP_ACP, 0, source, count, bytes.data(), length, nullptr, nullptr);
  return true;
}

bool MultiByteToAnsi(unsigned code_page, std::string_view bytes, std::string& ansi) {
  std::u16string wide;
  ansi.clear();
  return MultiByteToWide(code_page, bytes, wide) && WideToAnsi(wide, ansi);
}

void LowerCaseAnsi(std::string& text) {
  if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
}

std::string ConsoleText(std::string_view ansi) {
  return std::string(ansi);
}

std::string ArgumentText(std::string_view argument) {
  return std::string(argument);
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::u16string wide;
  if (!MultiByteToWide(kCodePageAnsi, ansi, wide) || wide.empty()) return std::string();
  const auto* source = reinterpret_cast<const wchar_t*>(wide.data());
  int count = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(CP_UTF8, 0, source, count, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_UTF8, 0, source, count, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::u16string wide;
  std::string ansi;
  if (MultiByteToWide(kCodePageUtf8, utf8, wide)) WideToAnsi(wide, ansi);
  return ansi;
}

}  // namespace vklib
