// The build steps with our fake tools first on the PATH: what ran, where, and what was said.
#include <gtest/gtest.h>

#include "build/tex.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/tex_build_fixture.h"
#include "vklib/file.h"

namespace {

using Lines = std::vector<std::string>;
using TeXBuild = test::TeXBuild;

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

// What LaTeX writes into every .aux, and what only BibTeX or a watched file reads.
const char kNothingToReadBack[] =
    "platex *: write main.aux \\\\relax \\n\\\\gdef \\\\@abspage@last{3}\\n\\\\citation{a}\\n"
    "\\\\@writefile{toc}{\\\\contentsline {section}{1}{1}}\\n\\\\@input{chap1.aux}\\n\n"
    "platex *: write chap1.aux \\\\relax \\n\\\\@setckpt{chap1}{\\\\setcounter{page}{2}}\\n\n"
    "platex *: write main.log No rerun asked for.\n";

TEST_F(TeXBuild, AFirstRunThatLeavesNothingToReadBackNeedsNoSecond) {
  Script(kNothingToReadBack);
  Open("main.tex");
  EXPECT_EQ(Lines{"platex main.tex"}, Build());
  EXPECT_TRUE(built_);
  // Unless its log asks for another run, also in a request that TeX broke over two lines.
  Script(std::string(kNothingToReadBack) +
         "platex 2: write main.log LaTeX Warning: Label(s) may have changed. Rer\\nun to get "
         "cross-references right.\\n\n");
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Build());
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

// Another file of the job counts where the log shows LaTeX reading it (beamer's .nav), and
// LuaTeX-ja's ruby file, which Lua reads unlogged; one LaTeX only writes does not.
TEST_F(TeXBuild, OtherFilesOfTheJobThatLaTeXReadsBackAskForRunsUntilTheySettle) {
  // main.xyz changes with every run, but no run reads it.
  std::string script = std::string("platex *: ") + kRelax +
                       "platex *: write main.log (./main.nav)\n"
                       "platex *: write main.nav b\nplatex 1: write main.nav a\n";
  for (const char* run : {"1", "2", "3"})
    script += std::string("platex ") + run + ": write main.xyz " + run + "\n";
  Script(script);
  Open("main.tex");
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex", "platex main.tex"}), Build());
  Script(std::string("platex *: ") + kRelax + "platex *: write main.ltjruby c\n");
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Build());
  EXPECT_EQ(Lines{"platex main.tex"}, Build());
}

TEST_F(TeXBuild, AnIncludedChaptersAuxIsWatchedButNotAnInputFiles) {
  Script(std::string("platex *: ") + kRelax +
         "platex 1: write chap1.aux \\\\newlabel{s}{{1}{1}}\n" +
         "platex *: write sec.aux changes every time\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  // chap1.aux appeared after the first run; sec.aux is nobody's business.
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Ran());
}

// Each LaTeX run writes the index entries, mendex an index of them.
std::string Indexing(const std::string& entries) {
  return std::string("platex *: ") + kRelax + "platex *: write main.idx " + entries + "\n" +
         "mendex *: write main.ind index of " + entries + "\n";
}

TEST_F(TeXBuild, MakeIndexRunsWhenTheIndexWouldChangeAndOnlyThen) {
  Script(Indexing("\\\\indexentry{a}{1}"));
  Open("main.tex");
  const Lines index_made = {"platex main.tex", "mendex main", "platex main.tex"};
  EXPECT_EQ(index_made, Build());
  EXPECT_EQ(Lines{"platex main.tex"}, Build());
  // A build stopped after its LaTeX run (here by "MaxCompile") leaves no stale index behind: the
  // next build makes it.
  Script(Indexing("\\\\indexentry{a}{1}\\\\n\\\\indexentry{b}{2}"));
  WriteIniInt(Setting::kTeX2DVIMaxCompile, 1);
  EXPECT_EQ(Lines{"platex main.tex"}, Build());
  WriteIniInt(Setting::kTeX2DVIMaxCompile, 10);
  EXPECT_EQ(index_made, Build());
  // A missing or damaged record of what made the index costs a MakeIndex run, and LaTeX only if
  // the index came out otherwise.
  Write("main.pressel2", "Pressel2 build state 1\nindex 12345\n");
  EXPECT_EQ((Lines{"platex main.tex", "mendex main"}), Build());
  EXPECT_EQ(Lines{"platex main.tex"}, Build());
}

