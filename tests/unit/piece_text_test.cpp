#include "bridge/piece_text.h"

#include <gtest/gtest.h>

#include "vklib/codepage.h"

namespace {

// The stream converted whole, then cut at every place into two pieces and into single bytes:
// each way must give the same text.
template <typename Converter>
std::string ConvertedEveryWay(const std::string& stream) {
  Converter whole;
  std::string expected = whole.Convert(stream);
  expected += whole.Finish();
  for (size_t cut = 0; cut <= stream.size(); ++cut) {
    Converter two;
    std::string text = two.Convert(stream.substr(0, cut));
    text += two.Convert(stream.substr(cut));
    EXPECT_EQ(expected, text + two.Finish()) << "cut at " << cut;
  }
  Converter bytes;
  std::string text;
  for (char byte : stream)
    text += bytes.Convert(std::string(1, byte));
  EXPECT_EQ(expected, text + bytes.Finish());
  return expected;
}

TEST(Utf8ToShiftJis, ConvertsUtf8PassesOtherBytesAndFlushesTheEnd) {
  const std::string nihongo = vklib::AnsiToUtf8("日本語");
  // Shift_JIS "あ" (a program writing Shift_JIS already), then a sequence cut off by the end.
  EXPECT_EQ("日本語 \x82\xA0 x\xE6\x97",
            ConvertedEveryWay<Utf8ToShiftJis>(nihongo + " \x82\xA0 x\xE6\x97"));
  // Forms that are no UTF-8: an overlong slash, a surrogate, a lone continuation byte.
  EXPECT_EQ("\xC0\xAF\xED\xA0\x80\x80!",
            ConvertedEveryWay<Utf8ToShiftJis>("\xC0\xAF\xED\xA0\x80\x80!"));
}

TEST(ShiftJisToUtf8, ConvertsWholeCharactersAndALoneLeadByteBecomesAQuestionMark) {
  EXPECT_EQ(vklib::AnsiToUtf8("x表?\n?"), ConvertedEveryWay<ShiftJisToUtf8>("x表\x81\n\x81"));
  // A pair the code page lacks (0x82 0x9C) does not change how the pair after it is read.
  ConvertedEveryWay<ShiftJisToUtf8>("\x82\x9C\x81\x62");
}

}  // namespace
