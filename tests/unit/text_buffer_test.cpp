#include "vklib/window/edit/text_buffer.h"

#include <gtest/gtest.h>

namespace vklib::window::edit {
namespace {

std::vector<std::string> Lines(const TextBuffer& buffer) {
  std::vector<std::string> lines;
  for (int32_t i = 0; i < buffer.LineCount(); ++i)
    lines.push_back(*buffer.Line(i));
  return lines;
}

TextBuffer WithText(std::string_view text, int32_t wrap = 0) {
  TextBuffer buffer;
  buffer.SetWrap(wrap);
  Position end;
  buffer.Insert({0, 0}, text, "\n", &end);
  return buffer;
}

TEST(TextBuffer, ANewBufferHoldsOneEmptyLine) {
  TextBuffer buffer;
  EXPECT_EQ(std::vector<std::string>{""}, Lines(buffer));
  EXPECT_EQ(nullptr, buffer.Line(1));
  EXPECT_EQ(nullptr, buffer.Line(-1));
  EXPECT_EQ(1, buffer.DisplayRowCount());
}

TEST(TextBuffer, TabsEndAtTheNextTabStop) {
  TextBuffer buffer = WithText(
      "\tx\n"
      "abc\tx\n"
      "abcd\tx");
  EXPECT_EQ(4, buffer.DisplayColumn({0, 1}));  // a tab at column 0 ends at 4
  EXPECT_EQ(4, buffer.DisplayColumn({1, 4}));  // at column 3 it ends at 4
  EXPECT_EQ(8, buffer.DisplayColumn({2, 5}));  // at column 4 it ends at 8
  buffer.SetTabWidth(8);
  EXPECT_EQ(8, buffer.DisplayColumn({0, 1}));
  buffer.SetTabWidth(0);
  EXPECT_EQ(1, buffer.TabWidth());
}

TEST(TextBuffer, ADoubleByteCharacterTakesTwoColumns) {
  TextBuffer buffer = WithText("a表b");
  EXPECT_EQ(3, buffer.DisplayColumn({0, 3}));
  EXPECT_EQ(4, buffer.WidestLine());
}

TEST(TextBuffer, InsertingSeveralPiecesSplitsTheLine) {
  TextBuffer buffer = WithText("XY");
  Position end;
  ASSERT_TRUE(buffer.Insert({0, 1}, "a\nb\nc", "\n", &end));
  EXPECT_EQ((std::vector<std::string>{"Xa", "b", "cY"}), Lines(buffer));
  EXPECT_EQ((Position{2, 1}), end);
}

TEST(TextBuffer, AnotherSeparatorIsMatchedAsAWhole) {
  TextBuffer buffer;
  Position end;
  ASSERT_TRUE(buffer.Insert({0, 0}, "a\r\nb\nc", "\r\n", &end));
  EXPECT_EQ((std::vector<std::string>{"a", "b\nc"}), Lines(buffer));
}

TEST(TextBuffer, InsertingOutsideTheTextFails) {
  TextBuffer buffer = WithText("ab");
  Position end{7, 7};
  EXPECT_FALSE(buffer.Insert({1, 0}, "x", "\n", &end));
  EXPECT_FALSE(buffer.Insert({0, 3}, "x", "\n", &end));
  EXPECT_EQ((Position{7, 7}), end);
  EXPECT_EQ(std::vector<std::string>{"ab"}, Lines(buffer));
}

TEST(TextBuffer, DeletingAcrossLinesJoinsThemAndReturnsTheText) {
  TextBuffer buffer = WithText("Xa\nb\ncY");
  std::optional<std::string> removed = buffer.Delete({2, 1}, {0, 1});
  ASSERT_TRUE(removed);
  EXPECT_EQ("a\nb\nc", *removed);
  EXPECT_EQ(std::vector<std::string>{"XY"}, Lines(buffer));
  EXPECT_FALSE(buffer.Delete({0, 0}, {3, 0}));
}

TEST(TextBuffer, TextForTheClipboardJoinsLinesWithCrLf) {
  TextBuffer buffer = WithText("one\ntwo\nthree");
  EXPECT_EQ("ne\r\ntwo\r\nth", buffer.Text({2, 2}, {0, 1}));
  EXPECT_EQ("w", buffer.Text({1, 1}, {1, 2}));
}

TEST(TextBuffer, WrappingNeverSplitsADoubleByteCharacter) {
  TextBuffer buffer = WithText(std::string(79, 'a') + "表" + "b", 80);
  ASSERT_EQ(2, buffer.DisplayRowCount());
  EXPECT_EQ(79, buffer.GetDisplayRow(0).length);
  DisplayRow second = buffer.GetDisplayRow(1);
  EXPECT_EQ(79, second.start);
  EXPECT_EQ(3, second.length);
  EXPECT_EQ(1, buffer.RowOf({0, 79}));
  EXPECT_EQ(0, buffer.DisplayColumn({0, 79}));
}

TEST(TextBuffer, WrappingCutsAtTheWrapColumnAndKeepsEmptyLines) {
  TextBuffer buffer = WithText(std::string(160, 'a') + "\n\nb", 80);
  ASSERT_EQ(4, buffer.DisplayRowCount());
  EXPECT_EQ(80, buffer.GetDisplayRow(1).start);
  EXPECT_EQ(1, buffer.GetDisplayRow(2).line);
  EXPECT_EQ(0, buffer.GetDisplayRow(2).length);
  EXPECT_EQ(2, buffer.GetDisplayRow(3).line);
}

TEST(TextBuffer, RowsFollowChangesInTheMiddle) {
  TextBuffer buffer = WithText("a\nb\nc", 4);
  Position end;
  buffer.Insert({1, 1}, "12345678\nz", "\n", &end);
  // a / b123 / 4567 / 8 / z / c
  ASSERT_EQ(6, buffer.DisplayRowCount());
  EXPECT_EQ(2, buffer.GetDisplayRow(4).line);
  EXPECT_EQ(3, buffer.GetDisplayRow(5).line);
  buffer.Delete({1, 0}, {2, 1});
  // a / (empty) / c
  ASSERT_EQ(3, buffer.DisplayRowCount());
  EXPECT_EQ(2, buffer.GetDisplayRow(2).line);
  EXPECT_EQ("c", *buffer.Line(buffer.GetDisplayRow(2).line));
}

TEST(TextBuffer, RowsBeforeAChangeFollowItWhenItReachesBackOverARowEnd) {
  // An 81-column line loses its last character: its second row goes.
  TextBuffer buffer = WithText(std::string(81, 'a'), 80);
  ASSERT_EQ(2, buffer.DisplayRowCount());
  buffer.Delete({0, 80}, {0, 81});
  EXPECT_EQ(1, buffer.DisplayRowCount());
  EXPECT_EQ(80, buffer.GetDisplayRow(0).length);

  // A double-byte character that would have started at column 79 is on the second row; a
  // byte inserted in front of it fills the first row up.
  buffer = WithText(std::string(79, 'a') + "表b", 80);
  ASSERT_EQ(79, buffer.GetDisplayRow(0).length);
  Position end;
  buffer.Insert({0, 79}, "c", "\n", &end);
  EXPECT_EQ(80, buffer.GetDisplayRow(0).length);
  EXPECT_EQ(80, buffer.GetDisplayRow(1).start);
  EXPECT_EQ(2, buffer.DisplayRowCount());
}

TEST(TextBuffer, ColumnsMapBackInFrontOfTheCharacterThatCoversThem) {
  TextBuffer buffer = WithText("a表\tb");
  EXPECT_EQ(0, buffer.OffsetAtColumn(0, 0));
  EXPECT_EQ(1, buffer.OffsetAtColumn(0, 1));
  EXPECT_EQ(1, buffer.OffsetAtColumn(0, 2));  // never inside the double-byte character
  EXPECT_EQ(3, buffer.OffsetAtColumn(0, 3));  // the tab spans column 3
  EXPECT_EQ(4, buffer.OffsetAtColumn(0, 4));
  EXPECT_EQ(5, buffer.OffsetAtColumn(0, 99));
}

TEST(TextBuffer, CharacterStepsHonourDoubleByteCharacters) {
  TextBuffer buffer = WithText("a表b");
  EXPECT_EQ(1, buffer.NextCharOffset(0, 0));
  EXPECT_EQ(3, buffer.NextCharOffset(0, 1));
  EXPECT_EQ(1, buffer.PreviousCharOffset(0, 3));
  EXPECT_EQ(0, buffer.PreviousCharOffset(0, 1));
}

TEST(TextBuffer, ClearLeavesOneEmptyLine) {
  TextBuffer buffer = WithText("a\nb", 80);
  buffer.Clear();
  EXPECT_EQ(std::vector<std::string>{""}, Lines(buffer));
  EXPECT_EQ(1, buffer.DisplayRowCount());
}

}  // namespace
}  // namespace vklib::window::edit
