#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_wnd.h"
#include "support/settings_file.h"

namespace test {

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

  SettingsFile settings_;
  MainWnd window_{GetModuleHandleA(nullptr)};
};

}  // namespace test