TEST_F(TeXBuild, AnIndexWhosePagesMovedIsMadeAgainInTheSameBuild) {
  Script(std::string("platex *: ") + kRelax +
         "platex *: write main.idx \\\\indexentry{a}{2}\n"
         "platex 1: write main.idx \\\\indexentry{a}{1}\n"
         "mendex 1: write main.ind a, 1\nmendex 2: write main.ind a, 2\n");
  Open("main.tex");
  EXPECT_EQ((Lines{"platex main.tex", "mendex main", "platex main.tex", "mendex main",
                   "platex main.tex"}),
            Build());
}

TEST_F(TeXBuild, AnOutputFileOrAnotherExtensionAsParentIsAnalysedByItsStem) {
  // A .dvi opened directly: TeX gets the stem, and main.tex's includes and main.idx count.
  Write("main.idx", "\\indexentry{a}{1}\n");
  Write("main.dvi", "dvi");
  Script(std::string("platex *: ") + kRelax + "mendex 1: write main.ind a\n" +
         "mendex 2: write main.ind b\n");
  Open("main.dvi");
  EXPECT_EQ((Lines{"platex main", "mendex main", "platex main"}), Build());

  // A parent named main.ltx in the settings: its auxiliary files are main.aux and main.idx.
  Write("main.ltx", "\\documentclass{jarticle}\n");
  Write("main.idx", "\\indexentry{b}{1}\n");
  WriteIniInt(Setting::kTeXWhichParent, 3);
  WriteIniString(Setting::kTeXParent, doc_ + vklib::kPathSeparator + "main.ltx");
  Open("chap1.tex");
  EXPECT_EQ((Lines{"platex main.ltx", "mendex main", "platex main.ltx"}), Build());
}

TEST_F(TeXBuild, CitationsWithoutBibdataNeedNoBibTeX) {
  Script("platex *: write main.aux \\\\citation{a}\\n\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{"platex main.tex"}, Ran());
}

// LaTeX writes the citations, and \bibcite lines once pbibtex has made the bibliography.
const char kCitingDocument[] =
    "platex *: write main.aux \\\\citation{a}\\n\\\\bibstyle{jplain}\\n\\\\bibdata{refs}\\n"
    "\\\\bibcite{a}{1}\\n\n"
    "platex 1: write main.aux \\\\citation{a}\\n\\\\bibstyle{jplain}\\n\\\\bibdata{refs}\\n\n"
    "pbibtex *: write main.bbl \\\\bibitem{a} A\n";

TEST_F(TeXBuild, BibTeXRunsWhenTheBibliographyWouldChangeAndOnlyThen) {
  Script(kCitingDocument);
  Open("main.tex");
  // From clean: LaTeX, BibTeX, LaTeX for the bibliography, LaTeX for its numbers.
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main", "platex main.tex", "platex main.tex"}),
            Build());
  EXPECT_TRUE(build_.report.titles.empty());
  EXPECT_EQ(Lines{"platex main.tex"}, Build());
  // An edited database, and a style beside the document, are read again; LaTeX follows only
  // a bibliography that came out otherwise.
  Write("refs.bib", "@book{a, title={A}}\n");
  const std::string revised =
      std::string(kCitingDocument) + "pbibtex *: write main.bbl \\\\bibitem{a} A revised\n";
  Script(revised);
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main", "platex main.tex"}), Build());
  Write("jplain.bst", "ENTRY\n");
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main"}), Build());
  // Another style chosen in the document.
  Script(revised + "platex *: write main.aux \\\\citation{a}\\n\\\\bibstyle{other}\\n" +
         "\\\\bibdata{refs}\\n\\\\bibcite{a}{1}\\n\n");
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main"}), Build());
  EXPECT_EQ(Lines{"platex main.tex"}, Build());
}

