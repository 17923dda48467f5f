#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "bridge/piece_text.h"

namespace vklib {
struct ProcessParam;
}
class WineBridgeSession;

// Under Wine, a program that is not a Windows one may be one of the Linux system's: vklib::Process
// then runs it through the window's bridge (wine_bridge_session.h), met once and kept while the
// Process lives, and this gives of it what Process gives of a Windows child. On the way the
// command line is made Linux's (bridge_text.h), the tool's UTF-8 reaches the pane as Shift_JIS,
// typed Shift_JIS reaches the tool as UTF-8, and a search path kpsewhich prints comes back in
// Windows form. A tool ends with its bridge, so Process::KeepOnDestroy does not keep it.
class WineLinuxChild {
 public:
  WineLinuxChild();
  ~WineLinuxChild();
  WineLinuxChild(const WineLinuxChild&) = delete;
  WineLinuxChild& operator=(const WineLinuxChild&) = delete;

  // Whether the program of a command line is for the Linux system: we run under Wine, and the
  // search Windows makes for it finds nothing, or a Linux program (an ELF file or a script) named
  // by its path. (Wine would start a Linux program it finds itself, but with none of our pipes and
  // no exit code.) Any other file found is Windows' to start, or to refuse as no program.
  static bool Runs(const vklib::ProcessParam& param);
  // Whether the Linux system's PATH holds a program of this name (ANSI code page); false
  // outside Wine.
  static bool ProgramExists(const std::string& name);
  // Whether Launch starts the program of a command line: Runs holds, and the Linux system has
  // the program.
  static bool Launches(const vklib::ProcessParam& param);
  // Starts the Linux program of a command line in its directory on its own, as a viewer or an
  // editor is started: with none of our streams, not waited for, free to outlive us. False
  // with the Windows error (GetLastError): ERROR_FILE_NOT_FOUND when there is no such program
  // (or no bridge to look for one).
  static bool Launch(const vklib::ProcessParam& param);

  // Starts the Linux program of a command line. False with the Windows error (GetLastError):
  // ERROR_FILE_NOT_FOUND when there is no such program (or no bridge to look for one),
  // ERROR_PIPE_NOT_CONNECTED when the bridge could not be met.
  bool Start(const vklib::ProcessParam& param);
  // The members below are those of vklib::Process, for the tool last started here.
  bool IsEnded();
  size_t Read(char* buffer, size_t size);
  size_t Write(const char* data, size_t size);
  void CloseInput();
  void Close();
  int32_t ExitCode();
  void WaitForActivity(int milliseconds);
  void* WaitHandle() const;

 private:
  bool Start(const vklib::ProcessParam& param, DWORD& error);
  // Takes what came from the tool into converted_.
  void Collect();

  std::unique_ptr<WineBridgeSession> session_;
  Utf8ToShiftJis from_tool_;
  ShiftJisToUtf8 to_tool_;
  bool path_query_ = false;  // kpsewhich asked for a search path: its answer comes whole
  std::string search_path_;  // that answer so far, as kpsewhich wrote it
  bool collected_all_ = true;
  std::string converted_;  // the tool's output for Read
};
