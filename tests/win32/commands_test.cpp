// The commands of the menu and the toolbar, and dropped files, sent to a real main window.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include "app/main_wnd.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/settings_file.h"
#include "texsource/paths.h"
#include "vklib/file.h"
#include "win32/main_window_fixture.h"
#include "win32/modal_driver.h"

namespace {

using Lines = std::vector<std::string>;

class Commands : public test::MainWindowTest {
 protected:
  void SetUp() override {
    WriteFirstRunDefaults();
    test::WriteFile(Doc("main.tex"), "\\documentclass[a4paper]{jarticle}\n\\include{chap1}\n");
    test::WriteFile(Doc("chap1.tex"), "text\n");
    MainWindowTest::SetUp();
  }

  std::string Doc(const std::string& name) const { return JoinPath(doc_, name); }
  // Presses Esc in the pane once the running tool asks "? ", as the user stops a run.
  test::DuringRun EscapeAtPrompt() {
    return test::DuringRun([this] {
      if (Pane().find("? ") == std::string::npos) return false;
      SendMessageA(window_.Pane().Handle(), WM_CHAR, VK_ESCAPE, 1);
      return true;
    });
  }
  // "directory> command" of each echo header in the pane.
  Lines Headers() {
    Lines headers;
    std::string text = Pane();
    const std::string directory = "カレントディレクトリ : ", command = "コマンド : ";
    size_t at = 0;
    while ((at = text.find(directory, at)) != std::string::npos) {
      size_t end = text.find("\r\n", at);
      std::string dir = text.substr(at + directory.size(), end - at - directory.size());
      size_t command_at = text.find(command, end) + command.size();
      headers.push_back(dir + "> " +
                        text.substr(command_at, text.find("\r\n", command_at) - command_at));
      at = command_at;
    }
    return headers;
  }
  // The File menu as "text" items and "-" separators.
  Lines FileMenu() {
    Lines items;
    HMENU file = GetSubMenu(GetMenu(window_.Handle()), 0);
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
      char text[1024] = "";
      MENUITEMINFOA info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_STRING;
      info.dwTypeData = text;
      info.cch = sizeof text;
      GetMenuItemInfoA(file, static_cast<UINT>(i), TRUE, &info);
      items.push_back((info.fType & MFT_SEPARATOR) ? "-" : text);
    }
    return items;
  }

  test::FakeTools tools_;
  std::string doc_ = settings_.dir().Directory("doc");
};

TEST_F(Commands, ADroppedChapterIsBuiltAndThePaneShowsEveryAction) {
  test::WriteFile(Doc("main.idx"), "\\indexentry{a}{1}\n");
  test::WriteFile(
      Doc("fake-tools.script"),
      "platex *: write main.aux \\\\citation{a}\\n\\\\bibdata{r}\\n\\\\bibcite{a}{1}\\n\n"
      "platex 1: write main.aux \\\\relax \\n\\\\citation{a}\\n\\\\bibdata{r}\\n\n"
      "mendex *: write main.ind index\n"
      "pbibtex *: write main.bbl entries\n"
      "pbibtex *: out bibliography done\\n\n");
  Drop({Doc("chap1.tex")});
  EXPECT_EQ("Pressel2  " + Doc("chap1.tex"), Title());
  EXPECT_EQ((Lines{doc_ + "> platex main.tex", doc_ + "> mendex main", doc_ + "> pbibtex main",
                   doc_ + "> platex main.tex", doc_ + "> platex main.tex"}),
            Headers());
  EXPECT_NE(std::string::npos, Pane().find("bibliography done"));
}

TEST_F(Commands, WhatABuildCouldNotFinishIsToldAtTheEndOfThePaneWithoutAMessageBox) {
  std::string message;
  test::ModalDriver no_message({test::AnswerMessageBox(message)});
  test::WriteFile(Doc("main.idx"), "\\indexentry{a}{1}\n");
  test::WriteFile(Doc("fake-tools.script"),
                  "platex *: write main.aux \\\\relax \\n\nmendex *: exit 255\n");
  window_.Build().current_file = Doc("main.tex");
  Command(command::kTeXToDVI);
  const std::string end =
      "\r\nMakeIndexがエラーコード255を返したので，索引が正しくない可能性があります．\r\n";
  const std::string pane = Pane();
  EXPECT_EQ(end, pane.substr(pane.size() - std::min(pane.size(), end.size())));
  EXPECT_EQ("", message);
}

