// The build steps with our fake tools first on the PATH: what ran, where, and what was said.
#include <gtest/gtest.h>

#include "build/tex.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/recording_host.h"
#include "support/settings_file.h"
#include "vklib/file.h"

namespace {

using Lines = std::vector<std::string>;

class TeXBuild : public ::testing::Test {
 protected:
  TeXBuild() {
    WriteFirstRunDefaults();
    Write("main.tex",
          "\\documentclass[a4paper,twocolumn]{jarticle}\n\\begin{document}\n"
          "\\include{chap1}\n\\input{sec}\n\\end{document}\n");
    Write("chap1.tex", "text\n");
    Write("sec.tex", "text\n");
  }

  std::string Write(const std::string& name, const std::string& text) {
    std::string path = doc_ + vklib::kPathSeparator + name;
    test::WriteFile(path, text);
    return path;
  }
  void Script(const std::string& text) { Write("fake-tools.script", text); }
  void Open(const std::string& name) {
    tex_.current_file = doc_ + vklib::kPathSeparator + name;
    tex_.ResolveParent();
  }
  // What the fake tools saw, in order.
  Lines Ran() const { return test::ToolLog(doc_); }
  const Lines& Messages() const { return build_.report.messages; }

  test::SettingsFile settings_;
  test::FakeTools tools_;
  std::string doc_ = settings_.dir().Directory("doc");
  test::RecordedBuild build_;
  TeX& tex_ = build_.tex;
};

// A first run that writes exactly "\relax \n" leaves nothing to do.
const char kRelax[] = "write main.aux \\\\relax \\n\n";

TEST_F(TeXBuild, AnAuxFileOfOnlyRelaxNeedsNoSecondRun) {
  Script(std::string("platex *: ") + kRelax);
  Open("chap1.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{"platex main.tex"}, Ran());
  EXPECT_EQ(Lines{doc_ + "> platex main.tex"}, build_.Commands());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(TeXBuild, ATocThatAppearsAsksForAnotherRun) {
  Script(std::string("platex *: ") + kRelax + "platex *: write main.toc \\\\contentsline\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Ran());
}

TEST_F(TeXBuild, ALofThatDisappearsAsksForAnotherRun) {
  Write("main.lof", "old list of figures\n");
  Script(std::string("platex *: ") + kRelax + "platex *: delete main.lof\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Ran());
}

TEST_F(TeXBuild, AnIncludedChaptersAuxIsWatchedButNotAnInputFiles) {
  Script(std::string("platex *: ") + kRelax + "platex 1: write chap1.aux \\\\relax \\n\n" +
         "platex *: write sec.aux changes every time\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  // chap1.aux appeared after the first run; sec.aux is nobody's business.
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Ran());
}

TEST_F(TeXBuild, ALeftOverIdxRunsMakeIndexOnceAndLaTeXAfterIt) {
  Write("main.idx", "\\indexentry{a}{1}\n");
  Script(std::string("platex *: ") + kRelax);
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "mendex main", "platex main.tex"}), Ran());
  EXPECT_EQ((Lines{doc_ + "> platex main.tex", doc_ + "> mendex main", doc_ + "> platex main.tex"}),
            build_.Commands());
}

TEST_F(TeXBuild, ACitationOfSeveralKeysMatchesTheirEntries) {
  Script(
      "platex *: write main.aux \\relax \n\\citation{a, b}\n\\citation{c}\n"
      "\\bibdata{refs}\n\\bibcite{a}{1}\n\\bibcite{b}{2}\n\\bibcite{c}{3}\n\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Ran());
}

TEST_F(TeXBuild, AnOutputFileOrAnotherExtensionAsParentIsAnalysedByItsStem) {
  // A .dvi opened directly: TeX gets the stem, and main.tex's includes and main.idx count.
  Write("main.idx", "\\indexentry{a}{1}\n");
  Write("main.dvi", "dvi");
  Script(std::string("platex *: ") + kRelax);
  Open("main.dvi");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main", "mendex main", "platex main"}), Ran());

  // A parent named main.ltx in the settings: its auxiliary files are main.aux and main.idx.
  Write("main.ltx", "\\documentclass{jarticle}\n");
  WriteIniInt("TeX", "WhichParent", 3);
  WriteIniString("TeX", "Parent", doc_ + vklib::kPathSeparator + "main.ltx");
  Open("chap1.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  const Lines ran = Ran();
  EXPECT_EQ((Lines{"platex main.ltx", "mendex main", "platex main.ltx"}),
            Lines(ran.begin() + 3, ran.end()));
}

TEST_F(TeXBuild, EqualCitationSetsNeedNoBibTeX) {
  Script(
      "platex *: write main.aux \\\\relax \\n\\\\citation{a}\\n\\\\bibdata{refs}\\n"
      "\\\\bibcite{a}{1}\\n\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Ran());
}

TEST_F(TeXBuild, CitationsWithoutBibdataNeedNoBibTeX) {
  Script("platex *: write main.aux \\\\citation{a}\\n\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Ran());
}

// Citations without bibliography entries: BibTeX, then LaTeX twice (forced, then for the new
// entries), as a document with citations built from a clean directory does.
const char kCitingDocument[] =
    "platex *: write main.aux \\\\citation{a}\\n\\\\bibdata{refs}\\n\n"
    "pbibtex *: write main.bbl entries\n"
    "platex 3: write main.aux \\\\citation{a}\\n\\\\bibdata{refs}\\n\\\\bibcite{a}{1}\\n\n"
    "platex 4: write main.aux \\\\citation{a}\\n\\\\bibdata{refs}\\n\\\\bibcite{a}{1}\\n\n";

TEST_F(TeXBuild, MissingBibliographyEntriesRunBibTeXOnce) {
  Script(kCitingDocument);
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex", "pbibtex main", "platex main.tex",
                   "platex main.tex"}),
            Ran());
  EXPECT_TRUE(build_.report.titles.empty());
}

TEST_F(TeXBuild, AFailingBibTeXOnlyChangesTheTitle) {
  Script(std::string(kCitingDocument) + "pbibtex *: exit 2\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(
      (Lines{"BibTeXを実行したところ，エラーコード2を返しましたが，そのまま実行を続けます．"}),
      build_.report.titles);
  EXPECT_EQ("platex main.tex", Ran().at(3));  // the forced run follows
  EXPECT_TRUE(Messages().empty());
}

TEST_F(TeXBuild, AFailingMakeIndexOnlyChangesTheTitle) {
  Write("main.idx", "x\n");
  Script(std::string("platex *: ") + kRelax + "mendex *: exit 1\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(
      (Lines{"MakeIndexを実行したところ，エラーコード1を返しましたが，そのまま実行を続けます．"}),
      build_.report.titles);
}

TEST_F(TeXBuild, MaxCompileBoundsTheActions) {
  Script(kCitingDocument);
  Open("main.tex");
  WriteIniInt("TeX2DVI", "MaxCompile", 0);
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_TRUE(Ran().empty());
  WriteIniInt("TeX2DVI", "MaxCompile", 1);
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{"platex main.tex"}, Ran());
  WriteIniInt("TeX2DVI", "MaxCompile", -3);
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(1u, Ran().size());
}

TEST_F(TeXBuild, ALaTeXErrorStopsTheLoop) {
  Script(std::string(kCitingDocument) + "platex 2: exit 1\n");
  Open("main.tex");
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Ran());
  EXPECT_EQ(Lines{"Pressel2: platex main.texの実行に失敗．"}, Messages());
}

TEST_F(TeXBuild, AProgramThatCannotStartIsReported) {
  WriteIniString("TeX2DVI", "FormatFile", "nosuchtex.fmt");
  Open("main.tex");
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{"Pressel2: nosuchtex main.texの実行に失敗．"}, Messages());
  EXPECT_TRUE(build_.Commands().empty());
}

