// The settings reader on any file, and the writer over it: whatever the file holds, every key
// reads without fault, and a value written reads back exactly as it was given.
// Input: a section name, a key name and a value (each up to a 0x01 byte), then the file.
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "settings/settings.h"
#include "vklib/profile.h"

namespace {

// Names as the program's own keys are: letters and digits.
bool IsName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

std::string_view NextPart(std::string_view& input) {
  size_t stop = input.find('\x01');
  std::string_view part = input.substr(0, stop);
  input = stop == std::string_view::npos ? std::string_view() : input.substr(stop + 1);
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string section(NextPart(input)), key(NextPart(input)), value(NextPart(input));
  IniPath = FuzzDirectory() + "/pressel2.ini";
  WriteWholeFile(IniPath, reinterpret_cast<const uint8_t*>(input.data()), input.size());

  // Reading any name of the file's own, or of ours, never faults.
  GetIniString(section, key);
  GetIniInt(section, key);
  GetIniString(Setting::kTeX2DVIFormatFile);

  // A value of one line, short enough to be read back whole once its quotes are doubled.
  if (!IsName(section) || !IsName(key)) return 0;
  if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return 0;
  size_t quotes = 0;
  for (char c : value)
    quotes += c == '"';
  if (value.size() + quotes + 2 > vklib::kProfileValueMax) return 0;
  if (!WriteIniString(section, key, value)) return 0;
  if (GetIniString(section, key) != value) __builtin_trap();
  return 0;
}
