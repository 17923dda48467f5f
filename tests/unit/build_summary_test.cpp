// The closing lines of a build, from logs TeX Live wrote (tests/unit/tex_logs), and the places
// that lines of the pane name.
#include <gtest/gtest.h>

#include "build/build_summary.h"
#include "build/source_location.h"
#include "build/tex_log.h"
#include "support/test_support.h"
#include "texsource/paths.h"

namespace {

using Lines = std::vector<std::string>;

TeXLog Log(const std::string& name) {
  TeXLog log;
  EXPECT_TRUE(ReadTeXLogFile(test::SourceFile("tests/unit/tex_logs/" + name), log));
  return log;
}

Lines WithoutTimes(const Lines& lines) {
  Lines masked;
  for (const std::string& line : lines)
    masked.push_back(test::WithoutTimes(line));
  return masked;
}

TEST(ClosingLines, ErrorsComeWithTheirFilesRelativeToTheDocumentThenNotesThenWarnings) {
  StepTally tally;
  tally.Ran("platex main.tex");
  tally.Ran(JoinPath(JoinPath("texlive", "bin"), "pbibtex.exe") + " main");
  tally.Ran("platex main.tex");
  EXPECT_EQ((Lines{"エラーがありました（platex 2回，pbibtex 1回，T秒）．",
                   "chapters/chap2.tex:3: Undefined control sequence.",
                   "my part.tex:2: Undefined control sequence.", "a note of the build",
                   "対処が必要な警告が2個あります（未定義の参照1個，未定義の引用1個）．"}),
            WithoutTimes(
                TeXClosingLines(Log("include-error.log"), false, tally, {"a note of the build"})));
}

TEST(ClosingLines, ASuccessTellsWhatTeXWroteAndARerunLeftOver) {
  StepTally tally;
  tally.Ran("platex \"my paper.tex\"");
  EXPECT_EQ((Lines{"my paper.dvi を作りました（platex 1回，T秒）．",
                   "対処が必要な警告が2個あります（未定義の参照1個，再実行の指示1個）．"}),
            WithoutTimes(TeXClosingLines(Log("rerun.log"), false, tally, {})));
  // A LaTeX run that failed is no success, whatever an earlier run wrote.
  EXPECT_EQ("エラーがありました（platex 1回，T秒）．",
            test::WithoutTimes(TeXClosingLines(Log("rerun.log"), true, tally, {}).front()));
}

TEST(SourceLocation, IsTheFileAndTheLineAtTheStartOfALine) {
  SourceLocation at;
  ASSERT_TRUE(ParseLocation("chapters/chap2.tex:3: Undefined control sequence.", at));
  EXPECT_EQ("chapters/chap2.tex", at.file);
  EXPECT_EQ(3, at.line);
  ASSERT_TRUE(ParseLocation("C:\\my doc\\第1章.tex:120: LaTeX Error: x:1: y", at));
  EXPECT_EQ("C:\\my doc\\第1章.tex", at.file);
  EXPECT_EQ(120, at.line);
  for (const char* none : {"コマンド : platex main.tex", "main.tex:0: x", "main.tex:3 x", ":3: x",
                           "main.tex:12345678901: x", "l.3 \\foo"}) {
    EXPECT_FALSE(ParseLocation(none, at)) << none;
  }
}

}  // namespace
