// The engine a document names, through the build steps with our fake tools: what runs, and what
// the user is told.
#include <gtest/gtest.h>

#include "build/aux_analyzer.h"
#include "support/tex_build_fixture.h"

namespace {

class EngineBuild : public test::TeXBuild {
 protected:
  // Each run of the engine cites a key that has no entry and writes an index entry; the tools
  // write nothing, so no LaTeX run follows them.
  void CitingAndIndexing(const std::string& engine) {
    Script(engine + " *: write main.aux \\\\citation{a}\\n\\\\bibdata{refs}\\n\n" + engine +
           " *: write main.idx \\\\indexentry{a}{1}\n");
  }
  // Forgets what made the index and the bibliography, so that both tools run again.
  void ForgetTheTools() { std::remove((doc_ + vklib::kPathSeparator + "main.pressel2").c_str()); }
};

TEST_F(EngineBuild, TheDocumentsEngineWinsOverTheSettingsAndItsToolsFollowIt) {
  Write("main.tex", "\\documentclass[uplatex]{jsarticle}\n\\begin{document}\n\\end{document}\n");
  WriteIniString(Setting::kTeX2DVIOption, "-src");
  CitingAndIndexing("uplatex");
  Open("main.tex");
  EXPECT_EQ((Lines{"uplatex -src main.tex", "mendex -U main", "upbibtex main"}), Build());
  EXPECT_EQ((Lines{"uplatexを使います（文書クラスのオプション uplatex）．",
                   "ビルドが終わりました（uplatex 1回，mendex 1回，upbibtex 1回，T秒）．"}),
            Reported());
  // A program chosen by name stays as chosen.
  WriteIniInt(Setting::kBibTeXWhichProgram, 1);
  WriteIniInt(Setting::kMakeIndexWhichProgram, 1);
  ForgetTheTools();
  EXPECT_EQ((Lines{"uplatex -src main.tex", "makeindex main", "bibtex main"}), Build());
}

TEST_F(EngineBuild, AShiftJisSourceTellsPTeXAndItsToolsItsEncodingUnlessTheSettingsDo) {
  Write("main.tex",
        "% 日本語の文書\n\\documentclass{jarticle}\n\\begin{document}\n\\end{document}\n");
  CitingAndIndexing("platex");
  Open("main.tex");
  EXPECT_EQ((Lines{"platex -kanji=sjis main.tex", "mendex -S main", "pbibtex -kanji=sjis main"}),
            Build());
  EXPECT_EQ((Lines{"platex -kanji=sjisを使います（main.texの文字コード Shift_JIS）．",
                   "ビルドが終わりました（platex 1回，mendex 1回，pbibtex 1回，T秒）．"}),
            Reported());
  WriteIniString(Setting::kTeX2DVIOption, "-kanji=utf8");
  WriteIniString(Setting::kMakeIndexOption, "-E");
  ForgetTheTools();
  build_.report.lines.clear();
  EXPECT_EQ((Lines{"platex -kanji=utf8 main.tex", "mendex -E main", "pbibtex -kanji=sjis main"}),
            Build());
  EXPECT_EQ(Lines{"ビルドが終わりました（platex 1回，mendex 1回，pbibtex 1回，T秒）．"},
            Reported());
}

// biblatex writes its own lines and no \bibdata into the .aux, names the databases in the .bcf,
// and asks for Biber in its log until the bibliography is made.
const char kBiblatex[] =
    "platex *: write main.aux \\\\relax \\n\\\\abx@aux@cite{0}{a}\\n\n"
    "platex *: write main.bcf <bcf:datasource type=\"file\">refs.bib</bcf:datasource>\n"
    "platex *: write main.log No request.\n"
    "platex 1: write main.log Please (re)run Biber on the\\nfile: main\n"
    "biber *: write main.bbl \\\\entry{a}\n";

TEST_F(EngineBuild, BiberMakesBiblatexsBibliographyWhenItsInputChanged) {
  Script(kBiblatex);
  Open("main.tex");
  EXPECT_EQ((Lines{"platex main.tex", "biber main", "platex main.tex"}), Build());
  EXPECT_TRUE(built_);
  EXPECT_EQ(Lines{"platex main.tex"}, Build());
  // Its databases are those the .bcf names, which a build also watches.
  const std::string bib = Write("refs.bib", "@book{a}\n");
  EXPECT_EQ(Lines{bib}, AuxAnalyzer::BibFiles(tex_.current_file));
  EXPECT_EQ((Lines{"platex main.tex", "biber main"}), Build());

  // Its failure is told at the end, as BibTeX's.
  Script(std::string(kBiblatex) + "biber *: exit 2\n");
  ForgetTheTools();
  build_.report.lines.clear();
  EXPECT_EQ((Lines{"platex main.tex", "biber main"}), Build());
  EXPECT_FALSE(built_);
  EXPECT_EQ((Lines{"ビルドが終わりました（platex 1回，biber 1回，T秒）．",
                   "Biberがエラーコード2を返したので，文献リストが正しくない可能性があります．"}),
            Reported());
  // A .bcf left from another time, beside an .aux that biblatex did not write, is nobody's (the
  // second run reads back the changed .aux).
  Script("platex *: write main.aux \\\\relax \\n\n");
  ForgetTheTools();
  EXPECT_EQ((Lines{"platex main.tex", "platex main.tex"}), Build());
}

TEST_F(EngineBuild, AnEngineThatMakesThePdfLeavesNoDviToConvertOrToShow) {
  Write("main.tex", "% !TEX program = lualatex\n\\documentclass{ltjsarticle}\n");
  Open("main.tex");
  EXPECT_TRUE(tex_.TeX2DVI());
  EXPECT_TRUE(tex_.DVI2PDF());
  EXPECT_FALSE(tex_.DVI2PS());
  tex_.PreviewDVI();
  tex_.PreviewPS();
  EXPECT_EQ(Lines{"lualatex main.tex"}, Ran());
  EXPECT_EQ((Lines{"lualatexを使います（main.texのコメント「% !TEX program = lualatex」）．",
                   "ビルドが終わりました（lualatex 1回，T秒）．",
                   "lualatexはPDFを直接作るので，DVI→PDFの変換はいりません．"}),
            Reported());
  EXPECT_EQ((Lines{"Pressel2: lualatexはDVIを作らないので，DVI→PSの変換はできません．",
                   "Pressel2: lualatexはDVIを作らないので，DVIファイルはありません．"
                   "「PDFファイルのプレビュー」で見てください．",
                   "Pressel: lualatexはDVIを作らないので，PSファイルはありません．"
                   "「PDFファイルのプレビュー」で見てください．"}),
            Messages());
}

}  // namespace
