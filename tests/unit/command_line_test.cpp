#include "vklib/command_line.h"

#include <gtest/gtest.h>

#include "vklib/codepage.h"
#include "vklib/file.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheRulesOfWindowsPrograms) {
  EXPECT_EQ(Arguments{}, vklib::SplitCommandLine("  \t "));
  EXPECT_EQ((Arguments{"platex", "main.tex"}), vklib::SplitCommandLine(" platex \t main.tex "));
  EXPECT_EQ((Arguments{"C:\\Program Files\\x.exe", "a b", "c\"d"}),
            vklib::SplitCommandLine("\"C:\\Program Files\\x.exe\" \"a b\" \"c\"\"d\""));
  // Backslashes count only in front of a quote; the program's own name has no such rule.
  EXPECT_EQ((Arguments{"C:\\dir\\", "a\\\\b", "a\\\"b", "a\\b c", "d\"e"}),
            vklib::SplitCommandLine("\"C:\\dir\\\" a\\\\b a\\\\\\\"b \"a\\b c\" d\\\"e"));
  EXPECT_EQ((Arguments{"x", "unclosed rest"}), vklib::SplitCommandLine("x \"unclosed rest"));
  // Nothing a shell would read is special.
  EXPECT_EQ((Arguments{"platex", "a$(touch", "PWNED)`x`;|&*'.tex"}),
            vklib::SplitCommandLine("platex a$(touch PWNED)`x`;|&*'.tex"));
}

TEST(QuoteArgument, EveryArgumentReadsBackWhole) {
  for (std::string argument : {"main.tex", "my paper.tex", "", "a\"b", "C:\\dir\\", "tab\there",
                               "\\\"", "表 x\\", "ソ表"}) {
    std::string line = "tool " + vklib::QuoteArgument(argument) + " next";
    EXPECT_EQ((Arguments{"tool", vklib::AnsiToUtf8(argument), "next"}),
              vklib::SplitCommandLine(vklib::AnsiToUtf8(line)))
        << line;
  }
  EXPECT_EQ("main.tex", vklib::QuoteArgument("main.tex"));
  // "ソ" and "表" end in the byte of "\": no backslash is doubled for them.
  EXPECT_EQ("\"ソ 表\"", vklib::QuoteArgument("ソ 表"));
}

TEST(FileOperand, NoToolTakesAFileForAnOptionAndCmdReadsNoNameAsCommands) {
  const std::string dot = std::string(".") + vklib::kPathSeparator;
  std::string operand;
  ASSERT_TRUE(vklib::FileOperand("platex", "-cnf-line=shell_escape=t.tex", operand));
  EXPECT_EQ(dot + "-cnf-line=shell_escape=t.tex", operand);
  ASSERT_TRUE(vklib::FileOperand("platex", "a&b 100%.tex", operand));
  EXPECT_EQ("\"a&b 100%.tex\"", operand);
  // cmd reads the command line of a batch file: every name stands between quotes there.
  for (const char* program : {"ps2pdf.bat", "C:\\Program Files\\gs\\PS2PDF.CMD",
                              "\"C:\\gs\\ps2pdf.bat\" -q", "conv.cmd"}) {
    ASSERT_TRUE(vklib::FileOperand(program, "main.ps", operand)) << program;
    EXPECT_EQ("\"main.ps\"", operand);
  }
  ASSERT_TRUE(vklib::FileOperand("ps2pdf.bat", "-x&y.ps", operand));
  EXPECT_EQ("\"" + dot + "-x&y.ps\"", operand);
  // It expands "%" and "!" even there.
  EXPECT_FALSE(vklib::FileOperand("ps2pdf.bat", "100%.ps", operand));
  EXPECT_FALSE(vklib::FileOperand("ps2pdf.bat", "hi!.ps", operand));
  EXPECT_TRUE(vklib::FileOperand("batch.exe", "100%.ps", operand));
}

TEST(ProgramArgument, IsQuotedForABatchFileWhenCmdWouldCutOrRunIt) {
  EXPECT_EQ("210mm,297mm", vklib::ProgramArgument("dvipdfmx", "210mm,297mm"));
  EXPECT_EQ("\"210mm,297mm\"", vklib::ProgramArgument("conv.bat", "210mm,297mm"));
  EXPECT_EQ("a4", vklib::ProgramArgument("conv.bat", "a4"));
  // "ポ" ends in the byte of "|": a character, not cmd's pipe.
  EXPECT_EQ("ポ", vklib::ProgramArgument("conv.bat", "ポ"));
  EXPECT_EQ("\"a|b\"", vklib::ProgramArgument("conv.bat", "a|b"));
}

}  // namespace
