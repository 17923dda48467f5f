// The settings dialogs opened on real settings files and worked through their controls.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/paper_sets.h"
#include "dialogs/program_choice_set.h"
#include "dialogs/tex2dvi_set.h"
#include "dialogs/viewer_sets.h"
#include "resources/resource_ids.h"
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
      {[] { return std::make_unique<BibTeXSet>(Module()); }, IDC_JAPANESE_BIBTEX,
       "[BibTeX]\r\nWhichProgram=2\r\nProgram=\r\nOption=\r\n"},
      {[] { return std::make_unique<MakeIndexSet>(Module()); }, IDC_MENDEX,
       "[MakeIndex]\r\nWhichProgram=2\r\nProgram=\r\nOption=\r\n"},
      {[] { return std::make_unique<DVI2PSSet>(Module()); }, IDC_DVIPS,
       "[DVI2PS]\r\nWhichProgram=2\r\nProgram=\r\nOption=\r\n"},
      {[] { return std::make_unique<PS2PDFSet>(Module()); }, IDC_OTHER_PROGRAM,
       "[PS2PDF]\r\nIsGhostScript=0\r\nProgram=\r\nOption=\r\n"},
  };
  for (const ChoiceCase& choice : cases) {
    test::WriteFile(IniPath, "");
    auto dialog = choice.make();
    EXPECT_EQ(1, Run(*dialog, {[&](HWND d) {
                EXPECT_TRUE(Checked(d, choice.checked_without_section));
                EXPECT_EQ(choice.checked_without_section != IDC_OTHER_PROGRAM,
                          ReadOnly(d, IDC_PROGRAM));
                EXPECT_EQ("", test::ControlText(d, IDC_PROGRAM));
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
        EXPECT_TRUE(Checked(d, IDC_OTHER_PROGRAM));
        EXPECT_FALSE(ReadOnly(d, IDC_PROGRAM));
        Click(d, IDC_BIBTEX);
        EXPECT_TRUE(Checked(d, IDC_BIBTEX));
        EXPECT_FALSE(Checked(d, IDC_OTHER_PROGRAM));
        EXPECT_TRUE(ReadOnly(d, IDC_PROGRAM));
        EXPECT_EQ("upbibtex", test::ControlText(d, IDC_PROGRAM));
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
                test::Type(d, IDC_PROGRAM, "changed");
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
                  test::ListItems(d, IDC_FORMAT_LIST));
        EXPECT_EQ("PLATEX.FMT", test::ControlText(d, IDC_FORMAT_LIST));
        // No IsUsingFormat: the program is typed, the list is off.
        EXPECT_TRUE(Checked(d, IDC_USE_PROGRAM));
        EXPECT_FALSE(Enabled(d, IDC_FORMAT_LIST));
        EXPECT_FALSE(ReadOnly(d, IDC_PROGRAM));
        EXPECT_TRUE(ReadOnly(d, IDC_MAX_COMPILE));  // no IsAnalyze
        Click(d, IDC_USE_FORMAT);
        EXPECT_TRUE(Enabled(d, IDC_FORMAT_LIST));
        EXPECT_TRUE(ReadOnly(d, IDC_PROGRAM));
        Click(d, IDC_ANALYZE);
        EXPECT_FALSE(ReadOnly(d, IDC_MAX_COMPILE));
        test::Type(d, IDC_MAX_COMPILE, "");
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
                              EXPECT_EQ("uplatex.fmt", test::ControlText(d, IDC_FORMAT_LIST));
                              test::Type(d, IDC_MAX_COMPILE, "abc");
                              Click(d, IDOK);
                            },
                            test::AnswerMessageBox(refused),
                            [](HWND d) {
                              test::Type(d, IDC_MAX_COMPILE, "3");
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
  Run(dialog, {[](HWND d) { Click(d, IDC_BIBTEX_SETTINGS); },
               [](HWND bibtex) {
                 Click(bibtex, IDC_BIBTEX);
                 Click(bibtex, IDOK);
               },
               [](HWND d) { Click(d, IDC_MAKEINDEX_SETTINGS); },
               [](HWND makeindex) { Click(makeindex, IDOK); }, [](HWND d) { Click(d, IDCANCEL); }});
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
        EXPECT_FALSE(Checked(d, IDC_DVIPDFMX));
        EXPECT_FALSE(Checked(d, IDC_OTHER_PROGRAM));
        EXPECT_TRUE(Checked(d, IDC_DVI2PDF_NO_PAPER));
        EXPECT_EQ("", test::ControlText(d, IDC_DVI2PDF_PAPER_LIST));
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
        EXPECT_EQ("b5", test::ControlText(d, IDC_DVI2PDF_PAPER_LIST));
        EXPECT_FALSE(Enabled(d, IDC_DVI2PDF_PAPER_LIST));
        Click(d, IDC_DVI2PDF_PAPER_FROM_LIST);
        EXPECT_TRUE(Enabled(d, IDC_DVI2PDF_PAPER_LIST));
        EXPECT_TRUE(ReadOnly(d, IDC_PAPER_X));
        Click(d, IDC_DVI2PDF_PAPER_IN_NUMBERS);
        EXPECT_FALSE(Enabled(d, IDC_DVI2PDF_PAPER_LIST));
        EXPECT_FALSE(ReadOnly(d, IDC_PAPER_X));
        test::Type(d, IDC_PAPER_X, "182mm");
        test::Type(d, IDC_PAPER_Y, "257mm");
        Click(d, IDC_OTHER_PROGRAM);  // the user's program: the paper settings rest
        for (int radio : {IDC_DVI2PDF_NO_PAPER, IDC_DVI2PDF_INFER_PAPER,
                          IDC_DVI2PDF_PAPER_FROM_LIST, IDC_DVI2PDF_PAPER_IN_NUMBERS})
          EXPECT_FALSE(Enabled(d, radio));
        EXPECT_FALSE(Enabled(d, IDC_DVI2PDF_PAPER_LIST));
        EXPECT_TRUE(ReadOnly(d, IDC_PAPER_X));
        EXPECT_FALSE(ReadOnly(d, IDC_PROGRAM));
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
        EXPECT_TRUE(Checked(d, IDC_USE_DVIOUT));
        EXPECT_TRUE(Checked(d, IDC_TELL_PAPER));
        EXPECT_EQ("B5J", test::ControlText(d, IDC_DVIOUT_PAPER_LIST));
        EXPECT_TRUE(Enabled(d, IDC_DVIOUT_INFER_PAPER));
        EXPECT_FALSE(Enabled(d, IDC_DVIOUT_PAPER_LIST));
        Click(d, IDC_DVIOUT_PAPER_FROM_LIST);
        EXPECT_TRUE(Enabled(d, IDC_DVIOUT_PAPER_LIST));
        Click(d, IDC_TELL_PAPER);  // no notice: the paper controls rest
        for (int id :
             {IDC_DVIOUT_INFER_PAPER, IDC_DVIOUT_PAPER_FROM_LIST, IDC_DVIOUT_PAPER_IN_NUMBERS,
              IDC_DVIOUT_PAPER_LIST, IDC_PAPER_X, IDC_PAPER_Y})
          EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_TRUE(ReadOnly(d, IDC_PROGRAM));
        Click(d, IDC_OTHER_PROGRAM);
        EXPECT_FALSE(Checked(d, IDC_USE_DVIOUT));
        EXPECT_TRUE(ReadOnly(d, IDC_DVIOUT_PATH));
        EXPECT_FALSE(Enabled(d, IDC_MAXIMIZE));
        EXPECT_FALSE(ReadOnly(d, IDC_PROGRAM));
        EXPECT_FALSE(ReadOnly(d, IDC_VIEWER_ARGUMENTS));
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

TEST_F(SettingsDialogs, TheParentFileAndEditorSettings) {
  WriteIniString(Setting::kTeXParent, "C:\\doc\\main.tex");
  WriteIniString(Setting::kTeXEditor, "code -g %F:%L");
  TeXSet dialog(Module());
  Run(dialog, {[](HWND d) {
        EXPECT_EQ("code -g %F:%L", test::ControlText(d, IDC_EDITOR));
        test::Type(d, IDC_EDITOR, "\"C:\\Program Files\\sakura\\sakura.exe\" -Y=%L \"%F\"");
        EXPECT_TRUE(Checked(d, IDC_INFER_PARENT));
        EXPECT_TRUE(ReadOnly(d, IDC_PARENT_FIELD));
        EXPECT_EQ("C:\\doc\\main.tex", test::ControlText(d, IDC_PARENT_FIELD));
        Click(d, IDC_BROWSE_PARENT);  // browsing only while "指定する" is checked: nothing opens
        Click(d, IDC_GIVEN_PARENT);
        EXPECT_FALSE(ReadOnly(d, IDC_PARENT_FIELD));
        Click(d, IDC_PARENT_IS_OPEN_FILE);
        EXPECT_TRUE(ReadOnly(d, IDC_PARENT_FIELD));
        Click(d, IDOK);
      }});
  EXPECT_EQ(
      "[TeX]\r\nParent=C:\\doc\\main.tex\r\n"
      "Editor=\"\"C:\\Program Files\\sakura\\sakura.exe\"\" -Y=%L \"\"%F\"\"\r\n"
      "WhichParent=2\r\n",
      File());
}

TEST_F(SettingsDialogs, TheViewerSettingsWriteTheirFourKeysInOrder) {
  PreviewSet dialog(Module());
  Run(dialog, {[](HWND d) {
        test::Type(d, IDC_PS_PROGRAM, "C:\\gs\\gsview.exe");
        test::Type(d, IDC_PS_ARGUMENTS, "\"%F.ps\"");
        test::Type(d, IDC_PDF_PROGRAM, "C:\\pdf\\viewer.exe");
        test::Type(d, IDC_PDF_ARGUMENTS, "\"%F.pdf\"");
        Click(d, IDOK);
      }});
  EXPECT_EQ(
      "[PSPreview]\r\nProgram=C:\\gs\\gsview.exe\r\nArg=\"\"%F.ps\"\"\r\n"
      "[PDFPreview]\r\nProgram=C:\\pdf\\viewer.exe\r\nArg=\"\"%F.pdf\"\"\r\n",
      File());
}

}  // namespace
