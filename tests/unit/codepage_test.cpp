#include "vklib/codepage.h"

#include <gtest/gtest.h>

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

TEST(CodePage, CharLengthStepsOverPairs) {
  EXPECT_EQ(2u, CharLength("表", 0));
  EXPECT_EQ(1u, CharLength("a", 0));
  EXPECT_EQ(1u, CharLength("\x95", 0));  // a lead byte without its trail byte
}

}  // namespace
}  // namespace vklib
