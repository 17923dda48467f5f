#include <gtest/gtest.h>

#include "build/tex.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/recording_host.h"
#include "support/settings_file.h"
#include "texsource/paths.h"
#include "vklib/file.h"

namespace {

using Lines = std::vector<std::string>;

class Placeholders : public ::testing::Test {
 protected:
  Placeholders() {
    tex_.current_base = "C:\\doc\\chap1";
    tex_.current_directory = "C:\\doc";
    tex_.current_stem = "chap1";
    tex_.current_extension = ".tex";
    tex_.parent_base = "C:\\doc\\main";
    tex_.parent_directory = "C:\\doc";
    tex_.parent_stem = "main";
    tex_.parent_extension = ".tex";
  }
  test::RecordedBuild build_;
  TeX& tex_ = build_.tex;
};

TEST_F(Placeholders, EachLetterStandsForAPartOfTheCurrentOrTheParentFile) {
  EXPECT_EQ("main.dvi", tex_.ExpandPlaceholders("%B.dvi"));
  EXPECT_EQ("\"C:\\doc\\main.ps\"", tex_.ExpandPlaceholders("\"%F.ps\""));
  EXPECT_EQ("C:\\doc\\chap1|C:\\doc|chap1|.tex|C:\\doc|.tex",
            tex_.ExpandPlaceholders("%f|%d|%b|%k|%D|%K"));
}

TEST_F(Placeholders, OtherLettersPercentsAndTheEnd) {
  EXPECT_EQ("100%", tex_.ExpandPlaceholders("100%%"));
  EXPECT_EQ("z", tex_.ExpandPlaceholders("%z"));
  EXPECT_EQ("end", tex_.ExpandPlaceholders("end%"));
  EXPECT_EQ("", tex_.ExpandPlaceholders("%"));
}

TEST_F(Placeholders, TheByteAfterALeadByteIsNeverAPlaceholder) {
  // A lead byte takes the byte after it, even a "%", as the second byte of its character.
  EXPECT_EQ("\x81%B", tex_.ExpandPlaceholders("\x81%B"));
  EXPECT_EQ("\x81%main", tex_.ExpandPlaceholders("\x81%%B"));
  EXPECT_EQ("表main.dvi", tex_.ExpandPlaceholders("表%B.dvi"));
  EXPECT_EQ("\x81", tex_.ExpandPlaceholders("\x81"));  // a lead byte cut off by the end
}

class Previews : public ::testing::Test {
 protected:
  Previews() {
    WriteFirstRunDefaults();
    test::WriteFile(main_, "\\documentclass[a4paper]{jarticle}\n");
    tex_.current_file = main_;
    tex_.ResolveParent();
  }
  std::string Viewer() const {
    return tools_.bin() + vklib::kPathSeparator + "viewer" + vklib::kExecutableSuffix;
  }
  // Waits for the fake viewer's log to hold `count` lines.
  Lines Launched(size_t count) {
    test::WaitUntil([&] { return test::ToolLog(settings_.dir().path()).size() >= count; });
    return test::ToolLog(settings_.dir().path());
  }