TEST_F(Commands, TeXToDVIDuringARunningBuildDoesNothing) {
  window_.Build().current_file = Doc("main.tex");
  PostMessageA(window_.Handle(), WM_COMMAND, command::kTeXToDVI,
               0);  // arrives while the child runs
  ASSERT_TRUE(
      window_.Execute(test::Quoted(test::HelperPath("scripted-child")) + " sleep:300", doc_));
  EXPECT_EQ(1u, Headers().size());
  EXPECT_TRUE(test::ToolLog(doc_).empty());
  Command(command::kTeXToDVI);  // and once the child has ended, the command runs
  EXPECT_EQ("platex main.tex", test::ToolLog(doc_).at(0));
}

TEST_F(Commands, TeXToDVIWhileAnEndedChildsOutputIsStillReadDoesNothing) {
  window_.Build().current_file = Doc("main.tex");
  test::DuringRun command([&] {
    if (!window_.ChildProcess().IsEnded()) return false;
    Command(command::kTeXToDVI);  // the child is gone, but its output still comes in
    return true;
  });
  ASSERT_TRUE(window_.Execute(
      test::Quoted(test::HelperPath("scripted-child")) + " handoff:floodfor:1500 sleep:500 exit:3",
      doc_));
  EXPECT_TRUE(command.Done());
  EXPECT_EQ(3, window_.GetExitCode());
  EXPECT_TRUE(test::ToolLog(doc_).empty());
}

TEST_F(Commands, EscStopsTheBuildWithoutAFailureBox) {
  test::WriteFile(Doc("fake-tools.script"), "platex *: prompt\n");
  window_.Build().current_file = Doc("main.tex");
  test::DuringRun escape = EscapeAtPrompt();
  std::string message;
  test::ModalDriver driver({test::AnswerMessageBox(message)});
  Command(command::kTeXToDVI);
  EXPECT_EQ("", message);
  EXPECT_EQ(Lines{"platex main.tex"}, test::ToolLog(doc_));  // the loop went no further
  EXPECT_NE(std::string::npos, Pane().find("? \r\n実行を中止しました．\r\n"));
}

TEST_F(Commands, EscDuringMakeIndexTellsNoFailureInTheTitleOrThePane) {
  test::WriteFile(Doc("fake-tools.script"), "platex *: write main.idx entry\nmendex *: prompt\n");
  window_.Build().current_file = Doc("main.tex");
  const std::string title = Title();
  test::DuringRun escape = EscapeAtPrompt();
  std::string message;
  test::ModalDriver driver({test::AnswerMessageBox(message)});
  Command(command::kTeXToDVI);
  EXPECT_EQ("", message);
  EXPECT_EQ((Lines{"platex main.tex", "mendex main"}), test::ToolLog(doc_));
  EXPECT_EQ(title, Title());
  EXPECT_EQ(std::string::npos, Pane().find("エラーコード"));
}

TEST_F(Commands, ATypedCommandThatCannotStartIsReported) {
  std::string message;
  test::ModalDriver driver({[](HWND prompt) {
                              test::Type(prompt, IDC_ANSWER, "no-such-program-of-pressel2 x");
                              test::Click(prompt, IDOK);
                            },
                            test::AnswerMessageBox(message)});
  Command(command::kRunCommand);
  const std::string reason =
      "「no-such-program-of-pressel2」が見つかりません．PATHと設定を確かめてください．";
  EXPECT_EQ("Pressel2: no-such-program-of-pressel2 xの実行に失敗．\n" + reason, message);
  EXPECT_EQ(Lines{SplitPath(vklib::ModuleFileName()).directory + "> no-such-program-of-pressel2 x"},
            Headers());
  EXPECT_NE(std::string::npos, Pane().find(std::string(43, '/') + "\r\n" + reason + "\r\n"));
}

