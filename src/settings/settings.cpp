#include "settings/settings.h"

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
  // Every value is tried, so that as much as can be stored is.
  bool written = WriteIniInt("TeX2DVI", "IsUsingFormat", 1);
  written &= WriteIniString("TeX2DVI", "FormatFile", "platex.fmt");
  written &= WriteIniInt("TeX2DVI", "IsAnalyze", 1);
  written &= WriteIniInt("TeX2DVI", "MaxCompile", kDefaultMaxCompile);
  written &= WriteIniInt("BibTeX", "WhichProgram", 2);
  written &= WriteIniInt("MakeIndex", "WhichProgram", 2);
  written &= WriteIniInt("DVI2PS", "WhichProgram", 2);
  written &= WriteIniInt("PS2PDF", "IsGhostScript", 1);
  written &= WriteIniInt("DVI2PDF", "WhichProgram", 2);
  written &= WriteIniString("DVI2PDF", "PaperSizeFromList", "a4");
  written &= WriteIniInt("DVIOUT", "IsUseDVIOUT", 1);
  written &= WriteIniString("DVIOUT", "dvioutPath", DefaultViewerFor(".dvi"));
  written &= WriteIniInt("DVIOUT", "IsTellPaperSize", 1);
  written &= WriteIniInt("DVIOUT", "Maximize", 1);
  written &= WriteIniInt("DVIOUT", "WhichPaperSize", 1);
  written &= WriteIniString("DVIOUT", "PaperSizeFromList", "B5J");
  written &= WriteIniString("PSPreview", "Program", DefaultViewerFor(".ps"));
  written &= WriteIniString("PSPreview", "Arg", "\"%F.ps\"");
  written &= WriteIniString("PDFPreview", "Program", DefaultViewerFor(".pdf"));
  written &= WriteIniString("PDFPreview", "Arg", "\"%F.pdf\"");
  return written;
}