  test::SettingsFile settings_;
  test::FakeTools tools_;
  test::ScopedEnvironment log_{"FAKE_TOOL_LOG", settings_.dir().File("fake-tools.log")};
  std::string main_ = settings_.dir().File("main.tex");
  test::RecordedBuild build_;
  TeX& tex_ = build_.tex;
};

TEST_F(Previews, PostScriptAndPdfViewersGetTheirExpandedArguments) {
  WriteIniString(Setting::kPSPreviewProgram, Viewer());
  WriteIniString(Setting::kPDFPreviewProgram, Viewer());
  tex_.PreviewPS();
  ASSERT_EQ(1u, Launched(1).size());
  tex_.PreviewPDF();
  std::string parent = settings_.dir().File("main");
  EXPECT_EQ((Lines{"viewer " + parent + ".ps", "viewer " + parent + ".pdf"}), Launched(2));
  EXPECT_TRUE(build_.report.messages.empty());
}

TEST_F(Previews, AViewerThatCannotStartIsReportedUnderTheOldCaption) {
  WriteIniString(Setting::kPSPreviewProgram, settings_.dir().File("no-viewer"));
  WriteIniString(Setting::kPDFPreviewProgram, "");
  tex_.PreviewPS();
  tex_.PreviewPDF();
  const std::string quoted =
      "\"" + settings_.dir().File("no-viewer") + "\" \"" + settings_.dir().File("main") + ".ps\"";
  EXPECT_EQ((Lines{"Pressel: " + quoted + "の実行に失敗．\n「" + settings_.dir().File("no-viewer") +
                       "」が見つかりません．PATHと設定を確かめてください．",
                   "Pressel: \"\" \"" + settings_.dir().File("main") +
                       ".pdf\"の実行に失敗．\n実行するプログラムが指定されていません．"}),
            build_.report.messages);
}

TEST_F(Previews, APostScriptViewerNotSetIsToldWhereToSetIt) {
  WriteIniString(Setting::kPSPreviewProgram, "");
  tex_.PreviewPS();
  EXPECT_EQ((Lines{"Pressel: PS閲覧ソフトのプログラムが設定されていません．「設定」メニューの"
                   "「その他の閲覧ソフト」で「PS閲覧ソフト」の「プログラム」を指定してください．"}),
            build_.report.messages);
}

TEST_F(Previews, AnotherDviViewerIsStartedWithItsArguments) {
  WriteIniInt(Setting::kDVIOUTIsUseDVIOUT, 0);
  WriteIniString(Setting::kDVIOUTProgram, Viewer());
  WriteIniString(Setting::kDVIOUTArg, "%B.dvi");
  tex_.PreviewDVI();
  EXPECT_EQ(Lines{"viewer main.dvi"}, Launched(1));
  WriteIniString(Setting::kDVIOUTProgram, "");
  tex_.PreviewDVI();
  EXPECT_EQ(
      Lines{"Pressel2: \"\" main.dviの実行に失敗．\n実行するプログラムが指定されていません．"},
      build_.report.messages);
}

TEST_F(Previews, AViewerStartsInTheDocumentsDirectory) {
  std::string doc = settings_.dir().Directory("doc");
  test::WriteFile(JoinPath(doc, "main.tex"), "\\documentclass{jarticle}\n");
  tex_.current_file = JoinPath(doc, "main.tex");
  tex_.ResolveParent();
  test::ScopedEnvironment log_where_started("FAKE_TOOL_LOG", "");
  WriteIniString(Setting::kPDFPreviewProgram, Viewer());
  WriteIniString(Setting::kPDFPreviewArg, "%B.pdf");  // a name relative to the document
  tex_.PreviewPDF();
  EXPECT_TRUE(test::WaitUntil([&] { return test::ToolLog(doc) == Lines{"viewer main.pdf"}; }));
  // No shell reads the arguments.
  WriteIniString(Setting::kPDFPreviewArg, "\"$(touch PWNED)\" `touch PWNED`;|&*");
  tex_.PreviewPDF();
  EXPECT_TRUE(test::WaitUntil([&] { return test::ToolLog(doc).size() == 2; }));
  EXPECT_EQ("viewer $(touch PWNED) `touch PWNED`;|&*", test::ToolLog(doc).at(1));
  EXPECT_FALSE(vklib::FileExists(JoinPath(doc, "PWNED")));
}

TEST_F(Previews, DvioutThatNeverAnswersIsReported) {
  // The fake viewer starts but serves no DDE conversation.
  WriteIniString(Setting::kDVIOUTdvioutPath, Viewer());
  tex_.PreviewDVI();
  EXPECT_EQ(Lines{"viewer -y:A4"}, Launched(1));
  EXPECT_EQ(Lines{"Pressel: DDE初期化に失敗．"}, build_.report.messages);
}

TEST_F(Previews, DvioutThatCannotStartIsReportedWithWhereToSetItsPlace) {
  WriteIniString(Setting::kDVIOUTdvioutPath, "");
  tex_.PreviewDVI();
  const std::string no_dviout = settings_.dir().File("no-dviout");
  WriteIniString(Setting::kDVIOUTdvioutPath, no_dviout);
  WriteIniInt(Setting::kDVIOUTIsTellPaperSize, 0);
  tex_.PreviewDVI();
  EXPECT_EQ(
      (Lines{"Pressel2: dvioutの場所が設定されていません．「設定」メニューの「DVI閲覧ソフト」で"
             "「dvioutの場所」を指定してください．",
             "Pressel2: \"" + no_dviout + "\"の実行に失敗．\n「" + no_dviout +
                 "」が見つかりません．PATHと設定を確かめてください．"}),
      build_.report.messages);
}

TEST_F(Previews, NothingIsStartedWithoutAFileOrAParent) {
  tex_.current_file.clear();
  tex_.PreviewPS();
  tex_.current_file = main_;
  tex_.parent_base.clear();
  tex_.PreviewDVI();
  EXPECT_EQ(
      (Lines{"Pressel2: ファイルが読み込まれてません．", "Pressel2: 親ファイルの取得に失敗．"}),
      build_.report.messages);
}

}  // namespace
