#include <cctype>
#include <vector>

#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/profile.h"
#include "vklib/shared_file_posix.h"

namespace vklib {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::string left(a), right(b);
  LowerCaseAnsi(left);
  LowerCaseAnsi(right);
  return left == right;
}

// One line of the file: its text without the line end, and the line end as it stands.
struct Line {
  std::string text;
  std::string end;
};

std::vector<Line> SplitLines(const std::string& content) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < content.size()) {
    size_t stop = content.find_first_of("\r\n", pos);
    if (stop == std::string::npos) {
      lines.push_back({content.substr(pos), ""});
      break;
    }
    size_t end_length = content.compare(stop, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back({content.substr(pos, stop - pos), content.substr(stop, end_length)});
    pos = stop + end_length;
  }
  return lines;
}

// The name of a section header line, or false when the line is none.
bool SectionName(const std::string& line, std::string_view& name) {
  std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return false;
  size_t close = text.rfind(']');
  if (close == std::string_view::npos) return false;
  name = Trim(text.substr(1, close - 1));
  return true;
}

// The key of a key line ("key=value"), or false for a line without "=".
bool KeyName(const std::string& line, std::string_view& key, std::string_view& value) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  key = Trim(std::string_view(line).substr(0, equals));
  value = Trim(std::string_view(line).substr(equals + 1));
  return true;
}

struct Lookup {
  bool section_found = false;
  size_t insert_at = 0;  // where a new key of the section goes: after its last non-blank line
  bool key_found = false;
  size_t key_line = 0;
};

Lookup Find(const std::vector<Line>& lines, const std::string& section, const std::string& key) {
  Lookup result;
  bool inside = section.empty();  // lines before the first header form the section ""
  result.section_found = inside;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view name;
    if (SectionName(lines[i].text, name)) {
      if (inside) break;  // only the first section of a name counts
      inside = EqualNoCase(name, section);
      if (inside) {
        result.section_found = true;
        result.insert_at = i + 1;
      }
      continue;
    }
    if (!inside) continue;
    if (!Trim(lines[i].text).empty()) result.insert_at = i + 1;
    std::string_view line_key, value;
    if (KeyName(lines[i].text, line_key, value) && EqualNoCase(line_key, key)) {
      result.key_found = true;
      result.key_line = i;
      return result;
    }
  }
  return result;
}

// Gives a key of a section a value in a file's text, as Windows does; false when the key holds
// that value already.
bool SetValue(std::string& content, const std::string& section, const std::string& key,
              const std::string& value) {
  std::vector<Line> lines = SplitLines(content);
  // Windows drops the blanks in front of a value it writes.
  std::string_view written_value = value;
  while (!written_value.empty() && IsBlank(written_value.front()))
    written_value.remove_prefix(1);
  Lookup found = Find(lines, section, key);
  if (found.key_found) {
    std::string_view name, old_value;
    KeyName(lines[found.key_line].text, name, old_value);
    if (old_value == written_value) return false;
    lines[found.key_line].text = std::string(name) + "=" + std::string(written_value);
  } else {
    std::vector<Line> added;
    if (!found.section_found) added.push_back({"[" + section + "]", "\r\n"});
    added.push_back({key + "=" + std::string(written_value), "\r\n"});
    size_t at = found.section_found ? found.insert_at : lines.size();
    if (at > 0 && lines[at - 1].end.empty()) lines[at - 1].end = "\r\n";
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  }
  content.clear();
  for (const Line& line : lines)
    content += line.text + line.end;
  return true;
}

std::string RawValue(const std::string& path, const std::string& section, const std::string& key) {
  std::string content;
  if (!ReadWholeFile(path, content)) return std::string();
  std::vector<Line> lines = SplitLines(content);
  Lookup found = Find(lines, section, key);
  if (!found.key_found) return std::string();
  std::string_view name, value;
  KeyName(lines[found.key_line].text, name, value);
  return std::string(value);
}

}  // namespace

std::string ReadProfileValue(const std::string& path, const std::string& section,
                             const std::string& key) {
  std::string value = RawValue(path, section, key);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > kProfileValueMax) value.resize(kProfileValueMax);
  return value;
}

// Like the Windows function: blanks, a sign, then digits with an optional base prefix
// ("0x", "0o", "0b").
int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                   int missing) {
  std::string value = ReadProfileValue(path, section, key);
  if (value.empty()) return missing;
  size_t pos = 0;
  while (pos < value.size() && IsBlank(value[pos]))
    ++pos;
  bool negative = false;
  if (pos < value.size() && (value[pos] == '+' || value[pos] == '-')) {
    negative = value[pos] == '-';
    ++pos;
  }
  int base = 10;
  if (value.compare(pos, 2, "0x") == 0) base = 16;
  if (value.compare(pos, 2, "0o") == 0) base = 8;
  if (value.compare(pos, 2, "0b") == 0) base = 2;
  if (base != 10) pos += 2;
  unsigned result = 0;
  for (; pos < value.size(); ++pos) {
    int digit = std::isdigit(static_cast<unsigned char>(value[pos])) ? value[pos] - '0'
                : std::isxdigit(static_cast<unsigned char>(value[pos]))
                    ? std::tolower(static_cast<unsigned char>(value[pos])) - 'a' + 10
                    : 99;
    if (digit >= base) break;
    result = result * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
  }
  return static_cast<int>(negative ? 0u - result : result);
}

bool WriteProfileValue(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) {
  const std::string target = posix::LinkTarget(AnsiToUtf8(path));
  while (true) {
    posix::FileLock lock;
    const posix::FileLock::Result found = lock.Lock(target);
    std::string content;
    // A file that is there but cannot be read is left alone: writing it from nothing would lose
    // every other setting.
    if (found == posix::FileLock::kUnusable) return false;
    if (found == posix::FileLock::kOpen && !posix::ReadFromStart(lock.descriptor(), content))
      return false;
    if (!SetValue(content, section, key, value)) return true;
    if (found == posix::FileLock::kOpen) return posix::ReplaceFile(target, content);
    switch (posix::CreateNewFile(target, content)) {
      case posix::NewFile::kCreated:
        return true;
      case posix::NewFile::kExisted:
        continue;  // another program made the file meanwhile: the value goes into that one
      case posix::NewFile::kFailed:
        return false;
    }
  }
}

bool CreateProfile(const std::string& path, const std::vector<ProfileValue>& values) {
  return posix::CreateNewFile(posix::LinkTarget(AnsiToUtf8(path)), ProfileText(values)) !=
         posix::NewFile::kFailed;
}

}  // namespace vklib
