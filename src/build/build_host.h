#pragma once

#include <cstdint>
#include <string>

#include "vklib/system_error.h"

// What the build object needs of its owner: the main window, or the headless driver.
class BuildHost {
 public:
  virtual ~BuildHost() = default;
  // Runs a command line in a directory with its output echoed, until it has ended; false when
  // a child is still running (nothing is echoed then) or the start failed (the echo says why).
  virtual bool Execute(const std::string& command_line, const std::string& directory) = 0;
  // Why the last Execute could not start its child: kNone when it started, or was refused.
  virtual vklib::SystemError StartError() = 0;
  // The exit code of the last child.
  virtual int32_t GetExitCode() = 0;
  // A message box with an OK button.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  // Replaces the window title.
  virtual void SetTitle(const std::string& title) = 0;
  // A line of our own after all the output (at the end of the pane, or on standard error): how a
  // build tells what it has to say once it is over, such as work it could not finish.
  virtual void ReportLine(const std::string& line) = 0;
};
