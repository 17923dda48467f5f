// The main window: in this process for its layout, tooltips and a child closed with it, and as
// the real program started with arguments.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/main_wnd.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/settings_file.h"
#include "support/test_support.h"
#include "vklib/file.h"
#include "win32/main_window_fixture.h"

namespace {

using MainWindow = test::MainWindowTest;

TEST_F(MainWindow, ThePaneStaysTwoPixelsUnderTheToolbar) {
  for (SIZE size : {SIZE{800, 600}, SIZE{400, 300}, SIZE{1000, 200}}) {
    SetWindowPos(window_.Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    RECT client{}, bar{}, pane{};
    GetClientRect(window_.Handle(), &client);
    GetWindowRect(window_.ToolbarHandle(), &bar);
    GetWindowRect(window_.Pane().Handle(), &pane);
    MapWindowPoints(nullptr, window_.Handle(), reinterpret_cast<POINT*>(&bar), 2);
    MapWindowPoints(nullptr, window_.Handle(), reinterpret_cast<POINT*>(&pane), 2);
    RECT bar_client{};
    GetClientRect(window_.ToolbarHandle(), &bar_client);
    EXPECT_EQ(bar_client.bottom + 2, pane.top);
    EXPECT_EQ(0, pane.left);
    EXPECT_EQ(client.right, pane.right);
    EXPECT_EQ(client.bottom, pane.bottom);
  }
}

TEST_F(MainWindow, TheToolbarTooltipsComeFromTheStringTable) {
  auto tip = [&](int command) {
    char text[80] = "";
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_.ToolbarHandle();
    tool.uId = static_cast<UINT_PTR>(command);
    tool.lpszText = text;
    SendMessageA(window_.TooltipHandle(), TTM_GETTEXTA, sizeof text,
                 reinterpret_cast<LPARAM>(&tool));
    return std::string(text);
  };
  EXPECT_EQ("PSを表示", tip(command::kPreviewPS));
  EXPECT_EQ("PDFを表示", tip(command::kPreviewPDF));
  EXPECT_EQ("ファイルを開く", tip(command::kOpen));
  EXPECT_EQ("TeX→DVI", tip(command::kTeXToDVI));
  EXPECT_EQ(10, SendMessageA(window_.ToolbarHandle(), TB_BUTTONCOUNT, 0, 0));
}

TEST_F(MainWindow, GivingTheWindowTheFocusPutsItIntoThePane) {
  SetFocus(window_.Handle());
  EXPECT_EQ(window_.Pane().Handle(), GetFocus());
}

TEST_F(MainWindow, ClosingTheWindowDuringARunEndsTheChild) {
  test::TempDir dir;
  std::string pid_file = dir.File("grandchild.pid");
  PostMessageA(window_.Handle(), WM_CLOSE, 0, 0);  // handled by the loop inside Execute
  EXPECT_TRUE(window_.Execute(
      test::Quoted(test::HelperPath("scripted-child")) + " \"spawn:" + pid_file + "\" forever",
      dir.path()));
  EXPECT_FALSE(IsWindow(window_.Handle()));
  EXPECT_EQ(static_cast<int32_t>(0xFFFFFFFF), window_.GetExitCode());
  if (!test::ReadFile(pid_file).empty()) {
    long grandchild = std::stol(test::ReadFile(pid_file));
    EXPECT_TRUE(test::WaitUntil([&] { return !test::ProcessAlive(grandchild); }));
  }
  // Nothing starts once the window is gone.
  EXPECT_FALSE(window_.Execute("cmd /c exit 0", dir.path()));
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // posted again
}

// The real program, started in a directory of its own with its settings file beside it.
class Program : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(test::HelperPath("pressel2"), exe_); }
  void TearDown() override {
    if (info_.hProcess != nullptr) {
      TerminateProcess(info_.hProcess, 0);
      WaitForSingleObject(info_.hProcess, 5000);
      CloseHandle(info_.hProcess);
      CloseHandle(info_.hThread);
    }
  }
  void Start(const std::string& arguments) {
    std::string command = test::Quoted(exe_) + " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               dir_.path().c_str(), &startup, &info_));
    WaitForInputIdle(info_.hProcess, 10000);
  }
  // The program's top-level window of a class, once it exists.
  HWND WindowOf(const char* class_name, const char* title = nullptr) {
    HWND found = nullptr;
    test::WaitUntil([&] {
      found = FindWindowA(class_name, title);
      return found != nullptr;
    });
    return found;
  }
  std::string Title(HWND window) {
    char title[1024] = "";
    GetWindowTextA(window, title, sizeof title);
    return title;
  }

  test::TempDir dir_;
  std::string exe_ = dir_.File("pressel2.exe");
  std::string ini_ = dir_.File("pressel2.ini");
  PROCESS_INFORMATION info_{};
};

