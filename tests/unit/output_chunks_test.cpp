#include "build/output_chunks.h"

#include <gtest/gtest.h>

namespace {

std::string ConvertPieces(std::initializer_list<std::string> pieces) {
  ChunkConverter converter;
  std::string text;
  for (const std::string& piece : pieces)
    text += converter.Convert(piece.data(), piece.size());
  return text;
}

TEST(ChunkConverter, EachKindOfLineEndGivesOneNewline) {
  EXPECT_EQ("a\nb\nc\nd", ConvertPieces({"a\r\nb\rc\nd"}));
  EXPECT_EQ("\n\n", ConvertPieces({"\r\r\n"}));
  EXPECT_EQ("a\n\nb", ConvertPieces({"a\n", "\nb"}));
}

TEST(ChunkConverter, PairsCutBetweenReadsAreJoined) {
  EXPECT_EQ("a\nb", ConvertPieces({"a\r", "\nb"}));
  EXPECT_EQ("a\n\nb", ConvertPieces({"a\r", "\rb"}));
  // "表" is 0x95 0x5C: its second byte must not be taken for a backslash or split off.
  EXPECT_EQ("x表y", ConvertPieces({"x\x95", "\x5Cy"}));
  EXPECT_EQ("表", ConvertPieces({"\x95", "\x5C", ""}));
}

TEST(ChunkConverter, ALeadByteTakesTheByteAfterItUnlessThatEndsTheLine) {
  EXPECT_EQ(std::string("\x81\x81") + "z", ConvertPieces({"\x81\x81z"}));
  // A line end is never a second byte: the lead byte stands alone.
  EXPECT_EQ(std::string("\x81\n") + "z", ConvertPieces({"\x81\rz"}));
  EXPECT_EQ(std::string("\x94\n") + "z", ConvertPieces({"\x94", "\r\nz"}));
  EXPECT_EQ(std::string("\x94\n") + "z", ConvertPieces({"\x94\n", "z"}));
}

TEST(ChunkConverter, LoneCrOrLeadByteAtTheVeryEndIsNotShown) {
  EXPECT_EQ("end", ConvertPieces({"end\r"}));
  EXPECT_EQ("end", ConvertPieces({"end\x95"}));
  EXPECT_EQ("", ConvertPieces({"\r"}));
}

TEST(ChunkConverter, HalfWidthKatakanaIsOneByte) {
  EXPECT_EQ("\xB1\n", ConvertPieces({"\xB1\r", "\n"}));
}

}  // namespace
