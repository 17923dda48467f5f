// Pressel2 under Wine with the real TeX Live of the Linux system, through pressel2-bridge: the
// main window builds a sample as the headless driver does and documents of other engines, answers
// TeX's prompt from the pane, runs any program of the Linux system, converts PostScript whatever
// its name, leaves no TeX process behind when it is closed mid-run, and meets its bridge where no
// other user reaches.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/main_wnd.h"
#include "bridge/wine_unix.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/settings_file.h"
#include "texsource/paths.h"
#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/process.h"
#include "win32/main_window_fixture.h"
#include "win32/modal_driver.h"

namespace {

using Lines = std::vector<std::string>;

// Runs a shell command line of the Linux system (through Wine) and gives its exit status.
int RunUnix(const std::string& command) {
  UnixSpawn spawn = UnixSpawnFunction();
  std::string shell = "/bin/sh", dash_c = "-c", line = command;
  char* argv[] = {shell.data(), dash_c.data(), line.data(), nullptr};
  return spawn != nullptr ? static_cast<int>(spawn(argv, 1)) : -1;
}

// The Unix path of a Windows path in the ANSI code page.
std::string UnixPath(const std::string& windows_path) {
  return ::UnixPath(vklib::kCodePageAnsi, windows_path);
}

std::string Quoted(const std::string& unix_text) {
  return "'" + unix_text + "'";
}

// A Unix path as Windows sees it (drive Z: is the Unix root).
std::string WindowsForm(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string Samples() {
  return WindowsForm(std::string(PRESSEL2_SOURCE_DIR) + "/samples");
}

// The native build's programs: pressel2-build, and the bridge the window meets.
std::string NativeBin() {
  const char* bin = std::getenv("PRESSEL2_NATIVE_BIN");
  return bin != nullptr ? bin : "";
}

class LinuxTeX : public test::MainWindowTest {
 protected:
  void SetUp() override {
    WriteFirstRunDefaults();
    MainWindowTest::SetUp();
  }

  static Lines Commands(const std::string& text, const std::string& line_end) {
    Lines commands;
    const std::string label = "コマンド : ";
    size_t at = 0;
    while ((at = text.find(label, at)) != std::string::npos) {
      at += label.size();
      commands.push_back(text.substr(at, text.find(line_end, at) - at));
    }
    return commands;
  }

  // Types a line into the pane, as the keyboard would (one message a byte), and Enter.
  void TypeLine(const std::string& line) {
    HWND pane = window_.Pane().Handle();
    for (char byte : line)
      PostMessageA(pane, WM_CHAR, static_cast<unsigned char>(byte), 1);
    PostMessageA(pane, WM_CHAR, '\r', 1);
  }

  bool PaneEndsWith(const std::string& end) {
    std::string text = Pane();
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
  }

  // The bridge first on the PATH.
  test::ScopedEnvironment path_{
      "PATH", WindowsForm(NativeBin()) + ";" + vklib::EnvironmentVariable("PATH")};
};

TEST_F(LinuxTeX, TheWindowBuildsTheReportAsTheHeadlessDriverDoes) {
  // No step may fail; a message box would be answered and noted.
  std::string message;
  test::ModalDriver no_message({test::AnswerMessageBox(message)});
  test::TempDir work;
  std::filesystem::copy(Samples() + "\\report-utf8", work.File("window"),
                        std::filesystem::copy_options::recursive);
  std::filesystem::copy(Samples() + "\\report-utf8", work.File("driver"),
                        std::filesystem::copy_options::recursive);

  // pressel2-build, native, on one copy (with a settings file of its own).
  ASSERT_NE("", NativeBin()) << "PRESSEL2_NATIVE_BIN names the native build's programs";
  const std::string native_driver = NativeBin() + "/pressel2-build";
  std::string driver_dir = UnixPath(work.File("driver"));
  ASSERT_EQ(0, RunUnix("mkdir -p " + Quoted(driver_dir + "/tool") + " && cp " +
                       Quoted(native_driver) + " " + Quoted(driver_dir + "/tool/")));
  ASSERT_EQ(0, RunUnix("cd " + Quoted(driver_dir) +
                       " && ./tool/pressel2-build chapters/chap2.tex"
                       " </dev/null >driver.out 2>&1"));
  std::string driver_output = vklib::Utf8ToAnsi(test::ReadFile(work.File("driver\\driver.out")));
  Lines expected = Commands(driver_output, "\n");
  ASSERT_EQ(5u, expected.size()) << driver_output;

  // The window, on the other copy: the chapter dropped on it.
  std::string doc = work.File("window");
  Drop({doc + "\\chapters\\chap2.tex"});
  EXPECT_EQ(expected, Commands(Pane(), "\r\n"));
  EXPECT_NE(std::string::npos, Pane().find("カレントディレクトリ : " + doc + "\r\n"));
  EXPECT_NE(std::string::npos, Pane().find("Output written on main.dvi"));
  EXPECT_NE(std::string::npos, Pane().find("第 2 章"));  // TeX's UTF-8, shown in Shift_JIS
  EXPECT_TRUE(std::filesystem::exists(doc + "\\main.dvi"));

  // DVI->PDF from the menu: an A4 PDF.
  SendMessageA(window_.Handle(), WM_COMMAND, 1128, 0);
  EXPECT_EQ(Lines{"dvipdfmx main.dvi"}, Commands(Pane(), "\r\n"));
  ASSERT_TRUE(std::filesystem::exists(doc + "\\main.pdf"));
  std::string unix_doc = UnixPath(doc);
  EXPECT_EQ(0, RunUnix("pdfinfo " + Quoted(unix_doc + "/main.pdf") + " > " +
                       Quoted(unix_doc + "/pdfinfo.txt")));
  EXPECT_NE(std::string::npos,
            test::ReadFile(doc + "\\pdfinfo.txt").find("595.28 x 841.89 pts (A4)"));

  // DVI->PS, then PS->PDF with the GhostScript converter's batch file.
  std::filesystem::remove(doc + "\\main.pdf");
  SendMessageA(window_.Handle(), WM_COMMAND, 1127, 0);
  EXPECT_EQ(Lines{"dvips main.dvi"}, Commands(Pane(), "\r\n"));
  SendMessageA(window_.Handle(), WM_COMMAND, 1129, 0);
  EXPECT_EQ(Lines{"ps2pdf.bat \"main.ps\" \"main.pdf\""}, Commands(Pane(), "\r\n"));
  ASSERT_EQ(0, RunUnix("pdfinfo " + Quoted(unix_doc + "/main.pdf") + " > " +
                       Quoted(unix_doc + "/pdfinfo.txt")));
  std::string info = test::ReadFile(doc + "\\pdfinfo.txt");
  EXPECT_NE(std::string::npos, info.find("Ghostscript")) << info;
  EXPECT_NE(std::string::npos, info.find("Pages:           6")) << info;
  EXPECT_EQ("", message);
}

// With the first-run settings, each document is built by the engine it names, with that
// engine's tools: no list of programs stands between the window and TeX Live.
TEST_F(LinuxTeX, TheWindowBuildsAUpLaTeXAndALuaLaTeXDocumentWithTheEngineEachNames) {
  std::string message;
  test::ModalDriver no_message({test::AnswerMessageBox(message)});
  test::TempDir work;
  test::WriteFile(work.File("refs.bib"),
                  u8"@book{taka, author={髙橋 太郎}, title={本}, publisher={出版社}, year=2001}\n");
  test::WriteFile(work.File("up.tex"),
                  u8"\\documentclass{ujarticle}\n\\usepackage{makeidx}\n\\makeindex\n"
                  u8"\\begin{document}\n髙橋\\index{たかはし@髙橋}\\cite{taka}\n"
                  u8"\\bibliographystyle{jplain}\n\\bibliography{refs}\n\\printindex\n"
                  u8"\\end{document}\n");
  Drop({work.File("up.tex")});
  EXPECT_EQ(
      (Lines{"uplatex up.tex", "mendex -U up", "upbibtex up", "uplatex up.tex", "uplatex up.tex"}),
      Commands(Pane(), "\r\n"));
  EXPECT_NE(std::string::npos, Pane().find("uplatexを使います（文書クラス ujarticle）．\r\n"));
  EXPECT_NE(std::string::npos, Pane().find("up.dvi を作りました（uplatex 3回，mendex 1回，"));
  EXPECT_NE(std::string::npos, test::ReadFile(work.File("up.bbl")).find(u8"髙橋"));

  test::WriteFile(work.File("lua.tex"),
                  u8"\\documentclass{ltjsarticle}\n\\begin{document}\n"
                  u8"本文\n\\end{document}\n");
  Drop({work.File("lua.tex")});
  EXPECT_EQ(Lines{"lualatex lua.tex"}, Commands(Pane(), "\r\n"));
  EXPECT_NE(std::string::npos, Pane().find("lualatexを使います（文書クラス ltjsarticle）．\r\n"));
  EXPECT_NE(std::string::npos, Pane().find("lua.pdf を作りました（lualatex 1回，")) << Pane();
  EXPECT_EQ("", message);
}

TEST_F(LinuxTeX, AnAnswerTypedIntoThePaneReachesTeXAtItsPrompt) {
  test::TempDir work;
  test::WriteFile(work.File("main.tex"),
                  "\\documentclass{jarticle}\n\\begin{document}\n\\undefinedcommand\n"
                  "\\end{document}\n");
  HWND pane = window_.Pane().Handle();
  // TeX asks "? " at its error (and flushes its output to ask): the user types x and Enter.
  test::DuringRun prompt([this, pane] {
    if (!PaneEndsWith("\r\n? ")) return false;
    PostMessageA(pane, WM_KEYDOWN, 'X', 1);
    PostMessageA(pane, WM_CHAR, 'x', 1);
    PostMessageA(pane, WM_KEYUP, 'X', 1);
    PostMessageA(pane, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(pane, WM_CHAR, '\r', 1);
    PostMessageA(pane, WM_KEYUP, VK_RETURN, 1);
    return true;
  });
  std::string message;
  test::ModalDriver box({test::AnswerMessageBox(message)});
  Drop({work.File("main.tex")});
  EXPECT_TRUE(prompt.Done());
  EXPECT_NE(std::string::npos, Pane().find("! Undefined control sequence."));
  EXPECT_NE(std::string::npos, Pane().find("? x\r\n"));  // the answer, echoed as typed
  EXPECT_EQ("Pressel2: platex main.texの実行に失敗．", message);
  std::string log = test::ReadFile(work.File("main.log"));
  EXPECT_NE(std::string::npos, log.find("? x")) << log;
  EXPECT_EQ(std::string::npos, log.find("Emergency stop"));
}

TEST_F(LinuxTeX, CtrlDAtTeXsFileNamePromptEndsTeX) {
  test::TempDir work;
  test::WriteFile(work.File("main.tex"),
                  "\\documentclass{jarticle}\n\\begin{document}\n\\input{no-such-chapter}\n"
                  "\\end{document}\n");
  HWND pane = window_.Pane().Handle();
  test::DuringRun end_of_input([this, pane] {
    if (!PaneEndsWith("file name: ")) return false;
    PostMessageA(pane, WM_CHAR, 4, 1);  // Ctrl+D
    return true;
  });
  std::string message;
  test::ModalDriver box({test::AnswerMessageBox(message)});
  Drop({work.File("main.tex")});
  EXPECT_TRUE(end_of_input.Done());
  EXPECT_NE(std::string::npos, Pane().find("Emergency stop")) << Pane();
  EXPECT_EQ("Pressel2: platex main.texの実行に失敗．", message);
}

TEST_F(LinuxTeX, ClosingTheWindowDuringALongRunLeavesNoTeXBehind) {
  test::TempDir work;
  // TeX counts for many minutes without a word or a read: only ending it from outside stops it
  // (the end of its streams would not, as it neither reads nor writes).
  std::string name = "counts-" + std::to_string(GetCurrentProcessId());
  test::WriteFile(work.File(name + ".tex"),
                  "\\documentclass{jarticle}\n\\begin{document}\n"
                  "\\count255=0 \\loop\\advance\\count255 by 1 "
                  "\\ifnum\\count255<2000000000 \\repeat\n\\end{document}\n");
  // Whether the Linux TeX runs: a process of that command line that is neither the bridge (a
  // Wine process, whose title is the same) nor a shell; "[p]" keeps the pattern from matching
  // the shell that runs pgrep.
  const std::string search = "for p in $(pgrep -f " + Quoted("[p]latex " + name) +
                             "); do case $(readlink /proc/$p/exe) in *wine*|*bash|*/sh) ;; "
                             "*) exit 0 ;; esac; done; exit 1";
  HWND main_window = window_.Handle();
  // Once the Linux platex runs, the window is closed.
  test::DuringRun running(
      [&] {
        if (RunUnix(search) != 0) return false;
        PostMessageA(main_window, WM_CLOSE, 0, 0);
        return true;
      },
      100);
  Drop({work.File(name + ".tex")});
  EXPECT_TRUE(running.Done());
  EXPECT_FALSE(IsWindow(main_window));
  bool gone = test::WaitUntil([&] { return RunUnix(search) != 0; });
  EXPECT_TRUE(gone) << "a platex process of " << name << " is still running";
  if (!gone) RunUnix("pkill -f " + Quoted("[p]latex " + name));  // not to leave it to the next test
}

TEST_F(LinuxTeX, AnyProgramOfTheLinuxSystemRunsAndOneFoundNowhereFailsAsOnWindows) {
  test::TempDir work;
  // uplatex: no list of ours names it.
  ASSERT_TRUE(window_.Execute("uplatex --version", work.path()));
  EXPECT_EQ(0, window_.GetExitCode());
  EXPECT_NE(std::string::npos, Pane().find("e-upTeX")) << Pane();

  // A script of ours, named by its Windows path: what is typed reaches it as UTF-8, what it
  // writes comes back as Shift_JIS, and its exit code is the window's.
  const std::string script = work.File("ask");
  test::WriteFile(script,
                  "#!/bin/sh\nprintf 'name? '\nread -r name\nprintf 'got %s\\n' \"$name\"\n"
                  "exit 3\n");
  ASSERT_EQ(0, RunUnix("chmod +x " + Quoted(UnixPath(script))));
  test::DuringRun answer([this] {
    if (!PaneEndsWith("name? ")) return false;
    TypeLine("あ");
    return true;
  });
  ASSERT_TRUE(window_.Execute(test::Quoted(script), work.path()));
  EXPECT_TRUE(answer.Done()) << Pane();
  EXPECT_NE(std::string::npos, Pane().find("got あ\r\n")) << Pane();
  EXPECT_EQ(3, window_.GetExitCode());

  vklib::Process nowhere;
  vklib::ProcessParam param;
  param.CommandLine = "no-such-program-anywhere --version";
  EXPECT_FALSE(nowhere.Start(param));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

// A double-click on a place in the pane opens it in a Linux editor, not waited for, in the
// document's directory, with the file's Unix path also where %F stands inside a word.
TEST_F(LinuxTeX, ALinuxEditorGetsTheUnixPathOfThePlaceDoubleClicked) {
  test::TempDir work;
  ASSERT_TRUE(CreateDirectoryA(work.File("第2章 本文").c_str(), nullptr));
  test::WriteFile(work.File("第2章 本文\\chap2.tex"), "a\n");
  const std::string unix_work = UnixPath(work.path());
  // The editor notes where it runs and its arguments, but only once the test goes on, which a
  // window that waited for its editor would not.
  const std::string editor = work.File("ed.sh");
  test::WriteFile(editor, "#!/bin/sh\nstarted_in=$(pwd)\ncd " + Quoted(unix_work) +
                              " || exit\ni=0; while [ ! -e go ] && [ $i -lt 100 ]; do sleep 0.05; "
                              "i=$((i+1)); done\nprintf '%s\\n' \"$started_in\" \"$@\" >args.tmp\n"
                              "mv args.tmp args.txt\n");
  ASSERT_EQ(0, RunUnix("chmod +x " + Quoted(UnixPath(editor))));
  window_.Build().parent_directory = work.path();
  window_.ReportLine("第2章 本文/chap2.tex:12: Undefined control sequence.");
  std::string message;
  const auto open_with = [&](const std::string& editor_setting) {
    WriteIniString(Setting::kTeXEditor, editor_setting);
    test::ModalDriver box({test::AnswerMessageBox(message)});
    DoubleClickLine("第2章");
  };
  const auto received = [&] {
    EXPECT_TRUE(test::WaitUntil([&] { return vklib::FileExists(work.File("args.txt")); }));
    const Lines lines = test::ReadLines(work.File("args.txt"));
    std::filesystem::remove(work.File("args.txt"));
    return lines;
  };
  const std::string chapter = unix_work + u8"/第2章 本文/chap2.tex";

  open_with(test::Quoted(editor) + " +%L %F");  // a script named by its Windows path
  test::WriteFile(work.File("go"), "");
  EXPECT_EQ((Lines{unix_work, "+12", chapter}), received());
  open_with("sh " + test::Quoted(editor) + " -g %F:%L");  // a name only the Linux PATH has
  EXPECT_EQ((Lines{unix_work, "-g", chapter + ":12"}), received());
  EXPECT_EQ("", message);
  open_with("no-such-editor-anywhere +%L %F");
  EXPECT_NE(
      std::string::npos,
      message.find("「no-such-editor-anywhere」が見つかりません．PATHと設定を確かめてください．"))
      << message;
}

TEST_F(LinuxTeX, PostScriptWithCommandsInItsNameBecomesPdfAndNothingIsDeleted) {
  test::TempDir work;
  test::WriteFile(work.File("thesis.tex"), "keep me\n");
  // cmd.exe would run "del" here: Ghostscript's ps2pdf is run directly, with no shell.
  const std::string ps = work.File("y&del;thesis.tex&.ps");
  test::WriteFile(ps,
                  "%!PS\n/Times-Roman findfont 12 scalefont setfont\n"
                  "72 720 moveto (hello) show showpage\n");
  std::string message;
  test::ModalDriver no_message({test::AnswerMessageBox(message)});
  Drop({ps});
  EXPECT_EQ("", message);
  EXPECT_EQ("keep me\n", test::ReadFile(work.File("thesis.tex")));
  const std::string pdf = UnixPath(work.File("y&del;thesis.tex&.pdf"));
  EXPECT_EQ(0, RunUnix("pdfinfo " + Quoted(pdf) + " | grep -q '^Producer:.*Ghostscript'"))
      << Pane();
}

TEST_F(LinuxTeX, AnotherUsersAttemptsAtTheBridgeReachNothingAndKeepNoToolOut) {
  test::TempDir work;
  const std::string place = UnixPath(work.path());
  // User "nobody" tries, until told to stop, to open both ends of every bridge endpoint it can
  // see where ours are made (no XDG_RUNTIME_DIR here: /tmp).
  ASSERT_EQ(
      0,
      RunUnix(
          "setpriv --reuid=65534 --regid=65534 --clear-groups sh -c '"
          "n=0; until [ -e \"$0/stop\" ] && [ $n -ge 400 ]; do for d in /tmp/pressel2-bridge-*; do "
          "for end in input output; do n=$((n+1)); "
          "true 3<>\"$d/$end\" 2>/dev/null && echo reached \"$d\"; done; done; "
          "done; echo attempts $n' " +
          Quoted(place) + " >" + Quoted(place + "/peer.txt") + " 2>&1 &"));
  // Meanwhile every new process object meets a new bridge of its own, and runs a tool there.
  for (int session = 0; session < 10; ++session) {
    vklib::Process process;
    vklib::ProcessParam param;
    param.CommandLine = "kpsewhich --version";
    param.RedirectOutput = true;
    ASSERT_TRUE(process.Start(param)) << "session " << session;
    ASSERT_TRUE(test::WaitUntil([&] { return process.IsEnded(); }));
    char buffer[256];
    ASSERT_NE(0u, process.Read(buffer, sizeof buffer));
    EXPECT_EQ(0, process.ExitCode());
  }
  test::WriteFile(work.File("stop"), "");
  ASSERT_TRUE(test::WaitUntil(
      [&] { return test::ReadFile(work.File("peer.txt")).find("attempts") != std::string::npos; }));
  const std::string peer = test::ReadFile(work.File("peer.txt"));
  EXPECT_EQ(std::string::npos, peer.find("reached")) << peer;
  EXPECT_GE(std::stoi(peer.substr(peer.find("attempts") + 9)), 400) << peer;
}

TEST_F(LinuxTeX, ARunWhoseBridgeIsLostFailsWithAMessageAndTheNextRunMeetsANewBridge) {
  test::TempDir work;
  // The tool notes its parent, the bridge, and waits; the bridge is then killed.
  const std::string script = work.File("wait");
  test::WriteFile(script,
                  "#!/bin/sh\nsleep 60 &\necho $! >sleeper.pid\necho $PPID >bridge.pid\n"
                  "wait\n");
  const std::string unix_work = UnixPath(work.path());
  ASSERT_EQ(0, RunUnix("chmod +x " + Quoted(UnixPath(script))));
  test::DuringRun kill_bridge([&] {
    return RunUnix("cd " + Quoted(unix_work) +
                   " && [ -s bridge.pid ] && kill -9 $(cat bridge.pid)") == 0;
  });
  ASSERT_TRUE(window_.Execute(test::Quoted(script), work.path()));
  EXPECT_TRUE(kill_bridge.Done());
  EXPECT_NE(0, window_.GetExitCode());
  EXPECT_NE(std::string::npos, Pane().find("pressel2-bridge との接続が切れました．")) << Pane();
  RunUnix("cd " + Quoted(unix_work) + " && kill $(cat sleeper.pid)");

  ASSERT_TRUE(window_.Execute("kpsewhich --version", work.path()));
  EXPECT_EQ(0, window_.GetExitCode());
}

}  // namespace