TEST_F(Program, AFirstStartWritesTheDefaultsBeforeTheWindowShows) {
  ASSERT_FALSE(vklib::FileExists(ini_));
  Start("");
  HWND window = WindowOf("VELKARO_PRESSEL");
  ASSERT_NE(nullptr, window);
  std::string content = test::ReadFile(ini_);
  EXPECT_EQ(0u, content.find("[TeX2DVI]\r\nIsUsingFormat=1\r\nFormatFile=platex.fmt\r\n"));
  EXPECT_NE(std::string::npos, content.find("[PDFPreview]"));
  EXPECT_EQ("Pressel2", Title(window));
}

TEST_F(Program, FilesOnTheCommandLineAreOpenedInTurn) {
  std::string first = dir_.File("first.pdf"), second = dir_.File("second doc.pdf");
  test::WriteFile(first, "%PDF");
  test::WriteFile(second, "%PDF");
  Start(first + " " + test::Quoted(second));
  HWND window = WindowOf("VELKARO_PRESSEL");
  ASSERT_TRUE(test::WaitUntil([&] { return Title(window) == "Pressel2 " + second; }));
  std::string saved = IniPath;
  IniPath = ini_;
  EXPECT_EQ(second, GetIniString("History", "0"));
  EXPECT_EQ(first, GetIniString("History", "1"));
  IniPath = saved;
}

TEST_F(Program, AnUnknownOptionIsReportedAndNothingIsOpened) {
  std::string file = dir_.File("given-before.pdf");
  test::WriteFile(file, "%PDF");
  Start(file + " -x");
  HWND box = WindowOf("#32770", "Pressel2");
  ASSERT_NE(nullptr, box);
  char text[256] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_STREQ("xは知らないオプションです．", text);
  EXPECT_EQ("Pressel2", Title(FindWindowA("VELKARO_PRESSEL", nullptr)));
  EXPECT_EQ(std::string::npos, test::ReadFile(ini_).find("[History]"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Program, BuildsAChapterNamedOnItsCommandLineRelativeToWhereItStarted) {
  test::FakeTools tools;  // on the PATH the program inherits
  std::string doc = dir_.Directory("my doc");
  test::WriteFile(doc + "\\main.tex", "\\documentclass{jreport}\n\\include{chap1}\n");
  test::WriteFile(doc + "\\chap1.tex", "text\n");
  test::WriteFile(doc + "\\main.idx", "\\indexentry{a}{1}\n");
  test::WriteFile(doc + "\\fake-tools.script",
                  "platex *: write main.aux \\\\relax \\n\nmendex *: write main.ind index\n");
  Start(test::Quoted("my doc\\chap1.tex"));
  HWND window = WindowOf("VELKARO_PRESSEL");
  ASSERT_NE(nullptr, window);
  const std::vector<std::string> actions = {"platex main.tex", "mendex main", "platex main.tex"};
  EXPECT_TRUE(test::WaitUntil([&] { return test::ToolLog(doc) == actions; }));
  EXPECT_EQ(actions, test::ToolLog(doc));
  EXPECT_EQ("Pressel2 " + doc + "\\chap1.tex", Title(window));
  std::string saved = IniPath;
  IniPath = ini_;
  EXPECT_EQ(doc + "\\chap1.tex", GetIniString("History", "0"));  // whole, for later
  IniPath = saved;
}

TEST_F(Program, FilesAfterTheWindowWasClosedAreNotOpened) {
  test::FakeTools tools;
  test::WriteFile(dir_.File("first.tex"), "\\documentclass{jarticle}\n");
  test::WriteFile(dir_.File("fake-tools.script"), "platex *: sleep 20000\n");
  Start("first.tex second.pdf");
  HWND window = WindowOf("VELKARO_PRESSEL");
  ASSERT_TRUE(test::WaitUntil([&] { return !test::ToolLog(dir_.path()).empty(); }));
  PostMessageA(window, WM_CLOSE, 0, 0);  // during the first file's build
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info_.hProcess, 10000));
  std::string saved = IniPath;
  IniPath = ini_;
  EXPECT_EQ(dir_.File("first.tex"), GetIniString("History", "0"));
  EXPECT_EQ("", GetIniString("History", "1"));
  IniPath = saved;
}

TEST_F(Program, ASettingsFileThatCannotBeWrittenIsToldAtStart) {
  std::filesystem::create_directory(ini_);
  Start("");
  HWND box = WindowOf("#32770", "Pressel2");
  ASSERT_NE(nullptr, box);
  char text[1024] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_NE(std::string::npos, std::string(text).find("pressel2.ini」に書き込めません．")) << text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

}  // namespace
