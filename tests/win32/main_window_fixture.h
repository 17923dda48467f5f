#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_wnd.h"
#include "support/settings_file.h"

namespace test {

// A step taken from inside the message loop that a run keeps turning: a timer of the thread
// tries it every so often until it says it is done.
class DuringRun {
 public:
  explicit DuringRun(std::function<bool()> step, UINT every_milliseconds = 10);
  ~DuringRun();
  DuringRun(const DuringRun&) = delete;
  DuringRun& operator=(const DuringRun&) = delete;

  bool Done() const { return done_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  static inline DuringRun* current_ = nullptr;
  std::function<bool()> step_;
  UINT_PTR timer_;
  bool done_ = false;
};

// The text on the clipboard (CF_TEXT), or "".
std::string ClipboardText(HWND owner);

// A real main window in this process, on a settings file of its own, for tests that send it
// messages as the user's actions would.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Drops files on the window as the shell does: a DROPFILES block of ANSI names.
  void Drop(const std::vector<std::string>& files);
  // A command of the menu or the toolbar.
  void Command(int id);
  std::string Title() const;
  // The text of the output pane, lines joined by CR LF.
  std::string Pane();
  // A double-click on the first line of the pane that starts with `start`.
  void DoubleClickLine(const std::string& start);

  SettingsFile settings_;
  MainWnd window_{GetModuleHandleA(nullptr)};
};

}  // namespace test
