#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/tex.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/recording_host.h"
#include "support/settings_file.h"
#include "support/test_support.h"
#include "vklib/file.h"

namespace test {

// The build steps with our fake tools first on the PATH, on a document of main.tex (which
// \include's chap1.tex and \input's sec.tex) in a directory of its own, with the first-run
// settings.
class TeXBuild : public ::testing::Test {
 protected:
  using Lines = std::vector<std::string>;

  TeXBuild() {
    WriteFirstRunDefaults();
    Write("main.tex",
          "\\documentclass[a4paper,twocolumn]{jarticle}\n\\begin{document}\n"
          "\\include{chap1}\n\\input{sec}\n\\end{document}\n");
    Write("chap1.tex", "text\n");
    Write("sec.tex", "text\n");
  }

  std::string Write(const std::string& name, const std::string& text) {
    std::string path = doc_ + vklib::kPathSeparator + name;
    WriteFile(path, text);
    return path;
  }
  void Script(const std::string& text) { Write("fake-tools.script", text); }
  void Open(const std::string& name) {
    tex_.current_file = doc_ + vklib::kPathSeparator + name;
    tex_.ResolveParent();
  }
  // What the fake tools saw, in order.
  Lines Ran() const { return ToolLog(doc_); }
  // Builds the open file; gives what ran in this build, and keeps whether it succeeded.
  Lines Build() {
    const size_t before = Ran().size();
    built_ = tex_.TeX2DVI();
    const Lines ran = Ran();
    return Lines(ran.begin() + static_cast<std::ptrdiff_t>(before), ran.end());
  }
  const Lines& Messages() const { return build_.report.messages; }
  // The report lines, with the times of the closing lines left out.
  Lines Reported() const {
    Lines lines;
    for (const std::string& line : build_.report.lines)
      lines.push_back(WithoutTimes(line));
    return lines;
  }

  SettingsFile settings_;
  FakeTools tools_;
  std::string doc_ = settings_.dir().Directory("doc");
  RecordedBuild build_;
  TeX& tex_ = build_.tex;
  bool built_ = false;
};

}  // namespace test
