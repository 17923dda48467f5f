// The output pane while a child runs, as the user meets it: a selection made during the run,
// a click in old text, Esc, and a child that floods the pane.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "resources/resource_ids.h"
#include "support/test_support.h"
#include "win32/main_window_fixture.h"
#include "win32/modal_driver.h"

namespace {

class PaneDuringRun : public test::MainWindowTest {
 protected:
  static std::string Child(const std::string& steps) {
    return test::Quoted(test::HelperPath("scripted-child")) + " " + steps;
  }
  bool Shows(const std::string& line) { return Pane().find("\r\n" + line + "\r\n") != npos; }

  static constexpr size_t npos = std::string::npos;
  test::TempDir dir_;
};

TEST_F(PaneDuringRun, ASelectionMadeDuringTheRunStaysAndLosesNoOutput) {
  test::DuringRun select_all([&] {
    if (!Shows("alpha")) return false;
    window_.Pane().SelectAll();  // "全て選択"
    return true;
  });
  ASSERT_TRUE(window_.Execute(Child("out:alpha\\n sleep:200 out:beta\\n sleep:200 out:gamma\\n"),
                              dir_.path()));
  EXPECT_TRUE(Shows("alpha") && Shows("beta") && Shows("gamma")) << Pane();
  std::string selected = window_.Pane().Core().SelectedText();
  EXPECT_NE(npos, selected.find("\r\nalpha"));
  EXPECT_EQ(npos, selected.find("\r\ngamma"));
  ASSERT_TRUE(window_.Pane().Copy());  // "コピー" copies what was selected
  EXPECT_EQ(selected, test::ClipboardText(window_.Handle()));

  window_.Pane().SelectAll();
  ASSERT_TRUE(window_.Pane().Copy());
  EXPECT_EQ(Pane(), test::ClipboardText(window_.Handle()));
}

TEST_F(PaneDuringRun, AfterAClickInOldTextACommandsHeaderStartsOnALineOfItsOwn) {
  window_.Pane().InsertText("old line one\nold line two", "\n");
  HWND pane = window_.Pane().Handle();
  SendMessageA(pane, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8 + 3 * window_.Pane().CellWidth(), 2));
  SendMessageA(pane, WM_LBUTTONUP, 0, MAKELPARAM(8 + 3 * window_.Pane().CellWidth(), 2));
  test::ModalDriver driver({[](HWND prompt) {
    test::Type(prompt, 1071, Child("out:new\\n"));
    test::Click(prompt, IDOK);
  }});
  SendMessageA(window_.Handle(), WM_COMMAND, command::kRunCommand, 0);
  EXPECT_EQ(0u, Pane().find("old line one\r\nold line two\r\n" + std::string(43, '/') + "\r\n"));
  EXPECT_TRUE(Shows("new"));
}

TEST_F(PaneDuringRun, EscEndsAnEndlessRunWithEverythingItStarted) {
  std::string pid_file = dir_.File("grandchild.pid");
  test::DuringRun escape([&] {
    if (!Shows("ready")) return false;
    SendMessageA(window_.Pane().Handle(), WM_CHAR, VK_ESCAPE, 1);
    return true;
  });
  ASSERT_TRUE(window_.Execute(Child(test::Quoted("spawn:" + pid_file) + " out:ready\\n forever"),
                              dir_.path()));
  EXPECT_EQ(-1, window_.GetExitCode());
  EXPECT_TRUE(Shows("実行を中止しました．"));
  long grandchild = std::stol(test::ReadFile(pid_file));
  EXPECT_TRUE(test::WaitUntil([&] { return !test::ProcessAlive(grandchild); }));
}

TEST_F(PaneDuringRun, TheWindowAnswersDuringAFloodAndClosingItEndsTheRun) {
  std::string pid_file = dir_.File("grandchild.pid");
  HWND window = window_.Handle();
  std::atomic<long long> slowest_ms{0};
  std::atomic<int> answers{0};
  // Another thread asks the window, as another program would, then closes it.
  std::thread asker([&] {
    auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(3)) {
      auto asked = std::chrono::steady_clock::now();
      DWORD_PTR result = 0;
      if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) == 0) break;
      long long waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - asked)
                             .count();
      slowest_ms = std::max(slowest_ms.load(), waited);
      ++answers;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
  });
  ASSERT_TRUE(
      window_.Execute(Child(test::Quoted("spawn:" + pid_file) + " floodfor:10000"), dir_.path()));
  asker.join();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(-1, window_.GetExitCode());
  EXPECT_GT(answers.load(), 20);
  EXPECT_LT(slowest_ms.load(), 100);
  long grandchild = std::stol(test::ReadFile(pid_file));
  EXPECT_TRUE(test::WaitUntil([&] { return !test::ProcessAlive(grandchild); }));
}

}  // namespace