TEST_F(Commands, TheOpenDialogStartsInTheCurrentFilesDirectory) {
  Drop({Doc("paper.pdf")});
  std::string folder;
  test::ModalDriver driver({[&](HWND dialog) {
    char path[MAX_PATH] = "";
    SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    folder = path;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }});
  Command(command::kOpen);
  EXPECT_EQ(doc_, folder);
}

TEST_F(Commands, AnAmpersandInARecentFileIsShownAsItIs) {
  Drop({Doc("R&D.pdf")});
  EXPECT_EQ(Doc("R&&D.pdf"), FileMenu().at(13));  // "&&" shows one "&", underlining nothing
  EXPECT_EQ(Doc("R&D.pdf"), GetIniString("History", "0"));
}

TEST_F(Commands, ADocumentInADrivesRootIsBuiltThere) {
  const std::string root_file = "C:\\pressel2-test-" + std::to_string(GetCurrentProcessId());
  test::WriteFile(root_file + ".tex", "\\documentclass{jarticle}\n");
  test::ScopedEnvironment log("FAKE_TOOL_LOG", settings_.dir().File("tools.log"));
  Drop({root_file + ".tex"});
  DeleteFileA((root_file + ".tex").c_str());
  // "C:" alone would be drive C's current directory.
  EXPECT_EQ("C:\\> platex " + root_file.substr(3) + ".tex", Headers().at(0));
}

TEST_F(Commands, APdfBecomesCurrentAndRunsNothing) {
  Drop({Doc("paper.pdf")});
  EXPECT_EQ("Pressel2  " + Doc("paper.pdf"), Title());
  EXPECT_EQ(Doc("paper.pdf"), GetIniString("History", "0"));
  EXPECT_TRUE(Headers().empty());
  EXPECT_EQ(Doc("paper.pdf"), window_.Build().current_file);
}

TEST_F(Commands, ADviIsConvertedToPdf) {
  test::WriteFile(Doc("paper.dvi"), "dvi");
  Drop({Doc("paper.dvi")});
  EXPECT_EQ(Lines{doc_ + "> dvipdfmx paper.dvi"}, Headers());
}

TEST_F(Commands, ThreeDroppedFilesLeaveTheLastFirstInTheHistory) {
  Drop({Doc("a.pdf"), Doc("b.pdf"), Doc("c.pdf")});
  EXPECT_EQ(Doc("c.pdf"), GetIniString("History", "0"));
  EXPECT_EQ(Doc("b.pdf"), GetIniString("History", "1"));
  EXPECT_EQ(Doc("a.pdf"), GetIniString("History", "2"));
  EXPECT_EQ("Pressel2  " + Doc("c.pdf"), Title());
}

TEST_F(Commands, TheFileMenuListsTheHistoryBetweenSeparators) {
  const Lines head = {"開く(&O)",
                      "-",
                      "TeX→DVI",
                      "DVI→PS",
                      "DVI→PDF",
                      "PS→PDF",
                      "-",
                      "DVIファイルのプレビュー",
                      "PSファイルのプレビュー",
                      "PDFファイルのプレビュー",
                      "-",
                      "コマンドの実行",
                      "-"};
  Lines empty = head;
  empty.push_back("終了");
  EXPECT_EQ(empty, FileMenu());
  Drop({Doc("a.pdf"), Doc("b.pdf")});
  Lines two = head;
  for (const std::string& item :
       {Doc("b.pdf"), Doc("a.pdf"), std::string("-"), std::string("終了")}) {
    two.push_back(item);
  }
  EXPECT_EQ(two, FileMenu());
}

TEST_F(Commands, AHistoryItemOpensItsFile) {
  Drop({Doc("a.pdf"), Doc("b.pdf")});
  Command(command::kFirstHistory + 1);
  EXPECT_EQ("Pressel2  " + Doc("a.pdf"), Title());
  EXPECT_EQ(Doc("a.pdf"), GetIniString("History", "0"));
  Command(command::kFirstHistory +
          7);  // no such entry: the empty path, nothing built, history kept
  EXPECT_EQ("Pressel2  ", Title());
  EXPECT_EQ(Doc("a.pdf"), GetIniString("History", "0"));
}

