#pragma once

#include <memory>

#include "build/build_host.h"
#include "build/echo_run.h"
#include "vklib/process.h"

namespace vklib {
class ConsoleInput;
}

// The host of the build steps in a program without a window: the echo goes into a sink, what
// is typed on standard input reaches the running child, and messages, titles and report lines go
// to a report.
class ConsoleHost : public BuildHost {
 public:
  class Report {
   public:
    virtual ~Report() = default;
    virtual void Message(const std::string& text, const std::string& caption) = 0;
    virtual void Title(const std::string& title) = 0;
    virtual void Line(const std::string& line) = 0;
  };

  // With `forward_input`, our standard input is passed to each child; its end closes the
  // child's input, so that a tool waiting at a prompt sees the end too.
  ConsoleHost(OutputSink& sink, Report& report, bool forward_input);
  ~ConsoleHost() override;

  bool Execute(const std::string& command_line, const std::string& directory) override;
  int32_t GetExitCode() override { return process_.ExitCode(); }
  vklib::SystemError StartError() override { return process_.StartError(); }
  void ShowMessage(const std::string& text, const std::string& caption) override;
  void SetTitle(const std::string& title) override { report_.Title(title); }
  void ReportLine(const std::string& line) override;

 private:
  OutputSink& sink_;
  Report& report_;
  std::unique_ptr<vklib::ConsoleInput> input_;
  vklib::Process process_;
};
