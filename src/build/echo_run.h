#pragma once

#include <functional>
#include <string>

namespace vklib {
class Process;
namespace window::edit {
class EditCore;
}
}  // namespace vklib

// Where the echo of a run goes: the output pane, or standard output in the headless driver.
// Everything goes behind what is already there; nothing there is ever changed.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Our own text (the header, the closing blank lines). With `own_line` it starts a line: an
  // unended last line is ended first.
  virtual void AppendOwn(const std::string& text, bool own_line) = 0;
  // The child's output.
  virtual void Append(const std::string& text) = 0;
};

// The output pane as a sink.
class PaneSink : public OutputSink {
 public:
  explicit PaneSink(vklib::window::edit::EditCore& pane) : pane_(pane) {}
  void AppendOwn(const std::string& text, bool own_line) override;
  void Append(const std::string& text) override;

 private:
  vklib::window::edit::EditCore& pane_;
};

// The header printed in front of each run's output.
std::string EchoHeader(const std::string& directory, const std::string& command_line);

// Waits at most the given milliseconds (20, or 0 while output is flowing) for the child or for
// the host's own events, handles those events, and tells whether the child's end was signalled.
// It is called at least once for every kEchoBatchBytes of output, however fast the child writes.
using EchoWait = std::function<bool(int milliseconds)>;

// The most output that goes into the sink in one piece.
inline constexpr size_t kEchoBatchBytes = 65536;

// Runs a command line in a directory with its standard output and standard error echoed into
// `sink` as they arrive, its standard input on a pipe, until the child has ended and its output
// is drained. False, with nothing echoed, when a child still runs; false, with the header and
// the reason (the process's StartError) echoed, when the child could not be started.
bool RunWithEcho(vklib::Process& process, const std::string& command_line,
                 const std::string& directory, OutputSink& sink, const EchoWait& wait);