TEST_F(TeXBuild, TheSimpleModeRunsOnceWithTheStem) {
  WriteIniInt("TeX2DVI", "IsAnalyze", 0);
  WriteIniInt("TeX2DVI", "IsUsingFormat", 0);
  WriteIniString("TeX2DVI", "Program", "platex");
  WriteIniString("TeX2DVI", "Option", "-kanji=sjis");
  Open("chap1.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{doc_ + "> platex -kanji=sjis main"}, build_.Commands());
  Script("platex *: exit 1\n");
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{"Pressel2: コンパイラはエラーを返しました．"}, Messages());
}

TEST_F(TeXBuild, TheAnalysingModeNamesTheFileWithItsExtension) {
  Script(std::string("platex *: ") + kRelax);
  WriteIniString("TeX2DVI", "Option", "-kanji=sjis");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{doc_ + "> platex -kanji=sjis main.tex"}, build_.Commands());
}

TEST_F(TeXBuild, TheTeXProgramMustBeSet) {
  Open("main.tex");
  for (const char* format : {"", ".fmt"}) {
    WriteIniString("TeX2DVI", "FormatFile", format);
    EXPECT_FALSE(tex_.TeX2DVI());
  }
  WriteIniInt("TeX2DVI", "IsUsingFormat", 0);
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ(Lines(3, "Pressel2: TeXプログラムの設定がされてません．"), Messages());
}

