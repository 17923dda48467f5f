#include "vklib/command_line.h"

#include <gtest/gtest.h>

#include "vklib/codepage.h"

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

}  // namespace
