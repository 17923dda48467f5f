#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "vklib/system_error.h"

namespace vklib {

// How to start a child.
struct ProcessParam {
  std::string Program;          // empty: the first token of CommandLine, searched on the PATH
  std::string CommandLine;      // the whole command line
  std::string Directory;        // working directory; empty: ours at the moment of the start
  bool RedirectOutput = false;  // standard output into the output pipe
  bool RedirectInput = false;   // standard input from the input pipe
  bool RedirectError = false;   // standard error into the same output pipe
  bool DefaultShow = false;     // true: the child gets no show mode
  int ShowMode = 5;             // SW_SHOW; handed to the child when DefaultShow is false
};

// One child process with its standard streams on pipes. Windows runs CreateProcessA with a
// Job Object around the child; POSIX runs the program in a process group of its own, and the
// child gets SIGKILL when the thread that started it ends, even when we are killed. Under Wine, a
// program Windows cannot find may be one of the Linux system's, run through the window's bridge
// (bridge/wine_linux_child.h). Closing a running child ends its whole tree, and its exit code
// then reads -1.
class Process {
 public:
  static constexpr int32_t kStillActive = 259;  // the exit code of a child still running

  Process();
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts a child; false while one still runs, or when it cannot be started (nothing is left
  // open then, and StartError tells why). The remains of an ended child are closed first.
  bool Start(const ProcessParam& param);
  // Why the last Start could not start its child; kNone after a start, or a refused one.
  const SystemError& StartError() const { return start_error_; }
  // True when no child is held or the child has ended.
  bool IsEnded();
  // Reads what is in the output pipe now, at most `size` bytes; never blocks; 0 when nothing.
  size_t Read(char* buffer, size_t size);
  // Writes to the child's standard input; 0 when the child has ended or the write failed.
  size_t Write(const char* data, size_t size);
  // Closes our end of the child's standard input, so that the child reads its end.
  void CloseInput();
  // Ends a running child (and its tree) with exit code -1 and closes everything.
  void Close();
  // The child's exit code: kStillActive while it runs, -1 after Close ended it.
  int32_t ExitCode();
  // Waits at most `milliseconds` for output, or for the child's end.
  void WaitForActivity(int milliseconds);
  // The Windows process handle to wait on (MsgWaitForMultipleObjects); null on POSIX.
  void* WaitHandle() const;

  // Leaves a running child alone when the object is destroyed.
  bool KeepOnDestroy = false;

 private:
  struct State;
  std::unique_ptr<State> state_;
  SystemError start_error_;
};

// Whether a directory of the PATH holds the program a command line names by `name` alone:
// "name.exe" on Windows, and under Wine a Linux program of that name too; "name" on POSIX.
bool ProgramOnPath(const std::string& name);

}  // namespace vklib