TEST_F(Commands, ALongPathIsShownWhole) {
  std::string path = Doc(std::string(300 - doc_.size() - 5, 'x') + ".pdf");
  ASSERT_EQ(300u, path.size());
  Drop({path});
  EXPECT_EQ("Pressel2  " + path, Title());
  EXPECT_EQ(path, FileMenu().at(13));
}

TEST_F(Commands, ACancelledPromptRunsNothing) {
  window_.Pane().InsertText("earlier output", "\n");
  test::ModalDriver driver({[](HWND prompt) {
    test::Type(prompt, IDC_ANSWER, "platex main");
    test::Click(prompt, IDCANCEL);
  }});
  Command(command::kRunCommand);
  EXPECT_EQ("earlier output", Pane());
  EXPECT_TRUE(test::ToolLog(doc_).empty());
}

TEST_F(Commands, ATypedCommandWithoutAFileRunsInTheProgramsDirectory) {
  test::ModalDriver driver({[](HWND prompt) {
    EXPECT_EQ("実行するコマンドを入力してください．", test::ControlText(prompt, IDC_PROMPT));
    test::Type(prompt, IDC_ANSWER,
               test::Quoted(test::HelperPath("scripted-child")) + " out:typed%%");
    test::Click(prompt, IDOK);
  }});
  Command(command::kRunCommand);
  std::string program_directory = SplitPath(vklib::ModuleFileName()).directory;
  EXPECT_EQ(Lines{program_directory + "> " + test::Quoted(test::HelperPath("scripted-child")) +
                  " out:typed%"},
            Headers());
  EXPECT_NE(std::string::npos, Pane().find("typed%"));
}

TEST_F(Commands, ATypedCommandRunsInTheCurrentFilesDirectoryWithPlaceholders) {
  Drop({Doc("paper.pdf")});
  test::ModalDriver driver({[](HWND prompt) {
    test::Type(prompt, IDC_ANSWER, "platex %B");
    test::Click(prompt, IDOK);
  }});
  Command(command::kRunCommand);
  EXPECT_EQ(Lines{doc_ + "> platex paper"}, Headers());
}

TEST_F(Commands, HelpDoesNothing) {
  std::string title = Title();
  EXPECT_EQ(0, SendMessageA(window_.Handle(), WM_COMMAND, command::kHelp, 0));
  EXPECT_EQ(title, Title());
  EXPECT_EQ("", Pane());
}

TEST_F(Commands, SettingsCommandsOpenTheirDialogs) {
  std::vector<std::pair<int, std::string>> dialogs = {
      {command::kTeXToDVISettings, "TeX→DVIの設定"},
      {command::kDVIToPSSettings, "DVI→PSの設定"},
      {command::kDVIToPDFSettings, "DVI→PDFの設定"},
      {command::kPSToPDFSettings, "PS→PDFの設定"},
      {command::kDVIViewerSettings, "DVI閲覧ソフトの設定"},
      {command::kViewerSettings, "その他の閲覧ソフトの設定"},
      {command::kGeneralSettings, "TeX全般の設定"},
      {command::kAbout, "バージョン情報"}};
  // The TeX settings ask kpsewhich for the formats from the tests' working directory.
  test::ScopedEnvironment log("FAKE_TOOL_LOG", settings_.dir().File("kpsewhich.log"));
  for (const auto& [id, caption] : dialogs) {
    std::string seen;
    test::ModalDriver driver({[&](HWND dialog) {
      char text[128] = "";
      GetWindowTextA(dialog, text, sizeof text);
      seen = text;
      test::Click(dialog, id == command::kAbout ? IDOK : IDCANCEL);
    }});
    Command(id);
    EXPECT_EQ(caption, seen) << id;
  }
}

TEST_F(Commands, ExitDestroysTheWindow) {
  Command(command::kExit);
  EXPECT_FALSE(IsWindow(window_.Handle()));
}

}  // namespace
