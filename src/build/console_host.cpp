#include "build/console_host.h"

#include "vklib/console_input.h"
#include "vklib/interrupt.h"

ConsoleHost::ConsoleHost(OutputSink& sink, Report& report, bool forward_input)
    : sink_(sink), report_(report) {
  if (forward_input) input_ = std::make_unique<vklib::ConsoleInput>();
}

ConsoleHost::~ConsoleHost() = default;

bool ConsoleHost::Execute(const std::string& command_line, const std::string& directory) {
  // After Ctrl+C nothing more starts, and what runs ends with its whole tree.
  if (vklib::Interrupted()) return false;
  EchoWait wait = [this](int milliseconds) {
    process_.WaitForActivity(milliseconds);
    if (vklib::Interrupted()) {
      process_.Close();
      return true;
    }
    if (input_) {
      bool ended = false;
      std::string typed = input_->Take(ended);
      if (!typed.empty()) process_.Write(typed.data(), typed.size());
      if (ended) process_.CloseInput();
    }
    return false;
  };
  return RunWithEcho(process_, command_line, directory, sink_, wait);
}

void ConsoleHost::ShowMessage(const std::string& text, const std::string& caption) {
  // A step stopped by Ctrl+C did not fail: the program says it was interrupted instead.
  if (vklib::Interrupted()) return;
  report_.Message(text, caption);
}

void ConsoleHost::ReportLine(const std::string& line) {
  // Nor did a build stopped by Ctrl+C leave work undone that it should tell of.
  if (vklib::Interrupted()) return;
  report_.Line(line);
}
