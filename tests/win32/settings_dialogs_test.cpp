// The settings dialogs opened on real settings files and worked through their controls.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/paper_sets.h"
#include "dialogs/program_choice_set.h"
#include "dialogs/tex2dvi_set.h"
#include "dialogs/viewer_sets.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/settings_file.h"
#include "win32/modal_driver.h"

namespace {

using test::Checked;
using test::Click;
using test::Enabled;
using test::ReadOnly;

HINSTANCE Module() {
  return GetModuleHandleA(nullptr);
}

class SettingsDialogs : public ::testing::Test {
 protected:
  // Runs a dialog with the steps given for it (and for dialogs it opens); its result.
  INT_PTR Run(SettingsDialog& dialog, std::deque<test::ModalDriver::Step> steps) {
    test::ModalDriver driver(std::move(steps));
    INT_PTR result = dialog.Show(nullptr);
    EXPECT_EQ(0u, driver.Left());
    return result;
  }
  std::string File() const { return file_.Content(); }

  test::SettingsFile file_;
};

struct ChoiceCase {
  std::function<std::unique_ptr<ProgramChoiceSet>()> make;
  int checked_without_section;
  std::string written_on_ok;  // from a file without the section
};

TEST_F(SettingsDialogs, ProgramChoicesOpenWithTheirDefaultsAndWriteTheirThreeKeys) {
  const std::vector<ChoiceCase> cases = {
      {[] { return std::make_unique<BibTeXSet>(Module()); }, 1017,
       "[BibTeX]\r\nWhichProgram=2\r\nProgram=\r\nOption=\r\n"},
      {[] { return std::make_unique<MakeIndexSet>(Module()); }, 1012,
       "[MakeIndex]\r\nWhichProgram=2\r\nProgram=\r\nOption=\r\n"},
      {[] { return std::make_unique<DVI2PSSet>(Module()); }, 1022,
       "[DVI2PS]\r\nWhichProgram=2\r\nProgram=\r\nOption=\r\n"},
      {[] { return std::make_unique<PS2PDFSet>(Module()); }, 1013,
       "[PS2PDF]\r\nIsGhostScript=0\r\nProgram=\r\nOption=\r\n"},
  };
  for (const ChoiceCase& choice : cases) {
    test::WriteFile(IniPath, "");
    auto dialog = choice.make();
    EXPECT_EQ(1, Run(*dialog, {[&](HWND d) {
                EXPECT_TRUE(Checked(d, choice.checked_without_section));
                EXPECT_EQ(choice.checked_without_section != 1013, ReadOnly(d, 1001));
                EXPECT_EQ("", test::ControlText(d, 1001));
                Click(d, IDOK);
              }}));
    EXPECT_EQ(choice.written_on_ok, File());
  }
}

TEST_F(SettingsDialogs, TheUsersProgramStaysWhenAKnownOneIsChosen) {
  WriteIniInt(Setting::kBibTeXWhichProgram, 3);
  WriteIniString(Setting::kBibTeXProgram, "upbibtex");
  WriteIniString(Setting::kBibTeXOption, "-kanji=utf8");
  BibTeXSet dialog(Module());
  Run(dialog, {[](HWND d) {
        EXPECT_TRUE(Checked(d, 1013));
        EXPECT_FALSE(ReadOnly(d, 1001));
        Click(d, 1009);
        EXPECT_TRUE(Checked(d, 1009));
        EXPECT_FALSE(Checked(d, 1013));
        EXPECT_TRUE(ReadOnly(d, 1001));
        EXPECT_EQ("upbibtex", test::ControlText(d, 1001));
        Click(d, IDOK);
      }});
  EXPECT_EQ(1, GetIniInt(Setting::kBibTeXWhichProgram));
  EXPECT_EQ("upbibtex", GetIniString(Setting::kBibTeXProgram));
  EXPECT_EQ("-kanji=utf8", GetIniString(Setting::kBibTeXOption));
}

TEST_F(SettingsDialogs, CancelWritesNothing) {
  WriteFirstRunDefaults();
  const std::string before = File();
  std::vector<std::unique_ptr<SettingsDialog>> dialogs;
  dialogs.push_back(std::make_unique<BibTeXSet>(Module()));
  dialogs.push_back(std::make_unique<PS2PDFSet>(Module()));
  dialogs.push_back(std::make_unique<DVI2PDFSet>(Module()));
  dialogs.push_back(std::make_unique<DVIOUTSet>(Module()));
  dialogs.push_back(std::make_unique<PreviewSet>(Module()));
  dialogs.push_back(std::make_unique<TeXSet>(Module()));
  for (auto& dialog : dialogs) {
    EXPECT_EQ(0, Run(*dialog, {[](HWND d) {
                test::Type(d, 1001, "changed");
                Click(d, IDCANCEL);
              }}));
  }
  EXPECT_EQ(before, File());
}

TEST_F(SettingsDialogs, TeX2DVIListsTheFormatsOfTheSearchPath) {
  test::TempDir trees;
  for (const char* name :
       {"tree1/platex.fmt", "tree1/sub/PLATEX.FMT", "tree1/sub/readme.txt", "tree2/eptex.fmt"}) {
    std::string path = trees.File(name);
    trees.Directory(std::string(name).substr(0, std::string(name).rfind('/')));
    test::WriteFile(path, "fmt");
  }
  test::FakeTools tools;
  std::string script = trees.File("kpsewhich.script");
  std::string search = trees.File("tree1") + ";;" + trees.File("tree2");
  for (char& c : search) {
    if (c == '\\') c = '/';
  }
  test::WriteFile(script, "kpsewhich *: out " + search + "\\r\\n\n");
  test::ScopedEnvironment use_script("FAKE_TOOL_SCRIPT", script);
  test::ScopedEnvironment keep_log("FAKE_TOOL_LOG", trees.File("tools.log"));
  WriteIniString(Setting::kTeX2DVIFormatFile, "PLATEX.FMT");

  TeX2DVISet dialog(Module());
  Run(dialog, {[](HWND d) {
        EXPECT_EQ((std::vector<std::string>{"platex.fmt", "PLATEX.FMT", "eptex.fmt"}),
                  test::ListItems(d, 1003));
        EXPECT_EQ("PLATEX.FMT", test::ControlText(d, 1003));
        // No IsUsingFormat: the program is typed, the list is off.
        EXPECT_TRUE(Checked(d, 1004));
        EXPECT_FALSE(Enabled(d, 1003));
        EXPECT_FALSE(ReadOnly(d, 1001));
        EXPECT_TRUE(ReadOnly(d, 1008));  // no IsAnalyze
        Click(d, 1002);
        EXPECT_TRUE(Enabled(d, 1003));
        EXPECT_TRUE(ReadOnly(d, 1001));
        Click(d, 1007);
        EXPECT_FALSE(ReadOnly(d, 1008));
        test::Type(d, 1008, "");
        Click(d, IDOK);
      }});
  EXPECT_EQ(
      "[TeX2DVI]\r\nFormatFile=PLATEX.FMT\r\nIsUsingFormat=1\r\nProgram=\r\nOption=\r\n"
      "IsAnalyze=1\r\nMaxCompile=10\r\n",
      File());
}

TEST_F(SettingsDialogs, TeX2DVIKeepsAFormatItDidNotFindAndRefusesABoundOfNothing) {
  test::TempDir tools_dir;
  test::FakeTools tools;  // a kpsewhich that names no directory
  test::ScopedEnvironment keep_log("FAKE_TOOL_LOG", tools_dir.File("tools.log"));
  WriteIniString(Setting::kTeX2DVIFormatFile, "uplatex.fmt");
  std::string refused;
  TeX2DVISet dialog(Module());
  EXPECT_EQ(1, Run(dialog, {[](HWND d) {
                              EXPECT_EQ("uplatex.fmt", test::ControlText(d, 1003));
                              test::Type(d, 1008, "abc");
                              Click(d, IDOK);
                            },
                            test::AnswerMessageBox(refused),
                            [](HWND d) {
                              test::Type(d, 1008, "3");
                              Click(d, IDOK);
                            }}));
  EXPECT_EQ("Pressel2: 最大コンパイル回数には1以上の数を入れてください．", refused);
  EXPECT_EQ("uplatex.fmt", GetIniString(Setting::kTeX2DVIFormatFile));
  EXPECT_EQ(3, GetIniInt(Setting::kTeX2DVIMaxCompile));
}

TEST_F(SettingsDialogs, AnOkThatCannotStoreSaysSoAndCloses) {
  test::TempDir blocked;
  IniPath = blocked.Directory("pressel2.ini");  // a directory where the file should be
  std::string told;
  TeXSet dialog(Module());
  EXPECT_EQ(1, Run(dialog, {[](HWND d) { Click(d, IDOK); }, test::AnswerMessageBox(told)}));
  EXPECT_EQ("Pressel2: " + UnwritableSettingsMessage(), told);
}

TEST_F(SettingsDialogs, TeX2DVIOpensTheBibTeXAndMakeIndexSettingsOverItself) {
  TeX2DVISet dialog(Module());
  Run(dialog, {[](HWND d) { Click(d, 1009); },
               [](HWND bibtex) {
                 Click(bibtex, 1009);
                 Click(bibtex, IDOK);
               },
               [](HWND d) { Click(d, 1010); }, [](HWND makeindex) { Click(makeindex, IDOK); },
               [](HWND d) { Click(d, IDCANCEL); }});
  // The inner dialogs saved on their OK; the outer Cancel saved nothing of its own.
  EXPECT_EQ(
      "[BibTeX]\r\nWhichProgram=1\r\nProgram=\r\nOption=\r\n"
      "[MakeIndex]\r\nWhichProgram=2\r\nProgram=\r\nOption=\r\n",
      File());
}

TEST_F(SettingsDialogs, DVI2PDFWithoutKeysStoresTheUsersProgramAndNoPaper) {
  WriteIniString(Setting::kDVI2PDFPaperSizeFromList, "letter");  // not in the list
  const std::string header = File();
  DVI2PDFSet dialog(Module());
  Run(dialog, {[](HWND d) {
        EXPECT_FALSE(Checked(d, 1028));
        EXPECT_FALSE(Checked(d, 1013));
        EXPECT_TRUE(Checked(d, 1060));
        EXPECT_EQ("", test::ControlText(d, 1063));
        Click(d, IDOK);
      }});
  EXPECT_EQ(
      "[DVI2PDF]\r\nPaperSizeFromList=\r\nWhichProgram=3\r\nWhichPaperSize=4\r\nProgram=\r\n"
      "Option=\r\nPaperSizeX=\r\nPaperSizeY=\r\n",
      File());
  EXPECT_EQ(0u, header.find("[DVI2PDF]"));
}

TEST_F(SettingsDialogs, DVI2PDFPaperControlsFollowTheRadios) {
  WriteIniInt(Setting::kDVI2PDFWhichProgram, 2);
  WriteIniString(Setting::kDVI2PDFPaperSizeFromList, "b5");
  DVI2PDFSet dialog(Module());
  Run(dialog, {[](HWND d) {
        EXPECT_EQ("b5", test::ControlText(d, 1063));
        EXPECT_FALSE(Enabled(d, 1063));
        Click(d, 1062);
        EXPECT_TRUE(Enabled(d, 1063));
        EXPECT_TRUE(ReadOnly(d, 1047));
        Click(d, 1064);
        EXPECT_FALSE(Enabled(d, 1063));
        EXPECT_FALSE(ReadOnly(d, 1047));
        test::Type(d, 1047, "182mm");
        test::Type(d, 1048, "257mm");
        Click(d, 1013);  // the user's program: the paper settings rest
        for (int radio : {1060, 1061, 1062, 1064})
          EXPECT_FALSE(Enabled(d, radio));
        EXPECT_FALSE(Enabled(d, 1063));
        EXPECT_TRUE(ReadOnly(d, 1047));
        EXPECT_FALSE(ReadOnly(d, 1001));
        Click(d, IDOK);
      }});
  EXPECT_EQ(3, GetIniInt(Setting::kDVI2PDFWhichProgram));
  EXPECT_EQ(3, GetIniInt(Setting::kDVI2PDFWhichPaperSize));  // stored even though inactive
  EXPECT_EQ("182mm", GetIniString(Setting::kDVI2PDFPaperSizeX));
  EXPECT_EQ("b5", GetIniString(Setting::kDVI2PDFPaperSizeFromList));
}

TEST_F(SettingsDialogs, DvioutControlsFollowTheViewerAndThePaperNotice) {
  WriteFirstRunDefaults();
  DVIOUTSet dialog(Module());
  Run(dialog, {[](HWND d) {
        EXPECT_TRUE(Checked(d, 1037));
        EXPECT_TRUE(Checked(d, 1041));
        EXPECT_EQ("B5J", test::ControlText(d, 1044));
        EXPECT_TRUE(Enabled(d, 1042));
        EXPECT_FALSE(Enabled(d, 1044));
        Click(d, 1045);
        EXPECT_TRUE(Enabled(d, 1044));
        Click(d, 1041);  // no notice: the paper controls rest
        for (int id : {1042, 1045, 1046, 1044, 1047, 1048})
          EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_TRUE(ReadOnly(d, 1001));
        Click(d, 1013);
        EXPECT_FALSE(Checked(d, 1037));
        EXPECT_TRUE(ReadOnly(d, 1038));
        EXPECT_FALSE(Enabled(d, 1040));
        EXPECT_FALSE(ReadOnly(d, 1001));
        EXPECT_FALSE(ReadOnly(d, 1059));
        Click(d, IDOK);
      }});
  const std::string content = File();
  const std::string section = content.substr(content.find("[DVIOUT]"));
  EXPECT_EQ(
      "[DVIOUT]\r\nIsUseDVIOUT=0\r\ndvioutPath=" + DefaultViewerFor(".dvi") +
          "\r\nIsTellPaperSize=0\r\nMaximize=1\r\nWhichPaperSize=2\r\nPaperSizeFromList=B5J\r\n"
          "PaperSizeX=\r\nPaperSizeY=\r\nProgram=\r\nArg=\r\n",
      section.substr(0, section.find("[PSPreview]")));
}

TEST_F(SettingsDialogs, TheParentFileSettings) {
  WriteIniString(Setting::kTeXParent, "C:\\doc\\main.tex");
  TeXSet dialog(Module());
  Run(dialog, {[](HWND d) {
        EXPECT_TRUE(Checked(d, 1037));
        EXPECT_TRUE(ReadOnly(d, 1068));
        EXPECT_EQ("C:\\doc\\main.tex", test::ControlText(d, 1068));
        Click(d, 1069);  // browsing only while "指定する" is checked: nothing opens
        Click(d, 1067);
        EXPECT_FALSE(ReadOnly(d, 1068));
        Click(d, 1066);
        EXPECT_TRUE(ReadOnly(d, 1068));
        Click(d, IDOK);
      }});
  EXPECT_EQ("[TeX]\r\nParent=C:\\doc\\main.tex\r\nWhichParent=2\r\n", File());
}

TEST_F(SettingsDialogs, TheViewerSettingsWriteTheirFourKeysInOrder) {
  PreviewSet dialog(Module());
  Run(dialog, {[](HWND d) {
        test::Type(d, 1055, "C:\\gs\\gsview.exe");
        test::Type(d, 1057, "\"%F.ps\"");
        test::Type(d, 1053, "C:\\pdf\\viewer.exe");
        test::Type(d, 1058, "\"%F.pdf\"");
        Click(d, IDOK);
      }});
  EXPECT_EQ(
      "[PSPreview]\r\nProgram=C:\\gs\\gsview.exe\r\nArg=\"\"%F.ps\"\"\r\n"
      "[PDFPreview]\r\nProgram=C:\\pdf\\viewer.exe\r\nArg=\"\"%F.pdf\"\"\r\n",
      File());
}

}  // namespace
