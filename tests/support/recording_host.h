#pragma once

#include <string>
#include <vector>

#include "build/console_host.h"
#include "build/echo_run.h"
#include "build/tex.h"

namespace test {

// What a build wrote into its pane.
struct RecordingSink : OutputSink {
  void AppendOwn(const std::string& text, bool) override { all += text; }
  void Append(const std::string& text) override { all += text; }
  std::string all;
};

// The messages, titles and report lines of a build.
struct RecordingReport : ConsoleHost::Report {
  void Message(const std::string& text, const std::string& caption) override {
    messages.push_back(caption + ": " + text);
  }
  void Title(const std::string& title) override { titles.push_back(title); }
  void Line(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> messages;
  std::vector<std::string> titles;
  std::vector<std::string> lines;
};

// A build object whose children really run (through the headless host) and whose echo,
// messages and titles are kept for the test.
struct RecordedBuild {
  RecordingSink sink;
  RecordingReport report;
  ConsoleHost host{sink, report, false};
  TeX tex{host};

  // "directory> command" for each child started, in order, read back from the echo headers.
  std::vector<std::string> Commands() const;
};

}  // namespace test
