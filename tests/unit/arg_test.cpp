#include "app/arg.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

Arg Parsed(const std::string& text, bool expected = true) {
  Arg arg;
  arg.text = text;
  EXPECT_EQ(expected, arg.Parse()) << text;
  return arg;
}

TEST(Arg, BlankTextGivesNoArgument) {
  EXPECT_EQ(Lines{}, Parsed("").arguments);
  EXPECT_EQ(Lines{}, Parsed("    ").arguments);
}

TEST(Arg, BlanksSeparateTokensAndQuotesKeepThemTogether) {
  EXPECT_EQ((Lines{"a.tex", "b.tex"}), Parsed("a.tex    b.tex").arguments);
  EXPECT_EQ((Lines{"\"C:\\my doc\\a.tex\"", "b"}), Parsed("\"C:\\my doc\\a.tex\" b").arguments);
  EXPECT_EQ((Lines{"a\tb"}), Parsed("a\tb").arguments);  // a tab is no blank
}

TEST(Arg, ADoubleByteCharacterIsNeverAQuoteOrABlank) {
  // The second byte of "ア" is 0x41, of "＂" (0x81 0x68) none of them, of "\x81\x20"-like
  // pairs a blank: the pair stays in the token.
  EXPECT_EQ((Lines{"C:\\表示\\ア.tex"}), Parsed("C:\\表示\\ア.tex").arguments);
  EXPECT_EQ((Lines{"a\x81\x20"
                   "b"}),
            Parsed("a\x81\x20"
                   "b")
                .arguments);
  EXPECT_EQ((Lines{"a\x81\"b", "c"}), Parsed("a\x81\"b c").arguments);
}

TEST(Arg, EveryOptionIsUnknown) {
  Arg arg = Parsed("first.tex -x second.tex", false);
  EXPECT_EQ("xは知らないオプションです．", arg.error);
  EXPECT_EQ(Lines{"first.tex"}, arg.arguments);  // read before the error, but not to be opened
  EXPECT_EQ("helpは知らないオプションです．", Parsed("--help", false).error);
  EXPECT_EQ("表は知らないオプションです．", Parsed("-表 a.tex", false).error);
  EXPECT_FALSE(arg.short_options['x'].known);
}

TEST(CommandLineArguments, SkipTheProgramsOwnName) {
  EXPECT_EQ("a.tex b.tex", CommandLineArguments("pressel2.exe a.tex b.tex"));
  EXPECT_EQ(" a.tex", CommandLineArguments("\"C:\\Program Files\\pressel2.exe\"  a.tex"));
  EXPECT_EQ("", CommandLineArguments("\"C:\\Program Files\\pressel2.exe\""));
  EXPECT_EQ("", CommandLineArguments("pressel2.exe"));
}

}  // namespace
