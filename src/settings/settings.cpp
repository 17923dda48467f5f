#include "settings/settings.h"

#include <vector>

#include "vklib/association.h"
#include "vklib/file.h"
#include "vklib/profile.h"

std::string IniPath = IniPathFor(vklib::ModuleFileName());

std::string IniPathFor(const std::string& module_path) {
  size_t dot = module_path.rfind('.');
  size_t separator = module_path.rfind(vklib::kPathSeparator);
  // A dot in a directory name is no extension (only possible where programs have none).
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
    return module_path + ".ini";
  }
  return module_path.substr(0, dot) + ".ini";
}

namespace {

size_t LeadingQuotes(const std::string& text) {
  size_t count = 0;
  while (count < text.size() && text[count] == '"')
    ++count;
  return count;
}

size_t TrailingQuotes(const std::string& text) {
  size_t count = 0;
  while (count < text.size() && text[text.size() - 1 - count] == '"')
    ++count;
  return count;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The stored form doubles every quote, so every run of quotes in it has an even length. The
// profile reader drops a pair of quotes around a whole value, and trims blanks; where that would
// change a stored form that does not already start and end with a doubled quote, the stored form
// is put between quotes of its own for the reader to drop.
std::string EncodeValue(const std::string& value) {
  std::string stored;
  for (char c : value) {
    stored += c;
    if (c == '"') stored += '"';
  }
  if (stored.empty()) return stored;
  bool all_quotes = LeadingQuotes(stored) == stored.size();
  bool blank_edge = IsBlank(stored.front()) || IsBlank(stored.back());
  bool single_quoted = stored.size() >= 2 && stored.front() == '\'' && stored.back() == '\'';
  if (all_quotes || blank_edge || single_quoted) return '"' + stored + '"';
  return stored;
}

// Undoes EncodeValue on what the profile reader returned: an odd run of quotes at both ends
// shows that the reader dropped a pair; then every run of quotes is halved.
std::string DecodeValue(std::string read) {
  size_t leading = LeadingQuotes(read);
  if (leading < read.size() && leading % 2 == 1 && TrailingQuotes(read) % 2 == 1) {
    read = '"' + read + '"';
  }
  std::string value;
  for (size_t i = 0; i < read.size();) {
    if (read[i] != '"') {
      value += read[i++];
      continue;
    }
    size_t run = 0;
    while (i < read.size() && read[i] == '"')
      ++run, ++i;
    value.append((run + 1) / 2, '"');
  }
  return value;
}

}  // namespace

std::string GetIniString(const std::string& section, const std::string& key) {
  return DecodeValue(vklib::ReadProfileValue(IniPath, section, key));
}

int GetIniInt(const std::string& section, const std::string& key) {
  return vklib::ReadProfileInt(IniPath, section, key);
}

bool WriteIniInt(const std::string& section, const std::string& key, int value) {
  return vklib::WriteProfileValue(IniPath, section, key, std::to_string(value));
}

bool WriteIniString(const std::string& section, const std::string& key, const std::string& value) {
  return vklib::WriteProfileValue(IniPath, section, key, EncodeValue(value));
}

std::string GetIniString(Setting setting) {
  const SettingRow& row = RowOf(setting);
  return GetIniString(row.section, row.key);
}

int GetIniInt(Setting setting) {
  const SettingRow& row = RowOf(setting);
  return GetIniInt(row.section, row.key);
}

int GetIniInt(Setting setting, int missing) {
  const SettingRow& row = RowOf(setting);
  return vklib::ReadProfileInt(IniPath, row.section, row.key, missing);
}

bool WriteIniInt(Setting setting, int value) {
  const SettingRow& row = RowOf(setting);
  return WriteIniInt(row.section, row.key, value);
}

bool WriteIniString(Setting setting, const std::string& value) {
  const SettingRow& row = RowOf(setting);
  return WriteIniString(row.section, row.key, value);
}

std::string UnwritableSettingsMessage() {
  return "設定ファイル「" + IniPath + "」に書き込めません．設定は保存されません．";
}

std::string DefaultViewerFor(const std::string& extension) {
  return vklib::AssociatedExecutable(extension);
}

bool IsFirstRun() {
  uint32_t attributes = vklib::FileAttributes(IniPath);
  return attributes == vklib::kInvalidFileAttributes ||
         (attributes & vklib::kFileAttributeDirectory) != 0;
}

bool WriteFirstRunDefaults() {
  std::vector<vklib::ProfileValue> values;
  for (size_t i = 0; i < kSettingCount; ++i) {
    const SettingRow& row = kSettingTable[i];
    const FirstRunValue& value = row.first_run;
    if (value.kind == FirstRunValue::kNothing) continue;
    std::string stored;
    if (row.type == SettingType::kInt) {
      stored = std::to_string(value.number);
    } else {
      stored = EncodeValue(value.kind == FirstRunValue::kViewerOf ? DefaultViewerFor(value.text)
                                                                  : std::string(value.text));
    }
    values.push_back({row.section, row.key, stored});
  }
  // Written as one file, so that programs started at the same moment all find it whole.
  return vklib::CreateProfile(IniPath, values);
}
