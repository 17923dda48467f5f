// The end of a build in the window: its closing lines at the end of the pane, and a double-click
// on a line that names a place in the document, which opens it in the user's editor. Our fake
// platex leaves a log TeX Live wrote (tests/unit/tex_logs/include-error.log).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "texsource/paths.h"
#include "vklib/file.h"
#include "win32/main_window_fixture.h"
#include "win32/modal_driver.h"

namespace {

using Lines = std::vector<std::string>;

// Bytes as the fake tools' script writes them: every byte escaped.
std::string Escaped(const std::string& bytes) {
  std::string escaped;
  for (unsigned char byte : bytes) {
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02X", byte);
    escaped += code;
  }
  return escaped;
}

class ClosingLines : public test::MainWindowTest {
 protected:
  void SetUp() override {
    WriteFirstRunDefaults();
    settings_.dir().Directory("doc/chapters");
    test::WriteFile(Doc("main.tex"),
                    "\\documentclass{jarticle}\n\\include{chapters/chap2}\n\\input{\"my part\"}\n");
    test::WriteFile(Doc("chapters\\chap2.tex"), "a\nb\n\\undefinedcommandinchapter\n");
    test::WriteFile(Doc("my part.tex"), "a\n\\anotherundefined\n");
    const std::string log =
        test::ReadFile(test::SourceFile("tests/unit/tex_logs/include-error.log"));
    ASSERT_FALSE(log.empty());
    test::WriteFile(Doc("fake-tools.script"),
                    "platex *: write main.log " + Escaped(log) + "\nplatex *: exit 1\n");
    MainWindowTest::SetUp();
  }

  std::string Doc(const std::string& name) const { return JoinPath(doc_, name); }
  // The build of main.tex, which fails: the pane as the failure's message box found it.
  std::string FailedBuild() {
    std::string pane_at_message;
    test::ModalDriver driver({[&](HWND box) {
      pane_at_message = Pane();
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }});
    window_.Build().current_file = Doc("main.tex");
    Command(command::kTeXToDVI);
    EXPECT_EQ(0u, driver.Left());
    return pane_at_message;
  }
  // A double-click on the first line of the pane that starts with `start`; a message box it
  // brings is answered, and kept in `message_`.
  void DoubleClick(const std::string& start) {
    test::ModalDriver driver({test::AnswerMessageBox(message_)});
    DoubleClickLine(start);
  }
  // The arguments our fake editor was started with, written in its working directory.
  Lines EditorArguments() {
    const std::string record = Doc("editor-arguments.txt");
    EXPECT_TRUE(test::WaitUntil([&] { return vklib::FileExists(record); }));
    return test::ReadLines(record);
  }

  test::FakeTools tools_;
  std::string doc_ = settings_.dir().Directory("doc");
  std::string message_;
};

TEST_F(ClosingLines, TeXsErrorsEndThePaneBeforeTheMessageAndOpenInTheEditor) {
  const std::string end =
      "\r\nエラーがありました（platex 1回，T秒）．\r\n"
      "chapters/chap2.tex:3: Undefined control sequence.\r\n"
      "my part.tex:2: Undefined control sequence.\r\n"
      "対処が必要な警告が2個あります（未定義の参照1個，未定義の引用1個）．\r\n";
  const std::string pane = test::WithoutTimes(FailedBuild());
  EXPECT_EQ(end, pane.substr(pane.size() - std::min(pane.size(), end.size())));

  WriteIniString(Setting::kTeXEditor, test::Quoted(test::HelperPath("fake-editor")) + " -g %F:%L");
  DoubleClick("my part.tex:2:");
  EXPECT_EQ((Lines{"-g", Doc("my part.tex") + ":2"}), EditorArguments());
  EXPECT_EQ("", message_);
}

TEST_F(ClosingLines, WithoutAnEditorOrAnAssociationTheMessageSaysWhereToSetTheEditor) {
  FailedBuild();
  DoubleClick("chapters/chap2.tex:3:");
  EXPECT_EQ(
      "Pressel2: 「" + Doc("chapters\\chap2.tex") +
          "」を開くプログラムが決まっていません．「全般的な設定」でエディターを指定してください．",
      message_);
}

// Without an editor, the file opens with the program associated with ".tex" files, registered
// for the test where Wine looks for it.
class AssociatedEditor : public ClosingLines {
 protected:
  void SetUp() override {
    ClosingLines::SetUp();
    Register(".tex", "Pressel2Test.tex");
    Register("Pressel2Test.tex\\shell\\open\\command",
             test::Quoted(test::HelperPath("fake-editor")) + " \"%1\"");
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Pressel2Test.tex");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".tex");
    ClosingLines::TearDown();
  }
  void Register(const char* key, const std::string& value) {
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value.c_str(),
                                             static_cast<DWORD>(value.size() + 1)));
  }
};

TEST_F(AssociatedEditor, OpensTheFileWhenNoEditorIsSet) {
  FailedBuild();
  DoubleClick("chapters/chap2.tex:3:");
  EXPECT_EQ(Lines{Doc("chapters\\chap2.tex")}, EditorArguments()) << message_;
  EXPECT_EQ("", message_);
}

}  // namespace