TEST_F(TeXBuild, AKeyCitedAgainFromTheBibliographyNeedsNoSecondBibTeX) {
  Script(
      "platex *: write main.aux \\\\citation{a}\\n\\\\bibdata{refs}\\n\\\\bibcite{a}{1}\\n"
      "\\\\citation{a}\\n\n"
      "platex 1: write main.aux \\\\citation{a}\\n\\\\bibdata{refs}\\n\n"
      "pbibtex *: write main.bbl \\\\bibitem{a} A\n");
  Open("main.tex");
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main", "platex main.tex", "platex main.tex"}),
            Build());
}

TEST_F(TeXBuild, ACitedKeyWithoutAnEntryRunsBibTeXOnceInEachBuild) {
  // \cite{a,b} writes one \citation{a, b}, and each key gets its own \bibcite; c has none.
  Script(
      "platex *: write main.aux \\\\citation{a, b}\\n\\\\citation{c}\\n\\\\bibdata{refs}\\n"
      "\\\\bibcite{a}{1}\\n\\\\bibcite{b}{2}\\n\n"
      "pbibtex *: write main.bbl entries\n");
  Open("main.tex");
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main", "platex main.tex"}), Build());
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main"}), Build());  // c may be in refs.bib now
  // With \nocite{*}, entries that no citation names are as they should be.
  Script(
      "platex *: write main.aux \\\\citation{a, b}\\n\\\\citation{*}\\n\\\\bibdata{refs}\\n"
      "\\\\bibcite{a}{1}\\n\\\\bibcite{b}{2}\\n\\\\bibcite{d}{3}\\n\n"
      "pbibtex *: write main.bbl entries\n");
  Build();
  EXPECT_EQ(Lines{"platex main.tex"}, Build());
}

// A failed tool changes the title at once, the build goes on, and at its end the failure is told
// and fails the step. The next build tries the tool again.
TEST_F(TeXBuild, AFailingBibTeXIsToldAtTheEnd) {
  Script(std::string(kCitingDocument) + "pbibtex *: exit 2\n");
  Open("main.tex");
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ(
      (Lines{"BibTeXを実行したところ，エラーコード2を返しましたが，そのまま実行を続けます．"}),
      build_.report.titles);
  EXPECT_EQ("platex main.tex", Ran().at(2));  // for what it wrote all the same
  EXPECT_TRUE(Messages().empty());
  // The fake platex writes no log: the closing line tells the tools it ran, then what failed.
  EXPECT_EQ((Lines{"ビルドが終わりました（platex 3回，pbibtex 1回，T秒）．",
                   "BibTeXがエラーコード2を返したので，文献リストが正しくない可能性があります．"}),
            Reported());
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main"}), Build());
  EXPECT_FALSE(built_);
}

TEST_F(TeXBuild, AFailingMakeIndexIsToldAtTheEnd) {
  Write("main.idx", "x\n");
  Script(std::string("platex *: ") + kRelax + "mendex *: exit 255\n");
  Open("main.tex");
  EXPECT_EQ((Lines{"platex main.tex", "mendex main"}), Build());
  EXPECT_FALSE(built_);
  EXPECT_EQ(
      (Lines{"MakeIndexを実行したところ，エラーコード255を返しましたが，そのまま実行を続けます．"}),
      build_.report.titles);
  EXPECT_EQ((Lines{"ビルドが終わりました（platex 1回，mendex 1回，T秒）．",
                   "MakeIndexがエラーコード255を返したので，索引が正しくない可能性があります．"}),
            Reported());
  EXPECT_EQ((Lines{"platex main.tex", "mendex main"}), Build());
}

