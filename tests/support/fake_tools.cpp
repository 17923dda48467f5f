#include "support/fake_tools.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "vklib/file.h"

namespace test {

namespace {

const char* const kTools[] = {
    "platex", "uplatex",   "lualatex", "pbibtex", "upbibtex", "jbibtex", "bibtex",    "biber",
    "mendex", "makeindex", "dvips",    "dvi2ps",  "dvipdfmx", "ps2pdf",  "kpsewhich", "viewer"};

std::string ToolPath(const std::string& bin, const std::string& tool) {
  return bin + vklib::kPathSeparator + tool + vklib::kExecutableSuffix;
}

}  // namespace

FakeTools::FakeTools(Path path)
    : bin_dir_(dir_.Directory("bin")),
      path_("PATH", path == Path::kOnly ? bin_dir_
                                        : bin_dir_ + vklib::kPathListSeparator +
                                              vklib::EnvironmentVariable("PATH")) {
  for (const char* tool : kTools) {
    std::filesystem::copy_file(HelperPath("fake-tool"), ToolPath(bin_dir_, tool));
  }
#ifdef _WIN32
  // GhostScript's converter is a batch file on Windows.
  WriteFile(bin_dir_ + "\\ps2pdf.bat", "@\"%~dp0ps2pdf.exe\" %*\r\n");
#endif
}

void FakeTools::Remove(const std::string& tool) {
  std::filesystem::remove(ToolPath(bin_dir_, tool));
}

std::vector<std::string> ToolLog(const std::string& directory) {
  std::vector<std::string> lines;
  std::istringstream log(ReadFile(directory + vklib::kPathSeparator + "fake-tools.log"));
  std::string line;
  while (std::getline(log, line))
    lines.push_back(line);
  return lines;
}

}  // namespace test
