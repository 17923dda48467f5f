#include "vklib/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/test_support.h"

namespace vklib {
namespace {

// "日本語のテキスト：表示ソ" in each encoding; two of its characters end in the byte of "\".
const std::string kShiftJis = "日本語のテキスト：表示ソ";
const std::string kEucJp =
    "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8\xA1\xA7\xC9\xBD\xBC\xA8\xA5"
    "\xBD";
const std::string kIsoJp =
    "\x1B\x24\x42\x46\x7C\x4B\x5C\x38\x6C\x24\x4E\x25\x46\x25\x2D\x25\x39\x25\x48\x21\x27\x49\x3D"
    "\x3C\x28\x25\x3D\x1B\x28\x42";
const std::string kUtf8 =
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83"
    "\x88\xEF\xBC\x9A\xE8\xA1\xA8\xE7\xA4\xBA\xE3\x82\xBD";
const std::string kUtf16Le = std::string(
    "\xE5\x65\x2C\x67\x9E\x8A\x6E\x30\xC6\x30\xAD\x30\xB9\x30\xC8\x30\x1A\xFF\x68\x88\x3A\x79\xBD"
    "\x30",
    24);

std::string Utf16Le(const std::string& ascii) {
  std::string wide;
  for (char c : ascii)
    wide += std::string{c, '\0'};
  return wide;
}

std::string Swapped(const std::string& utf16) {
  std::string swapped = utf16;
  for (size_t i = 0; i + 1 < swapped.size(); i += 2)
    std::swap(swapped[i], swapped[i + 1]);
  return swapped;
}

class TextFileTest : public ::testing::Test {
 protected:
  // Writes a file and reads it back line by line with a buffer of `size` bytes.
  std::vector<std::string> Lines(const std::string& bytes, size_t size = 4096) {
    std::string path = dir_.File("text.tex");
    test::WriteFile(path, bytes);
    file_.Close();
    EXPECT_TRUE(file_.Open(path));
    std::vector<std::string> lines;
    std::vector<char> buffer(size + 16, '\x7F');
    while (size_t length = file_.ReadLine(buffer.data(), size)) {
      EXPECT_LE(length + 1, size);
      EXPECT_EQ('\0', buffer[length]);
      for (size_t i = size; i < buffer.size(); ++i)
        EXPECT_EQ('\x7F', buffer[i]) << "overrun";
      lines.emplace_back(buffer.data(), length);
    }
    return lines;
  }