TEST_F(TeXBuild, MaxCompileBoundsTheActionsAndADocumentLeftUnsettledIsToldOf) {
  Script(kCitingDocument);
  Open("main.tex");
  WriteIniInt(Setting::kTeX2DVIMaxCompile, 0);
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_TRUE(Ran().empty());
  WriteIniInt(Setting::kTeX2DVIMaxCompile, 1);
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{"platex main.tex"}, Ran());
  EXPECT_EQ(
      (Lines{"ビルドが終わりました（platex 1回，T秒）．",
             "最大コンパイル回数（1回）に達したので，相互参照などが確定しないまま終わりました．"}),
      Reported());
  EXPECT_TRUE(Messages().empty());
  WriteIniInt(Setting::kTeX2DVIMaxCompile, -3);
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(1u, Ran().size());
}

TEST_F(TeXBuild, AMissingBoundTakesTheFirstRunsBound) {
  Script(kCitingDocument);
  Open("main.tex");
  test::WriteFile(IniPath,
                  "[TeX2DVI]\r\nIsUsingFormat=1\r\nFormatFile=platex.fmt\r\nIsAnalyze=1\r\n");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main", "platex main.tex", "platex main.tex"}),
            Ran());
}

TEST_F(TeXBuild, ALaTeXErrorStopsTheLoop) {
  Script(std::string(kCitingDocument) + "platex 2: exit 1\n");
  Open("main.tex");
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main", "platex main.tex"}), Ran());
  EXPECT_EQ(Lines{"Pressel2: platex main.texの実行に失敗．"}, Messages());
}

TEST_F(TeXBuild, AProgramThatCannotStartIsReported) {
  WriteIniString(Setting::kTeX2DVIFormatFile, "nosuchtex.fmt");
  Open("main.tex");
  EXPECT_FALSE(tex_.TeX2DVI());
  const std::string reason = "「nosuchtex」が見つかりません．PATHと設定を確かめてください．";
  EXPECT_EQ(Lines{"Pressel2: nosuchtex main.texの実行に失敗．\n" + reason}, Messages());
  EXPECT_EQ(Lines{doc_ + "> nosuchtex main.tex"}, build_.Commands());
  EXPECT_NE(std::string::npos, build_.sink.all.find("\n" + std::string(43, '/') + "\n" + reason));
}

TEST_F(TeXBuild, TheSimpleModeRunsOnceWithTheStem) {
  WriteIniInt(Setting::kTeX2DVIIsAnalyze, 0);
  WriteIniInt(Setting::kTeX2DVIIsUsingFormat, 0);
  WriteIniString(Setting::kTeX2DVIProgram, "platex");
  WriteIniString(Setting::kTeX2DVIOption, "-kanji=sjis");
  Open("chap1.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{doc_ + "> platex -kanji=sjis main"}, build_.Commands());
  Script("platex *: exit 1\n");
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{"Pressel2: コンパイラはエラーを返しました．"}, Messages());
}

TEST_F(TeXBuild, TheAnalysingModeNamesTheFileWithItsExtension) {
  Script(std::string("platex *: ") + kRelax);
  WriteIniString(Setting::kTeX2DVIOption, "-kanji=sjis");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_EQ(Lines{doc_ + "> platex -kanji=sjis main.tex"}, build_.Commands());
}

TEST_F(TeXBuild, TheTeXProgramMustBeSet) {
  Open("main.tex");
  for (const char* format : {"", ".fmt"}) {
    WriteIniString(Setting::kTeX2DVIFormatFile, format);
    EXPECT_FALSE(tex_.TeX2DVI());
  }
  WriteIniInt(Setting::kTeX2DVIIsUsingFormat, 0);
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ(Lines(3, "Pressel2: TeXプログラムの設定がされてません．"), Messages());
}

