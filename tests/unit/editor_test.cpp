// A place named in the pane opened in the user's editor: our fake editor records the arguments
// it was started with.
#include <gtest/gtest.h>

#include "build/editor_command.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/recording_host.h"
#include "support/settings_file.h"
#include "texsource/paths.h"
#include "vklib/file.h"

namespace {

using Lines = std::vector<std::string>;

class Editor : public ::testing::Test {
 protected:
  Editor() {
    WriteFirstRunDefaults();
    test::WriteFile(Doc("main.tex"), "\\documentclass{jarticle}\n\\include{chapters/chap2}\n");
    settings_.dir().Directory("doc/chapters");
    test::WriteFile(Doc("chapters/chap2.tex"), "text\n");
    test::WriteFile(Doc("my part.tex"), "text\n");
    tex_.current_file = Doc("chapters/chap2.tex");
    tex_.ResolveParent();
  }
  std::string Doc(const std::string& name) const {
    return JoinPath(doc_, WithPlatformSeparators(name));
  }
  // The arguments the fake editor was started with, once it has written them.
  Lines Arguments() const {
    const std::string record = Doc("editor-arguments.txt");
    EXPECT_TRUE(test::WaitUntil([&] { return vklib::FileExists(record); }));
    return test::ReadLines(record);
  }
  const Lines& Messages() const { return build_.report.messages; }

  test::SettingsFile settings_;
  std::string doc_ = settings_.dir().Directory("doc");
  test::RecordedBuild build_;
  TeX& tex_ = build_.tex;
};

TEST_F(Editor, StartsInTheDocumentsDirectoryWithTheFileAsOneArgumentAndItsLine) {
  WriteIniString(Setting::kTeXEditor,
                 test::Quoted(test::HelperPath("fake-editor")) + " -g %F:%L --wait \"%F\" 100%%");
  EXPECT_TRUE(tex_.OpenLocation("my part.tex:2: Undefined control sequence."));
  EXPECT_EQ((Lines{"-g", Doc("my part.tex") + ":2", "--wait", Doc("my part.tex"), "100%"}),
            Arguments());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Editor, ALineThatNamesNoFileOfTheDocumentDoesNothing) {
  WriteIniString(Setting::kTeXEditor, test::Quoted(test::HelperPath("fake-editor")) + " %F");
  for (const char* line :
       {"nofile.tex:3: x", "chapters:3: x", "エラーがありました（platex 1回）．"})
    EXPECT_FALSE(tex_.OpenLocation(line)) << line;
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Editor, AnEditorThatCannotStartIsToldWhy) {
  WriteIniString(Setting::kTeXEditor, "no-such-editor-of-pressel2 +%L %F");
  EXPECT_TRUE(tex_.OpenLocation("chapters/chap2.tex:1: x"));
  EXPECT_EQ(Lines{"Pressel2: no-such-editor-of-pressel2 +1 " + Doc("chapters/chap2.tex") +
                  "の実行に失敗．\n「no-such-editor-of-pressel2」が見つかりません．PATHと設定を"
                  "確かめてください．"},
            Messages());
}

#ifdef _WIN32
// VS Code's "code" is code.cmd, a batch program, which cmd reads: every name is quoted for it,
// and one that cmd would expand is refused.
TEST_F(Editor, ABareNameFindsABatchProgramOnThePathAndQuotesForIt) {
  test::TempDir bin;
  test::WriteFile(bin.File("code.cmd"),
                  "@" + test::Quoted(test::HelperPath("fake-editor")) + " %*\r\n");
  test::ScopedEnvironment path("PATH", bin.path() + ";" + vklib::EnvironmentVariable("PATH"));
  WriteIniString(Setting::kTeXEditor, "code -g %F:%L");
  test::WriteFile(Doc("R&D.tex"), "text\n");
  EXPECT_TRUE(tex_.OpenLocation("R&D.tex:5: x"));
  EXPECT_EQ((Lines{"-g", Doc("R&D.tex") + ":5"}), Arguments());

  test::WriteFile(Doc("100%.tex"), "text\n");
  EXPECT_TRUE(tex_.OpenLocation("100%.tex:1: x"));
  EXPECT_EQ(
      Lines{"Pressel2: " + bin.File("code.cmd") + "はバッチファイルなので，%や!を含むファイル名" +
            Doc("100%.tex") + "は渡せません．"},
      Messages());
}
#endif

}  // namespace
