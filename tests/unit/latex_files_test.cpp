// What the analysing build reads in LaTeX's files, on lines that TeX Live's LaTeX and common
// packages write.
#include "build/latex_files.h"

#include <gtest/gtest.h>

#include "vklib/codepage.h"

namespace {

TEST(LaTeXFiles, OfAnAuxOnlyWhatARerunActsOnIsKept) {
  const std::string aux =
      "\\relax \r\n"
      "\\providecommand\\hyper@newdestlabel[2]{}\n"
      "\\citation{knuth1984}\n"
      "\\@input{chap1.aux}\n"
      "\\@input{appendix.aux}\n"
      "\\@writefile{toc}{\\contentsline {chapter}{\\numberline {1}はじめに}{1}{}}\n"
      "\\@writefile{loa}{\\contentsline {algorithm}{1}{2}}\n"
      "\\newlabel{chap:intro}{{1}{1}}\n"
      "\\bibstyle{jplain}\n"
      "\\bibdata{refs}\n"
      "\\bibcite{knuth1984}{1}\n"
      "\\@setckpt{chap1}{\n"
      "\\gdef \\@abspage@last{16}\n";
  auto watched = [](std::string_view name) { return name == "chap1.aux"; };
  EXPECT_EQ(
      "\\providecommand\\hyper@newdestlabel[2]{}\n"
      "\\@input{appendix.aux}\n"
      "\\@writefile{loa}{\\contentsline {algorithm}{1}{2}}\n"
      "\\newlabel{chap:intro}{{1}{1}}\n"
      "\\bibcite{knuth1984}{1}\n",
      PartReadByLaTeX(aux, watched));
}

TEST(LaTeXFiles, ARerunIsAskedForInTheLogsOwnWords) {
  for (const char* log : {
           "LaTeX Warning: Label(s) may have changed. Rerun to get cross-references right.\n",
           "Package longtable Warning: Table widths have changed. Rerun LaTeX.\n",
           "Package rerunfilecheck Warning: File `main.out' has changed.\n(rerunfilecheck)      "
           "          Rerun to get outlines right\n",
           "LaTeX Warning: Temporary extra page added at the end. Rerun to get it removed.\n",
           "Package acro Warning: Acronyms have changed. Please rerun LaTeX.\n",
           // TeX breaks the lines of its log after 79 characters.
           "Package natbib Warning: Citation(s) may have changed.\n(natbib)                Rer\n"
           "un to get citations correct.\n",
       }) {
    EXPECT_TRUE(LogAsksForRerun(log)) << log;
  }
  for (const char* log : {
           "Package: rerunfilecheck 2022/07/10 v1.10 Rerun checks for auxiliary files (HO)\n",
           "LaTeX Warning: There were undefined references.\n",
           // Biber first: LaTeX follows it when it changes the bibliography.
           "Package biblatex Warning: Please (re)run Biber on the file:\n(biblatex)           "
           "     main\n(biblatex)                and rerun LaTeX afterwards.\n",
       }) {
    EXPECT_FALSE(LogAsksForRerun(log)) << log;
  }
}

// As biblatex writes them into the .bcf, in UTF-8: the files, and no other kind of source.
TEST(LaTeXFiles, BiberReadsTheFilesTheControlFileNames) {
  const std::string bcf = vklib::AnsiToUtf8(
      "  <bcf:bibdata section=\"0\">\n"
      "    <bcf:datasource type=\"file\" datatype=\"bibtex\" glob=\"false\">文献.bib"
      "</bcf:datasource>\n"
      "    <bcf:datasource type=\"url\">https://example.org/x.bib</bcf:datasource>\n"
      "    <bcf:datasource type=\"file\" datatype=\"bibtex\">sub/more.bib</bcf:datasource>\n"
      "    <bcf:datasource type=\"file\">cut");
  EXPECT_EQ((std::vector<std::string>{"文献.bib", "sub/more.bib"}), BiberDataSources(bcf));
  EXPECT_TRUE(LogAsksForBiber("Package biblatex Warning: Please (re)run Biber on th\ne file:"));
  EXPECT_FALSE(LogAsksForBiber("Package biblatex Warning: Please rerun LaTeX."));
}

}  // namespace
