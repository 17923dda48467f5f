#include "vklib/codepage.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

namespace vklib {
namespace {

TEST(CodePage, TheAnsiCodePageIsShiftJis) {
  EXPECT_EQ(932u, GetAnsiCodePage());
  EXPECT_TRUE(IsCodePageInstalled(932));
  EXPECT_TRUE(IsCodePageInstalled(65001));
}

TEST(CodePage, LeadBytesAreThoseOfShiftJis) {
  int leads = 0;
  for (int byte = 0; byte < 256; ++byte) {
    bool expected = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    EXPECT_EQ(expected, IsLeadByte(static_cast<unsigned char>(byte))) << byte;
    leads += expected;
  }
  EXPECT_EQ(60, leads);
}

TEST(CodePage, LowerCasingLeavesTrailBytesAlone) {
  // "ソ" ends in 0x5C and "ア" in 0x41 ('A'): neither may change.
  std::string text = "ABC ソア Ｘ xyz";
  LowerCaseAnsi(text);
  EXPECT_EQ("abc ソア ｘ xyz", text);
}

TEST(CodePage, ConversionsRoundTrip) {
  std::u16string wide;
  ASSERT_TRUE(MultiByteToWide(kCodePageUtf8, "\xE8\xA1\xA8\xE7\xA4\xBA", wide));
  EXPECT_EQ(u"表示", wide);
  std::string ansi;
  ASSERT_TRUE(WideToAnsi(wide, ansi));
  EXPECT_EQ("表示", ansi);
  EXPECT_EQ("\xE8\xA1\xA8\xE7\xA4\xBA", AnsiToUtf8("表示"));
  EXPECT_EQ("表示", Utf8ToAnsi("\xE8\xA1\xA8\xE7\xA4\xBA"));
  ASSERT_TRUE(MultiByteToWide(kCodePageAnsi, "ｱ表", wide));
  EXPECT_EQ(u"\uFF71表", wide);
}

TEST(CodePage, UnmappableCharactersBecomeTheDefaultCharacter) {
  std::string ansi;
  ASSERT_TRUE(WideToAnsi(u"a\u0E01b", ansi));  // a Thai letter: not in code page 932
  EXPECT_EQ("a?b", ansi);
}

TEST(CodePage, TheTableConversionsGiveWhatTheSlowOnesGive) {
  // Text of every kind: well-formed characters of one to four bytes, broken and cut sequences,
  // overlong forms, surrogates in UTF-8 and in UTF-16, lone and paired.
  const std::string pieces[] = {"a",
                                "\n",
                                "\xC3\xA9",
                                "\xE8\xA1\xA8",
                                "\xEF\xBD\xB1",
                                "\xF0\x9F\x98\x80",
                                "\xE6\x97",
                                "\xC0\xAF",
                                "\xED\xA0\x80",
                                "\x80",
                                "\xBF\xBF",
                                "\xF8\x88\x80\x80\x80",
                                "\xFF",
                                "\xE0\x80\x80",
                                "\xC2\xA5",
                                "\xE0\xB8\x81",
                                "\0"};
  const char16_t units[] = {u'a',   u'\n',  0x3042, 0xFF71, 0x0E01, 0xD83D, 0xDE00,
                            0xDC00, 0xD800, 0xFFFD, 0x00A5, 0x2014, 0x0000};
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::string utf8;
    std::u16string wide;
    for (int i = 0; i < 12; ++i) {
      utf8 += pieces[random() % std::size(pieces)];
      wide += units[random() % std::size(units)];
    }
    std::string slow, fast;
    MultiByteToAnsi(kCodePageUtf8, utf8, slow);
    AppendUtf8AsAnsi(utf8, fast);
    ASSERT_EQ(slow, fast) << round;
    WideToAnsi(wide, slow);
    fast.clear();
    AppendWideAsAnsi(wide, fast);
    ASSERT_EQ(slow, fast) << round;
  }
}

TEST(CodePage, CharLengthStepsOverPairs) {
  EXPECT_EQ(2u, CharLength("表", 0));
  EXPECT_EQ(1u, CharLength("a", 0));
  EXPECT_EQ(1u, CharLength("\x95", 0));  // a lead byte without its trail byte
}

}  // namespace
}  // namespace vklib
