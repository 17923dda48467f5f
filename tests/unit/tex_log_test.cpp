// TeX's logs as TeX Live wrote them (tests/unit/tex_logs, made by make-logs.sh there): the
// errors with their files and lines, the warnings to act on, and the file TeX wrote.
#include <gtest/gtest.h>

#include "build/tex_log.h"
#include "support/test_support.h"

namespace {

struct Expected {
  std::vector<TeXError> errors;
  size_t references = 0;
  size_t citations = 0;
  bool rerun = false;
  std::string output;
};

std::string Describe(const std::vector<TeXError>& errors) {
  std::string text;
  for (const TeXError& error : errors)
    text += error.file + "|" + std::to_string(error.line) + "|" + error.message + "\n";
  return text;
}

void ExpectLog(const std::string& name, const Expected& expected) {
  TeXLog log;
  ASSERT_TRUE(ReadTeXLogFile(test::SourceFile("tests/unit/tex_logs/" + name), log)) << name;
  EXPECT_EQ(Describe(expected.errors), Describe(log.errors)) << name;
  EXPECT_EQ(expected.references, log.undefined_references) << name;
  EXPECT_EQ(expected.citations, log.undefined_citations) << name;
  EXPECT_EQ(expected.rerun, log.rerun) << name;
  EXPECT_EQ(expected.output, log.output) << name;
}

TEST(TeXLog, AnErrorInAnIncludedChapterAndInAFileWithABlankHaveTheirFilesAndLines) {
  ExpectLog("include-error.log", {{{"./chapters/chap2.tex", 3, "Undefined control sequence."},
                                   {"./my part.tex", 2, "Undefined control sequence."}},
                                  1,
                                  1,
                                  false,
                                  "main.dvi"});
}

TEST(TeXLog, LinesTeXBrokeAt79ColumnsAreReadWhole) {
  const std::string environment =
      "定理環境でとても長い名前の環境を書いてみるとどうなるかを確かめるための文字列です";
  ExpectLog(
      "wrapped.log",
      {{{"./chapters/"
         "a-rather-long-chapter-file-name-that-makes-the-log-wrap-somewhere-near-here.tex",
         1, "Undefined control sequence."},
        {"./main.tex", 4, "LaTeX Error: Environment " + environment + " undefined."},
        {"./main.tex", 6, "LaTeX Error: \\begin{document} ended by \\end{" + environment + "}."}},
       0,
       0,
       false,
       "main.dvi"});
  // LuaTeX counts a line's UTF-8 bytes, XeTeX its characters.
  const std::string other =
      "環境環境でとても長い名前の環境を書いてみるとどうなるかを確かめるための"
      "文字列ですよね本当に";
  for (const std::string name : {"lualatex.log", "xelatex.log"}) {
    ExpectLog(name,
              {{{"./main.tex", 3, "LaTeX Error: Environment " + other + " undefined."},
                {"./main.tex", 5, "LaTeX Error: \\begin{document} ended by \\end{" + other + "}."}},
               0,
               0,
               false,
               "main.pdf"});
  }
}

TEST(TeXLog, AShiftJisLogGivesTheJapaneseMessage) {
  ExpectLog("sjis.log",
            {{{"./main.tex", 4, "LaTeX Error: Environment 定理 undefined."},
              {"./main.tex", 6, "LaTeX Error: \\begin{document} ended by \\end{定理}."}},
             0,
             0,
             false,
             "main.dvi"});
}

TEST(TeXLog, TheEmergencyStopBehindAnErrorIsNoErrorOfItsOwn) {
  ExpectLog("emergency-stop.log",
            {{{"./main.tex", 4, "Undefined control sequence."}}, 0, 0, false, ""});
}

TEST(TeXLog, ASuccessfulRunThatAsksForAnotherNamesItsOutputWithoutQuotes) {
  ExpectLog("rerun.log", {{}, 1, 0, true, "my paper.dvi"});
}

TEST(TeXLog, AMissingLogCannotBeRead) {
  TeXLog log;
  EXPECT_FALSE(ReadTeXLogFile(test::SourceFile("no-such.log"), log));
}

}  // namespace
