#include "settings/settings.h"

#include <gtest/gtest.h>

#include "settings/history.h"
#include "support/settings_file.h"
#include "vklib/file.h"

namespace {

TEST(IniPath, IsTheExecutablesPathWithTheExtensionIni) {
  EXPECT_EQ("C:\\Tools\\Pressel2.ini", IniPathFor("C:\\Tools\\Pressel2.exe"));
  EXPECT_EQ("C:\\a.b\\x.y.ini", IniPathFor("C:\\a.b\\x.y.exe"));
}

TEST(IniPath, ADotInADirectoryIsNoExtension) {
  std::string directory = std::string("home") + vklib::kPathSeparator + ".local" +
                          vklib::kPathSeparator + "pressel2-build";
  EXPECT_EQ(directory + ".ini", IniPathFor(directory));
}

class Settings : public ::testing::Test {
 protected:
  test::SettingsFile file_;
};

TEST_F(Settings, MissingValuesReadAsEmptyAndZero) {
  EXPECT_EQ("", GetIniString(Setting::kTeXParent));
  EXPECT_EQ(0, GetIniInt(Setting::kTeXWhichParent));
}

TEST_F(Settings, IntegersAreWrittenInDecimal) {
  WriteIniInt(Setting::kTeX2DVIMaxCompile, -12);
  EXPECT_EQ(-12, GetIniInt(Setting::kTeX2DVIMaxCompile));
  EXPECT_EQ("-12", GetIniString(Setting::kTeX2DVIMaxCompile));
}

TEST_F(Settings, ASettingsFileThatCannotBeWrittenIsToldAndNamed) {
  test::TempDir blocked;
  IniPath = blocked.Directory("pressel2.ini");  // a directory where the file should be
  EXPECT_TRUE(IsFirstRun());
  EXPECT_FALSE(WriteFirstRunDefaults());
  EXPECT_FALSE(WriteIniString(Setting::kTeXParent, "main.tex"));
  EXPECT_EQ("設定ファイル「" + IniPath + "」に書き込めません．設定は保存されません．",
            UnwritableSettingsMessage());
}

TEST_F(Settings, AValueBetweenQuotesIsStoredWithDoubledQuotesAndReadsBackWhole) {
  WriteIniString(Setting::kPSPreviewArg, "\"%F.ps\"");
  EXPECT_EQ("[PSPreview]\r\nArg=\"\"%F.ps\"\"\r\n", file_.Content());
  EXPECT_EQ("\"%F.ps\"", GetIniString(Setting::kPSPreviewArg));
}

TEST_F(Settings, EveryValueSurvivesAnyNumberOfSaves) {
  const std::vector<std::string> values = {"plain",
                                           "\"%F.ps\"",
                                           "a \"b\" c",
                                           "\"a\" \"b\"",
                                           "x\"",
                                           "\"x",
                                           "\"",
                                           "\"\"",
                                           "\"\"\"",
                                           "'x'",
                                           "'",
                                           " lead",
                                           "trail ",
                                           " \"q\" ",
                                           "表示\"ソ\"",
                                           "",
                                           "-s \"my style.ist\""};
  for (const std::string& value : values) {
    WriteIniString("S", "k", value);
    for (int save = 0; save < 3; ++save) {
      std::string read = GetIniString("S", "k");
      ASSERT_EQ(value, read) << "after save " << save;
      WriteIniString("S", "k", read);
    }
  }
}

TEST_F(Settings, ValuesWrittenByHandReadAsWindowsReadsThem) {
  test::WriteFile(IniPath, "[S]\r\nquoted=\"%F.ps\"\r\ninner=a \"b\" c\r\n");
  EXPECT_EQ("%F.ps", GetIniString("S", "quoted"));
  EXPECT_EQ("a \"b\" c", GetIniString("S", "inner"));
}

TEST_F(Settings, TheFirstRunWritesItsDefaultsInOrder) {
  WriteFirstRunDefaults();
  std::string expected =
      "[TeX2DVI]\r\nIsUsingFormat=1\r\nFormatFile=platex.fmt\r\nIsAnalyze=1\r\nMaxCompile=10\r\n"
      "[BibTeX]\r\nWhichProgram=2\r\n"
      "[MakeIndex]\r\nWhichProgram=2\r\n"
      "[DVI2PS]\r\nWhichProgram=2\r\n"
      "[PS2PDF]\r\nIsGhostScript=1\r\n"
      "[DVI2PDF]\r\nWhichProgram=2\r\nPaperSizeFromList=a4\r\n"
      "[DVIOUT]\r\nIsUseDVIOUT=1\r\ndvioutPath=" +
      DefaultViewerFor(".dvi") +
      "\r\nIsTellPaperSize=1\r\nMaximize=1\r\nWhichPaperSize=1\r\nPaperSizeFromList=B5J\r\n"
      "[PSPreview]\r\nProgram=" +
      DefaultViewerFor(".ps") +
      "\r\nArg=\"\"%F.ps\"\"\r\n"
      "[PDFPreview]\r\nProgram=" +
      DefaultViewerFor(".pdf") + "\r\nArg=\"\"%F.pdf\"\"\r\n";
  EXPECT_EQ(expected, file_.Content());
  EXPECT_EQ("\"%F.pdf\"", GetIniString(Setting::kPDFPreviewArg));
  EXPECT_EQ(0, GetIniInt(Setting::kTeXWhichParent));
  EXPECT_EQ(0, GetIniInt(Setting::kDVI2PDFWhichPaperSize));
}

class HistoryTest : public Settings {
 protected:
  void Fill(std::initializer_list<std::string> entries) {
    int index = 0;
    for (const std::string& entry : entries)
      WriteIniString("History", std::to_string(index++), entry);
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    for (int i = 0; !history_.GetHistory(i).empty(); ++i)
      entries.push_back(history_.GetHistory(i));
    return entries;
  }
  History history_;
};

TEST_F(HistoryTest, AFileAtEntryThreeMovesToTheFront) {
  Fill({"a", "b", "c", "d", "e", "f"});
  history_.AddHistory("d");
  EXPECT_EQ((std::vector<std::string>{"d", "a", "b", "c", "e", "f"}), Entries());
}

TEST_F(HistoryTest, TheSeventhFileDropsTheOldest) {
  for (const char* file : {"1", "2", "3", "4", "5", "6", "7"})
    history_.AddHistory(file);
  EXPECT_EQ((std::vector<std::string>{"7", "6", "5", "4", "3", "2"}), Entries());
}

TEST_F(HistoryTest, TheNewestFileAgainChangesNothing) {
  Fill({"a", "b", "c"});
  std::string before = file_.Content();
  history_.AddHistory("a");
  EXPECT_EQ(before, file_.Content());
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Entries());
}

TEST_F(HistoryTest, TheListEndsBehindTheEntryThatMovedIntoTheFormerEnd) {
  Fill({"a", "b", "", "stale"});
  history_.AddHistory("n");
  EXPECT_EQ((std::vector<std::string>{"n", "a", "b"}), Entries());
  EXPECT_EQ("", history_.GetHistory(3));
}

TEST_F(HistoryTest, ComparisonIsExact) {
  Fill({"C:\\a.tex"});
  history_.AddHistory("c:\\A.tex");
  EXPECT_EQ((std::vector<std::string>{"c:\\A.tex", "C:\\a.tex"}), Entries());
}

TEST_F(HistoryTest, AnEmptyNameLeavesTheListAlone) {
  Fill({"a"});
  std::string before = file_.Content();
  history_.AddHistory("");
  EXPECT_EQ(before, file_.Content());
}

TEST_F(HistoryTest, IndexesOutsideZeroToFiveGiveNothing) {
  Fill({"a", "b", "c", "d", "e", "f", "g"});
  EXPECT_EQ("f", history_.GetHistory(5));
  EXPECT_EQ("", history_.GetHistory(6));
  EXPECT_EQ("", history_.GetHistory(-1));
}

}  // namespace