TEST_F(TeXBuild, EveryStepNeedsAFileAndItsParent) {
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_FALSE(tex_.DVI2PDF());
  Open("lonely.tex");  // no such file, so no parent either
  EXPECT_FALSE(tex_.DVI2PS());
  Open("??野.tex");  // what Windows passes for a name with 𠮷
  EXPECT_FALSE(tex_.DVI2PDF());
  tex_.current_file = Write("nothing.tex", "x\n");
  tex_.parent_base = doc_ + vklib::kPathSeparator + "gone";
  tex_.parent_extension = ".tex";
  EXPECT_FALSE(tex_.TeX2DVI());
  EXPECT_EQ((Lines{"Pressel2: ファイルが読み込まれてません．",
                   "Pressel2: ファイルが読み込まれてません．", "Pressel2: 親ファイルの取得に失敗．",
                   "Pressel2: ファイル名にShift_JISで表せない文字があるので，開けません．",
                   "Pressel2: ファイルが存在しません．"}),
            Messages());
}

TEST_F(TeXBuild, MakeIndexAndBibTeXRunOnTheStemInItsDirectory) {
  Open("main.tex");
  const std::string parent = doc_ + vklib::kPathSeparator + "main.tex";
  WriteIniInt(Setting::kMakeIndexWhichProgram, 1);
  EXPECT_TRUE(tex_.MakeIndex(parent));
  WriteIniString(Setting::kMakeIndexOption, "-s foo.ist");
  EXPECT_TRUE(tex_.MakeIndex(parent));
  WriteIniString(Setting::kMakeIndexOption, "");
  for (int which : {0, 2}) {
    WriteIniInt(Setting::kMakeIndexWhichProgram, which);
    EXPECT_TRUE(tex_.MakeIndex(parent));
  }
  WriteIniInt(Setting::kBibTeXWhichProgram, 1);
  EXPECT_TRUE(tex_.BibTeX(parent));
  WriteIniInt(Setting::kBibTeXWhichProgram, 2);
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
  EXPECT_EQ((Lines{"platex " + file + ".tex", "mendex " + file, "pbibtex " + file,
                   "dvips " + file + ".dvi", "dvipdfmx " + file + ".dvi",
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
  WriteIniInt(Setting::kMakeIndexWhichProgram, 3);
  WriteIniInt(Setting::kBibTeXWhichProgram, 3);
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
  WriteIniInt(Setting::kDVI2PDFWhichPaperSize, 1);
  EXPECT_EQ(Expect("dvipdfmx -p a4 paper.dvi"), DviToPdf("a4paper,twocolumn"));
  EXPECT_EQ(Expect("dvipdfmx -p a5 paper.dvi"), DviToPdf("A5J"));
  EXPECT_EQ(Expect("dvipdfmx -p b5 paper.dvi"), DviToPdf("b5paper"));
  EXPECT_EQ(Expect("dvipdfmx -p letter paper.dvi"), DviToPdf("letterpaper"));
  EXPECT_EQ(Expect("dvipdfmx -p a3 paper.dvi"), DviToPdf("a3paper"));
  EXPECT_EQ(Expect("dvipdfmx paper.dvi"), DviToPdf("11pt"));
  WriteIniString(Setting::kDVI2PDFPaperSizeFromList, "other");
  EXPECT_EQ(Expect("dvipdfmx paper.dvi"), DviToPdf("a4paper"));
}

TEST_F(Converters, ThePaperFromTheListOrFromNumbersFollowsMinusP) {
  WriteIniInt(Setting::kDVI2PDFWhichPaperSize, 2);
  WriteIniString(Setting::kDVI2PDFPaperSizeFromList, "b5");
  EXPECT_EQ(Expect("dvipdfmx -p b5 paper.dvi"), DviToPdf("a4paper"));
  // "縦" (PaperSizeX) 297mm and "横" (PaperSizeY) 210mm: an upright A4 page, width first.
  WriteIniInt(Setting::kDVI2PDFWhichPaperSize, 3);
  WriteIniString(Setting::kDVI2PDFPaperSizeX, "297mm");
  WriteIniString(Setting::kDVI2PDFPaperSizeY, "210mm");
  WriteIniString(Setting::kDVI2PDFOption, "-V 5");
  EXPECT_EQ(Expect("dvipdfmx -p 210mm,297mm -V 5 paper.dvi"), DviToPdf("a4paper"));
  WriteIniString(Setting::kDVI2PDFPaperSizeY, "");
  EXPECT_EQ(Expect("dvipdfmx -V 5 paper.dvi"), DviToPdf("a4paper"));
  WriteIniInt(Setting::kDVI2PDFWhichPaperSize, 4);
  EXPECT_EQ(Expect("dvipdfmx -V 5 paper.dvi"), DviToPdf("a4paper"));
}

TEST_F(Converters, ADviOrPsOpenedDirectlyTakesThePaperOfTheTeXFileBesideIt) {
  WriteIniInt(Setting::kDVI2PDFWhichPaperSize, 1);
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
  WriteIniInt(Setting::kMakeIndexWhichProgram, 1);
  EXPECT_TRUE(tex_.MakeIndex(tex_.current_file));
  EXPECT_TRUE(tex_.DVI2PS());
  EXPECT_TRUE(tex_.PS2PDF());
  WriteIniInt(Setting::kTeX2DVIIsAnalyze, 0);
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
  WriteIniInt(Setting::kDVI2PSWhichProgram, 1);
  WriteIniString(Setting::kDVI2PSOption, "-Ppdf");
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
  WriteIniInt(Setting::kPS2PDFIsGhostScript, 0);
  WriteIniString(Setting::kPS2PDFProgram, "ps2pdf.bat");
  Write("100%.ps", "%!PS\n");
  Open("100%.ps");
  EXPECT_FALSE(tex_.PS2PDF());
  EXPECT_EQ(Lines{"Pressel2: ps2pdf.batはバッチファイルなので，%や!を含むファイル名100%.psは渡"
                  "せません．"},
            Messages());
  EXPECT_EQ(1u, build_.Commands().size());
}

TEST_F(Converters, EachConversionEndsWithTheFileItMadeOrItsErrors) {
  Open("main.tex");
  EXPECT_TRUE(tex_.DVI2PS());
  EXPECT_TRUE(tex_.PS2PDF());
  Script("dvipdfmx *: exit 3\n");
  EXPECT_FALSE(tex_.DVI2PDF());
  EXPECT_EQ((Lines{"main.ps を作りました（dvips 1回，T秒）．",
                   "main.pdf を作りました（ps2pdf 1回，T秒）．",
                   "エラーがありました（dvipdfmx 1回，T秒）．"}),
            Reported());
}

TEST_F(Converters, ExitCodesAndSettingsAreReportedInEachStepsWords) {
  Open("main.tex");
  Script("dvips *: exit 1\ndvipdfmx *: exit 3\nps2pdf *: exit 4\n");
  EXPECT_FALSE(tex_.DVI2PS());
  EXPECT_FALSE(tex_.DVI2PDF());
  EXPECT_FALSE(tex_.PS2PDF());
  WriteIniInt(Setting::kDVI2PSWhichProgram, 3);
  WriteIniInt(Setting::kDVI2PDFWhichProgram, 3);
  WriteIniInt(Setting::kPS2PDFIsGhostScript, 0);
  EXPECT_FALSE(tex_.DVI2PS());
  EXPECT_FALSE(tex_.DVI2PDF());
  EXPECT_FALSE(tex_.PS2PDF());
  WriteIniString(Setting::kDVI2PSProgram, "nosuch-dvips");
  EXPECT_FALSE(tex_.DVI2PS());
  EXPECT_EQ(
      (Lines{"Pressel2: エラーコード1が帰ってきました．",
             "Pressel2: エラーコード3が帰ってきました．", "Pressel2: エラーコード4が返りました．",
             "Pressel2: DVI→PS変換の設定がなされてません．",
             "Pressel2: DVI→PDF変換の設定がなされてません．",
             "Pressel2: PS→PDF変換の設定がなされていません．",
             "Pressel2: nosuch-dvips main.dviの実行に失敗しました．\n"
             "「nosuch-dvips」が見つかりません．PATHと設定を確かめてください．"}),
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