TEST_F(TeXBuild, EveryStepNeedsAFileAndItsParent) {
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_FALSE(tex_.DVI2PDF());
  Open("lonely.tex");  // no such file, so no parent either
  EXPECT_FALSE(tex_.DVI2PS());
  tex_.current_file = Write("nothing.tex", "x\n");
  tex_.parent_base = doc_ + vklib::kPathSeparator + "gone";
  tex_.parent_extension = ".tex";
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ(
      (Lines{"Pressel2: ファイルが読み込まれてません．", "Pressel2: ファイルが読み込まれてません．",
             "Pressel2: 親ファイルの取得に失敗．", "Pressel2: ファイルが存在しません．"}),
      Messages());
}

TEST_F(TeXBuild, MakeIndexAndBibTeXRunOnTheStemInItsDirectory) {
  Open("main.tex");
  const std::string parent = doc_ + vklib::kPathSeparator + "main.tex";
  WriteIniInt("MakeIndex", "WhichProgram", 1);
  EXPECT_TRUE(tex_.MakeIndex(parent));
  WriteIniString("MakeIndex", "Option", "-s foo.ist");
  EXPECT_TRUE(tex_.MakeIndex(parent));
  WriteIniString("MakeIndex", "Option", "");
  for (int which : {0, 2}) {
    WriteIniInt("MakeIndex", "WhichProgram", which);
    EXPECT_TRUE(tex_.MakeIndex(parent));
  }
  WriteIniInt("BibTeX", "WhichProgram", 1);
  EXPECT_TRUE(tex_.BibTeX(parent));
  WriteIniInt("BibTeX", "WhichProgram", 2);
  EXPECT_TRUE(tex_.BibTeX(parent));
  EXPECT_EQ((Lines{doc_ + "> makeindex main", doc_ + "> makeindex -s foo.ist main",
                   doc_ + "> mendex main", doc_ + "> mendex main", doc_ + "> bibtex main",
                   doc_ + "> pbibtex main"}),
            build_.Commands());
}

