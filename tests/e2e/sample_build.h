#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "support/test_support.h"
#include "vklib/codepage.h"

namespace test {

namespace fs = std::filesystem;

inline fs::path SamplesDirectory() {
  return fs::path(PRESSEL2_SOURCE_DIR) / "samples";
}

// A copy of a sample and a copy of the driver with a settings file of its own.
class SampleBuild : public ::testing::Test {
 protected:
  using Lines = std::vector<std::string>;

  void SetUp() override {
    fs::create_directories(fs::path(work_.path()) / "tool");
    fs::copy_file(HelperPath("pressel2-build"), Driver());
  }

  void UseSample(const std::string& name) {
    fs::copy(SamplesDirectory() / name, Document(), fs::copy_options::recursive);
  }
  fs::path Document() const { return fs::path(work_.path()) / "doc"; }
  std::string Driver() const { return work_.File("tool/pressel2-build"); }

  // The first-run defaults and then the given values, in the driver's settings file.
  void Settings(const std::vector<std::pair<Setting, std::string>>& values) {
    std::string saved = IniPath;
    IniPath = work_.File("tool/pressel2-build.ini");
    WriteFirstRunDefaults();
    for (const auto& [setting, value] : values)
      WriteIniString(setting, value);
    IniPath = saved;
  }

  // Runs the driver on files of the document with `input` on its standard input, and kills it
  // after `deadline_seconds`; gives its exit status and keeps what it printed (converted to
  // Shift_JIS, as our literals are).
  int Run(const std::string& arguments, const std::string& input = "", int deadline_seconds = 600) {
    int status = std::system(DriverCommand(arguments, input, deadline_seconds).c_str());
    ReadOutput();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The platex the driver runs, once it runs (at most 30 s from now); 0 when none came.
  long RunningTeX(long driver) {
    long tex = 0;
    WaitUntil(
        [&] {
          std::string command =
              "pgrep -P " + std::to_string(driver) + " -x platex >'" + work_.File("tex.txt") + "'";
          if (std::system(command.c_str()) != 0) return false;
          tex = std::stol(ReadFile(work_.File("tex.txt")));
          return true;
        },
        std::chrono::seconds(30));
    return tex;
  }
  // The driver started in the background: its process id, then its exit status, go to files.
  long StartInBackground(const std::string& arguments) {
    fs::remove(work_.File("pid.txt"));
    fs::remove(work_.File("status.txt"));
    std::string command = "(" + DriverCommand(arguments, "") + " & echo $! >'" +
                          work_.File("pid.txt") + "'; wait $!; echo $? >'" +
                          work_.File("status.txt") + "') &";
    EXPECT_EQ(0, std::system(command.c_str()));
    EXPECT_TRUE(WaitUntil([&] { return !ReadFile(work_.File("pid.txt")).empty(); }));
    return std::stol(ReadFile(work_.File("pid.txt")));
  }
  void ReadOutput() {
    output_ = vklib::Utf8ToAnsi(ReadFile(work_.File("stdout.txt")));
    errors_ = vklib::Utf8ToAnsi(ReadFile(work_.File("stderr.txt")));
  }
  // Without a deadline, the driver itself is the command's process.
  std::string DriverCommand(const std::string& arguments, const std::string& input,
                            int deadline_seconds = 0) {
    WriteFile(work_.File("stdin.txt"), input);
    const std::string limit =
        deadline_seconds > 0 ? "timeout -s KILL " + std::to_string(deadline_seconds) + " " : "";
    return "cd '" + Document().string() + "' && " + limit + "'" + Driver() + "' " + arguments +
           " <'" + work_.File("stdin.txt") + "' >'" + work_.File("stdout.txt") + "' 2>'" +
           work_.File("stderr.txt") + "'";
  }

  // The command lines of the actions, read from the echo headers.
  Lines Actions() const {
    Lines actions;
    std::istringstream lines(output_);
    std::string line;
    const std::string label = "コマンド : ";
    while (std::getline(lines, line)) {
      if (line.compare(0, label.size(), label) == 0) actions.push_back(line.substr(label.size()));
    }
    return actions;
  }

  // pdfinfo's "Page size" line of a PDF of the document.
  std::string PageSize(const std::string& pdf) {
    std::string command =
        "pdfinfo '" + (Document() / pdf).string() + "' > '" + work_.File("pdfinfo.txt") + "' 2>&1";
    if (std::system(command.c_str()) != 0) return "pdfinfo failed";
    std::istringstream info(ReadFile(work_.File("pdfinfo.txt")));
    std::string line;
    while (std::getline(info, line)) {
      if (line.compare(0, 10, "Page size:") == 0) return line;
    }
    return "no page size";
  }

  bool Exists(const std::string& name) const { return fs::exists(Document() / name); }
  std::string Read(const std::string& name) const {
    return vklib::Utf8ToAnsi(ReadFile((Document() / name).string()));
  }
  // Replaces the first `from` in a UTF-8 file of the document.
  void Replace(const std::string& name, const std::string& from, const std::string& to) {
    std::string text = Read(name);
    size_t at = text.find(from);
    ASSERT_NE(std::string::npos, at) << from;
    WriteFile((Document() / name).string(), vklib::AnsiToUtf8(text.replace(at, from.size(), to)));
  }

  // The files that LaTeX, MakeIndex and BibTeX write back for each other, with their bytes.
  std::string Contents() const {
    std::string contents;
    for (const auto& entry : fs::recursive_directory_iterator(Document())) {
      const std::string extension = entry.path().extension().string();
      if (extension == ".aux" || extension == ".ind" || extension == ".bbl" ||
          extension == ".toc" || extension == ".lof") {
        contents += entry.path().string() + "\n" + ReadFile(entry.path().string());
      }
    }
    return contents;
  }
  // One more cycle of platex, mendex and pbibtex changes none of those files.
  void ExpectFixedPoint() {
    const std::string before = Contents();
    const std::string command = "cd '" + Document().string() +
                                "' && platex -interaction=batchmode main.tex && mendex main && "
                                "pbibtex main";
    ASSERT_EQ(0, std::system((command + " </dev/null >/dev/null 2>&1").c_str()));
    EXPECT_EQ(before, Contents());
  }

  TempDir work_;
  std::string output_;
  std::string errors_;
};

}  // namespace test
