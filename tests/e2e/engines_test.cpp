// Documents of our own that name their engine, built with the real TeX Live through
// pressel2-build with its first-run defaults: the engine and the tools each one asks for, what
// the user is told, and the PDF made.
#include <gtest/gtest.h>

#include <string>

#include "e2e/sample_build.h"
#include "support/test_support.h"
#include "vklib/codepage.h"

namespace {

using Lines = std::vector<std::string>;

class EngineDocument : public test::SampleBuild {
 protected:
  void SetUp() override {
    SampleBuild::SetUp();
    test::fs::create_directories(Document());
  }
  void Write(const std::string& name, const std::string& utf8) {
    test::WriteFile((Document() / name).string(), utf8);
  }
  bool Holds(const std::string& name, const std::string& utf8) const {
    return test::ReadFile((Document() / name).string()).find(utf8) != std::string::npos;
  }
};

TEST_F(EngineDocument, AUpLaTeXDocumentKeepsCharactersOutsideJisX0208InItsBibliographyAndIndex) {
  Write("refs.bib",
        u8"@book{taka, author={髙橋 太郎}, title={\U00020BB7野の記}, publisher={出版社}, "
        u8"year=2001}\n");
  Write("main.tex",
        u8"\\documentclass[uplatex]{jsarticle}\n\\usepackage{makeidx}\n\\makeindex\n"
        u8"\\begin{document}\n髙橋\\index{たかはし@髙橋}の本\\cite{taka}．\n"
        u8"\\bibliographystyle{jplain}\n\\bibliography{refs}\n\\printindex\n"
        u8"\\end{document}\n");
  ASSERT_EQ(0, Run("--pdf main.tex")) << errors_;
  EXPECT_EQ((Lines{"uplatex main.tex", "mendex -U main", "upbibtex main", "uplatex main.tex",
                   "uplatex main.tex", "dvipdfmx main.dvi"}),
            Actions());
  EXPECT_EQ(
      "uplatexを使います（文書クラスのオプション uplatex）．\n"
      "main.dvi を作りました（uplatex 3回，mendex 1回，upbibtex 1回，T秒）．\n"
      "main.pdf を作りました（dvipdfmx 1回，T秒）．\n",
      test::WithoutTimes(errors_));
  EXPECT_TRUE(Holds("main.bbl", u8"髙橋") && Holds("main.bbl", u8"\U00020BB7野"));
  EXPECT_TRUE(Holds("main.ind", u8"髙橋"));
  EXPECT_FALSE(Holds("main.log", "undefined"));
}

TEST_F(EngineDocument, EachDocumentIsBuiltWithTheEngineItNames) {
  struct Case {
    const char* stem;
    std::string source;
    Lines actions;
    std::string told;
  };
  const std::string body = "\\begin{document}\n本文\n\\end{document}\n";
  const std::string made_pdf = "はPDFを直接作るので，DVI→PDFの変換はいりません．\n";
  const std::string converted = "を作りました（dvipdfmx 1回，T秒）．\n";
  const Case cases[] = {
      {"class",
       "\\documentclass{ujarticle}\n" + body,
       {"uplatex class.tex", "dvipdfmx class.dvi"},
       "uplatexを使います（文書クラス ujarticle）．\nclass.dvi を作りました（uplatex 1回，T秒）．\n"
       "class.pdf " +
           converted},
      {"hashbang",
       "%#!uplatex\n\\documentclass{jlreq}\n" + body,
       {"uplatex hashbang.tex", "dvipdfmx hashbang.dvi"},
       "uplatexを使います（hashbang.texのコメント「%#!uplatex」）．\n"
       "hashbang.dvi を作りました（uplatex 1回，T秒）．\nhashbang.pdf " +
           converted},
      {"program",
       "% !TEX program = pdflatex\n\\documentclass{article}\n"
       "\\begin{document}\nText\n\\end{document}\n",
       {"pdflatex program.tex"},
       "pdflatexを使います（program.texのコメント「% !TEX program = pdflatex」）．\n"
       "program.pdf を作りました（pdflatex 1回，T秒）．\npdflatex" +
           made_pdf},
      {"xe",
       "\\documentclass{article}\n\\usepackage{zxjatype}\n" + body,
       {"xelatex xe.tex"},
       "xelatexを使います（パッケージ zxjatype）．\nxe.pdf を作りました（xelatex 1回，T秒）．\n"
       "xelatex" +
           made_pdf},
  };
  for (const Case& document : cases) {
    const std::string stem = document.stem;
    Write(stem + ".tex", vklib::AnsiToUtf8(document.source));
    ASSERT_EQ(0, Run("--pdf " + stem + ".tex")) << stem << errors_;
    EXPECT_EQ(document.actions, Actions()) << stem;
    EXPECT_EQ(document.told, test::WithoutTimes(errors_)) << stem;
    EXPECT_TRUE(Exists(stem + ".pdf")) << stem;
  }
}

TEST_F(EngineDocument, ALuaLaTeXDocumentGetsItsBiblatexBibliographyFromBiber) {
  Write("refs.bib", "@book{a, author={Aoki, Taro}, title={One}, publisher={P}, year=2001}\n");
  Write("main.tex", vklib::AnsiToUtf8("\\documentclass{ltjsarticle}\n"
                                      "\\usepackage[backend=biber]{biblatex}\n"
                                      "\\addbibresource{refs.bib}\n\\begin{document}\n"
                                      "本文\\cite{a}．\n\\printbibliography\n\\end{document}\n"));
  ASSERT_EQ(0, Run("--pdf main.tex")) << errors_;
  EXPECT_EQ((Lines{"lualatex main.tex", "biber main", "lualatex main.tex", "lualatex main.tex"}),
            Actions());
  EXPECT_EQ(
      "lualatexを使います（文書クラス ltjsarticle）．\n"
      "main.pdf を作りました（lualatex 3回，biber 1回，T秒）．\n"
      "lualatexはPDFを直接作るので，DVI→PDFの変換はいりません．\n",
      test::WithoutTimes(errors_));
  EXPECT_TRUE(Holds("main.bbl", "Aoki"));
  EXPECT_FALSE(Holds("main.log", "undefined"));
  EXPECT_TRUE(Exists("main.pdf"));
}

}  // namespace