TEST_F(TeXBuild, ANameThatStartsWithAMinusReachesEveryToolAsAFile) {
  const std::string parent = Write("-x.tex", "\\documentclass{jarticle}\n");
  Write("-x.idx", "\\indexentry{a}{1}\n");
  Script("platex *: write -x.aux \\\\relax \\n\n");
  Open("-x.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_TRUE(tex_.BibTeX(parent));
  EXPECT_TRUE(tex_.DVI2PS());
  EXPECT_TRUE(tex_.DVI2PDF());
  EXPECT_TRUE(tex_.PS2PDF());
  const std::string file = std::string(".") + vklib::kPathSeparator + "-x";
  EXPECT_EQ((Lines{"platex " + file + ".tex", "mendex " + file, "platex " + file + ".tex",
                   "pbibtex " + file, "dvips " + file + ".dvi", "dvipdfmx " + file + ".dvi",
                   "ps2pdf " + file + ".ps " + file + ".pdf"}),
            Ran());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(TeXBuild, WithoutPbibtexOnThePathTheJapaneseBibTeXIsJbibtex) {
  test::FakeTools only(test::FakeTools::Path::kOnly);
  only.Remove("pbibtex");
  Open("main.tex");
  EXPECT_TRUE(tex_.BibTeX(doc_ + vklib::kPathSeparator + "main.tex"));
  EXPECT_EQ(Lines{doc_ + "> jbibtex main"}, build_.Commands());
}

TEST_F(TeXBuild, AnEmptyUsersProgramIsASettingsError) {
  Open("main.tex");
  WriteIniInt("MakeIndex", "WhichProgram", 3);
  WriteIniInt("BibTeX", "WhichProgram", 3);
  EXPECT_FALSE(tex_.MakeIndex(doc_ + vklib::kPathSeparator + "main.tex"));
  EXPECT_FALSE(tex_.BibTeX(doc_ + vklib::kPathSeparator + "main.tex"));
  EXPECT_EQ((Lines{"Pressel2: MakeIndexの設定がなされてません．",
                   "Pressel2: BibTeXの設定がなされてません．"}),
            Messages());
  EXPECT_TRUE(build_.Commands().empty());
}

class Converters : public TeXBuild {
 protected:
  // The DVI-to-PDF command for a class line and the paper settings.
  std::string DviToPdf(const std::string& options) {
    Write("paper.tex", "\\documentclass[" + options + "]{jarticle}\n");
    Open("paper.tex");
    size_t before = build_.Commands().size();
    EXPECT_TRUE(tex_.DVI2PDF());
    Lines commands = build_.Commands();
    return commands.size() > before ? commands.back() : "";
  }
  std::string Expect(const std::string& command) { return doc_ + "> " + command; }
};

TEST_F(Converters, ThePaperComesFromTheClassOptions) {
  WriteIniInt("DVI2PDF", "WhichPaperSize", 1);
  EXPECT_EQ(Expect("dvipdfmx -p a4 paper.dvi"), DviToPdf("a4paper,twocolumn"));
  EXPECT_EQ(Expect("dvipdfmx -p a5 paper.dvi"), DviToPdf("A5J"));
  EXPECT_EQ(Expect("dvipdfmx -p b5 paper.dvi"), DviToPdf("b5paper"));
  EXPECT_EQ(Expect("dvipdfmx -p letter paper.dvi"), DviToPdf("letterpaper"));
  EXPECT_EQ(Expect("dvipdfmx -p a3 paper.dvi"), DviToPdf("a3paper"));
  EXPECT_EQ(Expect("dvipdfmx paper.dvi"), DviToPdf("11pt"));
  WriteIniString("DVI2PDF", "PaperSizeFromList", "other");
  EXPECT_EQ(Expect("dvipdfmx paper.dvi"), DviToPdf("a4paper"));
}

TEST_F(Converters, ThePaperFromTheListOrFromNumbersFollowsMinusP) {
  WriteIniInt("DVI2PDF", "WhichPaperSize", 2);
  WriteIniString("DVI2PDF", "PaperSizeFromList", "b5");
  EXPECT_EQ(Expect("dvipdfmx -p b5 paper.dvi"), DviToPdf("a4paper"));
  // "縦" (PaperSizeX) 297mm and "横" (PaperSizeY) 210mm: an upright A4 page, width first.
  WriteIniInt("DVI2PDF", "WhichPaperSize", 3);
  WriteIniString("DVI2PDF", "PaperSizeX", "297mm");
  WriteIniString("DVI2PDF", "PaperSizeY", "210mm");
  WriteIniString("DVI2PDF", "Option", "-V 5");
  EXPECT_EQ(Expect("dvipdfmx -p 210mm,297mm -V 5 paper.dvi"), DviToPdf("a4paper"));
  WriteIniString("DVI2PDF", "PaperSizeY", "");
  EXPECT_EQ(Expect("dvipdfmx -V 5 paper.dvi"), DviToPdf("a4paper"));
  WriteIniInt("DVI2PDF", "WhichPaperSize", 4);
  EXPECT_EQ(Expect("dvipdfmx -V 5 paper.dvi"), DviToPdf("a4paper"));
}

TEST_F(Converters, ADviOrPsOpenedDirectlyTakesThePaperOfTheTeXFileBesideIt) {
  WriteIniInt("DVI2PDF", "WhichPaperSize", 1);
  Write("paper.tex", "\\documentclass[b5paper]{jarticle}\n");
  for (const char* name : {"paper.dvi", "paper.ps", "alone.dvi"}) {
    Write(name, "output");
    Open(name);
    EXPECT_TRUE(tex_.DVI2PDF());
  }
  EXPECT_EQ((Lines{Expect("dvipdfmx -p b5 paper.dvi"), Expect("dvipdfmx -p b5 paper.dvi"),
                   Expect("dvipdfmx alone.dvi")}),
            build_.Commands());
}

TEST_F(Converters, FileNamesWithBlanksAreQuoted) {
  Write("my paper.tex", "\\documentclass{jarticle}\n");
  Script(std::string("platex *: write \"my paper.aux\" \\relax \n\n"));
  Open("my paper.tex");
  WriteIniInt("MakeIndex", "WhichProgram", 1);
  EXPECT_TRUE(tex_.MakeIndex(tex_.current_file));
  EXPECT_TRUE(tex_.DVI2PS());
  EXPECT_TRUE(tex_.PS2PDF());
  WriteIniInt("TeX2DVI", "IsAnalyze", 0);
  EXPECT_TRUE(tex_.TeX2DVI());
#ifdef _WIN32
  const std::string ghostscript = "ps2pdf.bat";
#else
  const std::string ghostscript = "ps2pdf";
#endif
  EXPECT_EQ((Lines{Expect("makeindex \"my paper\""), Expect("dvips \"my paper.dvi\""),
                   Expect(ghostscript + " \"my paper.ps\" \"my paper.pdf\""),
                   Expect("platex \"my paper\"")}),
            build_.Commands());
  // Each tool saw one argument.
  EXPECT_EQ("makeindex my paper", Ran().at(0));
}

TEST_F(Converters, PostScriptStepsNameInputAndOutput) {
  Open("main.tex");
  EXPECT_TRUE(tex_.DVI2PS());
  EXPECT_TRUE(tex_.PS2PDF());
  WriteIniInt("DVI2PS", "WhichProgram", 1);
  WriteIniString("DVI2PS", "Option", "-Ppdf");
  EXPECT_TRUE(tex_.DVI2PS());
#ifdef _WIN32
  const std::string ghostscript = "ps2pdf.bat \"main.ps\" \"main.pdf\"";  // cmd reads the names
#else
  const std::string ghostscript = "ps2pdf main.ps main.pdf";
#endif
  EXPECT_EQ((Lines{Expect("dvips main.dvi"), Expect(ghostscript), Expect("dvi2ps -Ppdf main.dvi")}),
            build_.Commands());
  EXPECT_EQ((Lines{"dvips main.dvi", "ps2pdf main.ps main.pdf", "dvi2ps -Ppdf main.dvi"}), Ran());
}

// Windows runs GhostScript's batch file through cmd, which takes "&" for the end of a command.
TEST_F(Converters, ANameCmdWouldReadAsCommandsReachesTheConverterWhole) {
  const std::string thesis = Write("thesis.tex", "\\documentclass{jarticle}\n");
  Write("y&del;thesis.tex&.ps", "%!PS\n");
  Open("y&del;thesis.tex&.ps");
  EXPECT_TRUE(tex_.PS2PDF());
  EXPECT_TRUE(vklib::FileExists(thesis));
  EXPECT_EQ(Lines{"ps2pdf y&del;thesis.tex&.ps y&del;thesis.tex&.pdf"}, Ran());

  // cmd expands "%" even between quotes: such a name is refused before anything runs.
  WriteIniInt("PS2PDF", "IsGhostScript", 0);
  WriteIniString("PS2PDF", "Program", "ps2pdf.bat");
  Write("100%.ps", "%!PS\n");
  Open("100%.ps");
  EXPECT_FALSE(tex_.PS2PDF());
  EXPECT_EQ(Lines{"Pressel2: ps2pdf.batはバッチファイルなので，%や!を含むファイル名100%.psは渡"
                  "せません．"},
            Messages());
  EXPECT_EQ(1u, build_.Commands().size());
}

TEST_F(Converters, ExitCodesAndSettingsAreReportedInEachStepsWords) {
  Open("main.tex");
  Script("dvips *: exit 1\ndvipdfmx *: exit 3\nps2pdf *: exit 4\n");
  EXPECT_FALSE(tex_.DVI2PS());
  EXPECT_FALSE(tex_.DVI2PDF());
  EXPECT_FALSE(tex_.PS2PDF());
  WriteIniInt("DVI2PS", "WhichProgram", 3);
  WriteIniInt("DVI2PDF", "WhichProgram", 3);
  WriteIniInt("PS2PDF", "IsGhostScript", 0);
  EXPECT_FALSE(tex_.DVI2PS());
  EXPECT_FALSE(tex_.DVI2PDF());
  EXPECT_FALSE(tex_.PS2PDF());
  WriteIniString("DVI2PS", "Program", "nosuch-dvips");
  EXPECT_FALSE(tex_.DVI2PS());
  EXPECT_EQ(
      (Lines{"Pressel2: エラーコード1が帰ってきました．",
             "Pressel2: エラーコード3が帰ってきました．", "Pressel2: エラーコード4が返りました．",
             "Pressel2: DVI→PS変換の設定がなされてません．",
             "Pressel2: DVI→PDF変換の設定がなされてません．",
             "Pressel2: PS→PDF変換の設定がなされていません．",
             "Pressel2: nosuch-dvips main.dviの実行に失敗しました．"}),
      Messages());
}

TEST(FileKind, ComesFromTheExtensionWithoutRegardToCase) {
  EXPECT_EQ(TeX::kTeX2DVI, TeX::FileKind("paper.TEX"));
  EXPECT_EQ(TeX::kDVI2PDF, TeX::FileKind("C:\\doc\\paper.dvi"));
  EXPECT_EQ(TeX::kPS2PDF, TeX::FileKind("paper.Ps"));
  EXPECT_EQ(TeX::kNoStep, TeX::FileKind("paper.pdf"));
  EXPECT_EQ(TeX::kNoStep, TeX::FileKind("README"));
}

TEST_F(TeXBuild, ConvertRefusesAnUnknownStep) {
  Open("main.tex");
  EXPECT_FALSE(tex_.Convert(9));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