  test::TempDir dir_;
  TextFile file_;
};

TEST_F(TextFileTest, ShiftJisWithCrLf) {
  EXPECT_EQ((std::vector<std::string>{"\\documentclass{jarticle}\n", kShiftJis + "\n", "end"}),
            Lines("\\documentclass{jarticle}\r\n" + kShiftJis + "\r\nend"));
  EXPECT_EQ(kEncodingShiftJis, file_.Code());
  EXPECT_EQ(kLineEndCrLf, file_.LineEnd());
}

TEST_F(TextFileTest, ShiftJisWithLoneCrLikeAClassicMac) {
  EXPECT_EQ((std::vector<std::string>{"a\n", kShiftJis + "\n", "b\n"}),
            Lines("a\r" + kShiftJis + "\rb\r"));
  EXPECT_EQ(kLineEndCr, file_.LineEnd());
}

TEST_F(TextFileTest, EucJpIncludingBothSingleShifts) {
  // 0x8E: half-width katakana; 0x8F: a JIS X 0212 character, read as the JIS X 0208 one at
  // the same row and cell (B0 A1 is 亜).
  EXPECT_EQ((std::vector<std::string>{kShiftJis + "\n", "\xB1\xB2\xB3\n", "亜x\n"}),
            Lines(kEucJp + "\n\x8E\xB1\x8E\xB2\x8E\xB3\n\x8F\xB0\xA1x\n"));
  EXPECT_EQ(kEncodingEucJp, file_.Code());
}

TEST_F(TextFileTest, Iso2022JpWithEscapeSequences) {
  EXPECT_EQ((std::vector<std::string>{"a" + kShiftJis + "b\n", "c"}),
            Lines("a" + kIsoJp + "b\r\nc"));
  EXPECT_EQ(kEncodingIso2022Jp, file_.Code());
}

TEST_F(TextFileTest, ALineEndInsideATwoByteRunReturnsToOneByteMode) {
  // "あ" in two-byte mode, then after the line end the same bytes read as ASCII.
  EXPECT_EQ((std::vector<std::string>{"あ\n", "$\"\n"}), Lines("\x1B$B$\"\n$\"\x1B(B\n"));
}

TEST_F(TextFileTest, Utf8WithAndWithoutMark) {
  EXPECT_EQ((std::vector<std::string>{kShiftJis + "\n", "x"}), Lines(kUtf8 + "\nx"));
  EXPECT_EQ(kEncodingUtf8, file_.Code());
  EXPECT_EQ((std::vector<std::string>{kShiftJis + "\n", "x"}),
            Lines("\xEF\xBB\xBF" + kUtf8 + "\r\nx"));
  EXPECT_EQ(kEncodingUtf8Mark, file_.Code());
}

TEST_F(TextFileTest, ACharacterThatShiftJisLacksBecomesOneDefaultCharacter) {
  // U+0E01, a Thai letter.
  EXPECT_EQ(std::vector<std::string>{"a?b\n"}, Lines("\xEF\xBB\xBF"
                                                     "a\xE0\xB8\x81"
                                                     "b\n"));
  EXPECT_EQ(std::vector<std::string>{"a?b\n"},
            Lines("\xFF\xFE" + Utf16Le("a") + "\x01\x0E" + Utf16Le("b\n")));
}

TEST_F(TextFileTest, Utf16LittleAndBigEndianWithMark) {
  std::string le = "\xFF\xFE" + kUtf16Le + Utf16Le("\r\nx");
  EXPECT_EQ((std::vector<std::string>{kShiftJis + "\n", "x"}), Lines(le));
  EXPECT_EQ(kEncodingUtf16LeMark, file_.Code());
  std::string be = "\xFE\xFF" + Swapped(kUtf16Le + Utf16Le("\r\nx"));
  EXPECT_EQ((std::vector<std::string>{kShiftJis + "\n", "x"}), Lines(be));
  EXPECT_EQ(kEncodingUtf16BeMark, file_.Code());
}

TEST_F(TextFileTest, AShortCrLfFileIsTakenForShiftJisAtOnce) {
  // "\xC3\xA9" is "é" in UTF-8 and two half-width katakana in Shift_JIS; it also passes the
  // EUC-JP test. A short CR LF file is trusted as Shift_JIS before either test.
  std::string line = "\xC3\xA9\r\n";
  Lines(line + line);
  EXPECT_EQ(kEncodingShiftJis, file_.Code());
  std::string longer;
  while (longer.size() <= 4096)
    longer += line;
  Lines(longer);
  EXPECT_EQ(kEncodingUtf8, file_.Code());
  Lines("\xC3\xA9\n\xC3\xA9\n");
  EXPECT_EQ(kEncodingUtf8, file_.Code());
}

TEST_F(TextFileTest, EucJpUnlessTheSampleIsAlsoValidUtf8) {
  // The same bytes pass the EUC-JP test; only the UTF-8 test tells them apart.
  Lines(kEucJp + "\n");
  EXPECT_EQ(kEncodingEucJp, file_.Code());
  Lines(kUtf8 + "\n");
  EXPECT_EQ(kEncodingUtf8, file_.Code());
}

TEST(TextFileDetect, ShortSamplesAndSpecialForms) {
  TextFile file;
  const unsigned char mark[] = {0xEF, 0xBB, 0xBF, '\n'};
  file.Detect(mark, 4);
  EXPECT_EQ(kEncodingShiftJis, file.Code());  // four bytes or fewer: no mark is recognised
  EXPECT_EQ(kLineEndLf, file.LineEnd());
  const unsigned char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
  file.Detect(digits, 32);
  EXPECT_EQ(kEncodingDigitsAtoV, file.Code());
  const unsigned char utf32[] = {0xFF, 0xFE, 0x00, 0x00, 'a', 0, 0, 0};
  file.Detect(utf32, 8);
  EXPECT_EQ(kEncodingUtf32LeMark, file.Code());
  const unsigned char ascii[] = "plain text\r\n";
  file.Detect(ascii, 12);
  EXPECT_EQ(kEncodingShiftJis, file.Code());
  EXPECT_EQ(kLineEndCrLf, file.LineEnd());
}

TEST(TextFileDetect, TheQuickAnswerAboutAsciiRunsIsAlwaysDetections) {
  std::vector<std::string> samples = {kShiftJis, kEucJp, kEucJp + "\x8E\xB1", kIsoJp, kUtf8};
  for (const char* special : {"", "ab", "plain \x1B text", "\x1B$)C korean", "0123456789ABCDEF"})
    samples.push_back(special);
  samples.push_back("\xEF\xBB\xBF" + kUtf8);
  samples.push_back("\xFF\xFE" + kUtf16Le);
  samples.push_back(std::string("\xFE\xFF\0a", 4));
  // Each of them after ASCII, long and short, and bytes of every kind in random runs.
  for (size_t i = 0, known = samples.size(); i < known; ++i) {
    samples.push_back(std::string(5000, 'x') + samples[i]);
    samples.push_back(std::string(20000, 'x') + samples[i]);
  }
  uint32_t seed = 7;
  for (int n = 0; n < 400; ++n) {
    std::string sample;
    const unsigned low = n % 4 == 0 ? 0x80 : 0x00, span = n % 3 == 0 ? 0x80 : 0x100;
    for (int length = n * 7 % 300; length > 0; --length) {
      seed = seed * 1103515245 + 12345;
      sample += static_cast<char>(low + (seed >> 16) % span);
    }
    samples.push_back(sample);
  }
  for (const std::string& sample : samples) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(sample.data());
    TextFile detected;
    detected.Detect(bytes, std::min<size_t>(sample.size(), 16384));
    EXPECT_EQ(detected.KeepsAsciiRuns(), TextFile::SampleKeepsAsciiRuns(bytes, sample.size()))
        << testing::PrintToString(sample.substr(0, 40));
  }
}

TEST_F(TextFileTest, LongLinesComeInPiecesWithTheLineEndOnlyOnTheLast) {
  for (const std::string& encoding : {std::string("sjis"), std::string("utf8")}) {
    std::string line(10000, 'a');
    std::string bytes = line + "\n" + "next\n";
    if (encoding == "utf8") bytes = "\xEF\xBB\xBF" + bytes;
    std::vector<std::string> pieces = Lines(bytes);
    ASSERT_GE(pieces.size(), 4u) << encoding;
    std::string joined;
    for (size_t i = 0; i + 1 < pieces.size(); ++i) {
      EXPECT_LE(pieces[i].size(), 4095u);
      EXPECT_EQ(i + 2 == pieces.size(), pieces[i].back() == '\n') << encoding << " piece " << i;
      joined += pieces[i];
    }
    EXPECT_EQ(line + "\n", joined);
    EXPECT_EQ("next\n", pieces.back());
  }
}

TEST_F(TextFileTest, APieceNeverEndsInsideADoubleByteCharacter) {
  std::string line, utf8_line;
  for (int i = 0; i < 3000; ++i) {
    line += "表";
    utf8_line += "\xE8\xA1\xA8";
  }
  for (const std::string& bytes :
       {"x" + line + "\r\n", "x" + line + "\r", "\xEF\xBB\xBFx" + utf8_line + "\n"}) {
    std::string joined;
    for (const std::string& piece : Lines(bytes, 101)) {
      size_t i = 0;
      while (i < piece.size())
        i += piece[i] == 'x' || piece[i] == '\n' ? 1 : 2;
      EXPECT_EQ(piece.size(), i);
      joined += piece;
    }
    EXPECT_EQ("x" + line + "\n", joined);
  }
}

TEST_F(TextFileTest, EucJpPiecesKeepTheirCharactersWhole) {
  std::string euc;
  for (int i = 0; i < 500; ++i)
    euc += kEucJp;
  std::string expected;
  for (int i = 0; i < 500; ++i)
    expected += kShiftJis;
  std::string joined;
  for (const std::string& piece : Lines("x" + euc + "\n", 64))
    joined += piece;
  EXPECT_EQ("x" + expected + "\n", joined);
}

TEST_F(TextFileTest, ReadBlockCrossesLineEnds) {
  std::string path = dir_.File("block.tex");
  test::WriteFile(path, kEucJp + "\n" + kEucJp + "\n");
  ASSERT_TRUE(file_.Open(path));
  char buffer[4096];
  size_t length = file_.ReadBlock(buffer, sizeof buffer);
  // A line end is a character of its own: the two-byte character after it stays whole.
  EXPECT_EQ(kShiftJis + "\n" + kShiftJis + "\n", std::string(buffer, length));
  EXPECT_EQ(0u, file_.ReadBlock(buffer, sizeof buffer));
}

TEST_F(TextFileTest, TruncatedCharactersAtTheEndInventNothing) {
  EXPECT_EQ(std::vector<std::string>{"ab\x95"}, Lines("ab\x95"));  // Shift_JIS: the byte as it is
  // EUC-JP: the cut-off character is dropped; UTF-8: it becomes the default character.
  EXPECT_EQ((std::vector<std::string>{kShiftJis + "\n", "日"}),
            Lines(kEucJp + "\n" + kEucJp.substr(0, 3)));
  EXPECT_EQ((std::vector<std::string>{kShiftJis + "\n", "日?"}),
            Lines(kUtf8 + "\n" + kUtf8.substr(0, 4)));
}

TEST_F(TextFileTest, ALineEndIsNeverTheSecondByteOfACharacter) {
  using Lines_ = std::vector<std::string>;
  // CP1252's "à" (0xE0) is a Shift_JIS lead byte: it stands alone, kept as it is.
  EXPECT_EQ((Lines_{"% voil\xE0\n", "\\input{chap}\n"}), Lines("% voil\xE0\r\n\\input{chap}\r\n"));
  EXPECT_EQ(kEncodingShiftJis, file_.Code());
  EXPECT_EQ((Lines_{"a\x94\n", "b\n"}), Lines("a\x94\rb\r"));  // the lone-CR reader
  // EUC-JP and ISO-2022-JP drop the cut-off character, as at the end of the file.
  EXPECT_EQ((Lines_{kShiftJis + "\n", "a\n", "b\n", "c\n"}), Lines(kEucJp + "\na\xC6\nb\x8E\nc\n"));
  EXPECT_EQ((Lines_{"あ\n", "b\n", "c"}), Lines("\x1B$B$\"$\nb\x1B\nc"));
}

TEST_F(TextFileTest, ANulByteStaysInItsLine) {
  EXPECT_EQ((std::vector<std::string>{std::string("a\0b\n", 4), "c"}),
            Lines(std::string("a\0b\r\nc", 6)));
}

TEST_F(TextFileTest, BinaryGarbageIsReadToTheEndWithinTheBuffer) {
  std::string garbage;
  unsigned state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1103515245 + 12345;
    garbage += static_cast<char>(state >> 16);
  }
  for (const std::string& prefix : {std::string(), std::string("\xFF\xFE"), std::string("\xFE\xFF"),
                                    std::string("\xEF\xBB\xBF"), std::string("\x1B$B")}) {
    for (size_t size : {4096u, 4095u, 7u, 4u, 3u})
      Lines(prefix + garbage, size);
  }
}

TEST_F(TextFileTest, OneLineOfAHundredThousandBytes) {
  std::string line(100000, 'x');
  std::string joined;
  for (const std::string& piece : Lines(line))
    joined += piece;
  EXPECT_EQ(line, joined);
}

TEST_F(TextFileTest, OpenFailsForMissingFilesAndTwice) {
  EXPECT_FALSE(file_.Open(""));
  EXPECT_FALSE(file_.Open(dir_.File("missing.tex")));
  std::string path = dir_.File("a.tex");
  test::WriteFile(path, "a");
  ASSERT_TRUE(file_.Open(path));
  EXPECT_FALSE(file_.Open(path));
  file_.Close();
  EXPECT_EQ(nullptr, file_.Reader());
  EXPECT_TRUE(file_.Open(path));
}

}  // namespace
}  // namespace vklib
