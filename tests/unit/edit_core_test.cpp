#include "vklib/window/edit/edit_core.h"

#include <gtest/gtest.h>

namespace vklib::window::edit {
namespace {

// A view that records what the control asks of it.
struct RecordingView : EditView {
  bool IsRedrawing() const override { return redrawing; }
  void UpdateScrollRanges() override { ++scroll_range_updates; }
  void Repaint(Position from, bool to_end_of_text) override {
    repaints.push_back({from, to_end_of_text});
  }
  void RepaintRows(Position, Position) override { ++row_repaints; }
  void RepaintAll() override { ++full_repaints; }
  void UpdateCaret() override { ++caret_updates; }
  void ScrollCaretIntoView() override { ++scrolls; }
  void TextAppended(Position from) override { appended_from.push_back(from); }

  bool redrawing = true;
  int scroll_range_updates = 0;
  std::vector<std::pair<Position, bool>> repaints;
  int row_repaints = 0;
  int full_repaints = 0;
  int caret_updates = 0;
  int scrolls = 0;
  std::vector<Position> appended_from;
};

std::string AllText(const EditCore& core) {
  return core.Buffer().Text({0, 0}, core.Buffer().End());
}

class EditCoreTest : public ::testing::Test {
 protected:
  RecordingView view_;
  EditCore core_{&view_};
};

TEST_F(EditCoreTest, InsertingAnEmptyTextRecordsNothing) {
  EXPECT_TRUE(core_.InsertText(""));
  EXPECT_EQ(0, core_.History().Count());
  EXPECT_TRUE(view_.repaints.empty());
}

TEST_F(EditCoreTest, InsertMovesTheCaretAndRepaintsTheChangedPart) {
  ASSERT_TRUE(core_.InsertText("ab"));
  EXPECT_EQ((Position{0, 2}), core_.Caret().caret);
  ASSERT_EQ(1u, view_.repaints.size());
  EXPECT_EQ((Position{0, 0}), view_.repaints[0].first);
  EXPECT_FALSE(view_.repaints[0].second);  // within one display row
  ASSERT_TRUE(core_.InsertText("c\nd"));
  EXPECT_TRUE(view_.repaints[1].second);  // a new line: to the end of the text
  EXPECT_EQ(2, core_.History().Count());
  EXPECT_EQ(2, view_.scroll_range_updates);
}

TEST_F(EditCoreTest, WithoutRedrawTheViewIsLeftAlone) {
  view_.redrawing = false;
  core_.InsertText("ab\ncd");
  core_.MoveCaretToEnd();
  EXPECT_TRUE(view_.repaints.empty());
  EXPECT_EQ(0, view_.caret_updates);
  EXPECT_EQ(0, view_.scroll_range_updates);
}

TEST_F(EditCoreTest, TypingReplacesANonEmptySelection) {
  core_.InsertText("hello world");
  core_.PressAt({0, 0});
  core_.ReleaseAt({0, 5});
  ASSERT_TRUE(core_.HasSelection());
  core_.InsertText("bye");
  EXPECT_EQ("bye world", AllText(core_));
  EXPECT_FALSE(core_.HasSelection());
}

TEST_F(EditCoreTest, AClickWithoutDragLeavesNoSelection) {
  core_.InsertText("abc");
  core_.PressAt({0, 1});
  core_.ReleaseAt({0, 1});
  EXPECT_FALSE(core_.HasSelection());
  EXPECT_FALSE(core_.Caret().has_selection);
  core_.InsertText("X");
  EXPECT_EQ("aXbc", AllText(core_));
}

TEST_F(EditCoreTest, DeleteForwardAndBackwardTakeWholeCharacters) {
  core_.InsertText("a表b");
  core_.PressAt({0, 1});
  core_.ReleaseAt({0, 1});
  ASSERT_TRUE(core_.DeleteForward());
  EXPECT_EQ("ab", AllText(core_));
  ASSERT_TRUE(core_.DeleteBackward());
  EXPECT_EQ("b", AllText(core_));
  EXPECT_FALSE(core_.DeleteBackward());  // at the start: nothing moves
  EXPECT_EQ("b", AllText(core_));
}

TEST_F(EditCoreTest, DeleteBackwardAtALineStartJoinsLines) {
  core_.InsertText("ab\ncd");
  core_.PressAt({1, 0});
  core_.ReleaseAt({1, 0});
  ASSERT_TRUE(core_.DeleteBackward());
  EXPECT_EQ("abcd", AllText(core_));
  EXPECT_EQ((Position{0, 2}), core_.Caret().caret);
}

TEST_F(EditCoreTest, OverwriteReplacesTheWholeCharacterAfterTheCaret) {
  core_.InsertText("a表b");
  core_.PressAt({0, 1});
  core_.ReleaseAt({0, 1});
  ASSERT_TRUE(core_.Overwrite("x"));
  EXPECT_EQ("axb", AllText(core_));
  core_.MoveCaretToEnd();
  ASSERT_TRUE(core_.Overwrite("!"));  // at a line end it inserts
  EXPECT_EQ("axb!", AllText(core_));
}

TEST_F(EditCoreTest, IndentPutsATabInFrontOfSelectedLinesUpToAnEmptyOne) {
  core_.InsertText("one\n\ntwo\nthree");
  core_.PressAt({0, 1});
  core_.ReleaseAt({3, 2});
  int recorded = core_.History().Count();
  ASSERT_TRUE(core_.Indent());
  // From the last line upwards; the empty line stops it.
  EXPECT_EQ("one\r\n\r\n\ttwo\r\n\tthree", AllText(core_));
  EXPECT_EQ(recorded + 2, core_.History().Count());
  EXPECT_TRUE(core_.HasSelection());
  EXPECT_EQ((Position{0, 0}), core_.Caret().selection_start);
  EXPECT_EQ((Position{3, 6}), core_.Caret().selection_end);
}

TEST_F(EditCoreTest, IndentWithoutSelectionInsertsATab) {
  core_.InsertText("x");
  core_.Indent();
  EXPECT_EQ("x\t", AllText(core_));
}

TEST_F(EditCoreTest, MovesCrossLineEndsAndStopAtTheEdgesOfTheText) {
  core_.InsertText("ab\n表");
  EXPECT_FALSE(core_.Move(Motion::kRight, false));
  EXPECT_TRUE(core_.Move(Motion::kLeft, false));
  EXPECT_EQ((Position{1, 0}), core_.Caret().caret);
  EXPECT_TRUE(core_.Move(Motion::kLeft, false));
  EXPECT_EQ((Position{0, 2}), core_.Caret().caret);
  EXPECT_TRUE(core_.Move(Motion::kRight, false));
  EXPECT_EQ((Position{1, 0}), core_.Caret().caret);
  EXPECT_TRUE(core_.Move(Motion::kUp, false));
  EXPECT_EQ((Position{0, 0}), core_.Caret().caret);
  EXPECT_FALSE(core_.Move(Motion::kUp, false));
}

TEST_F(EditCoreTest, VerticalMovesKeepTheColumnAndNeverLandInsideACharacter) {
  core_.InsertText("abcdef\n表表\nabcdef");
  core_.PressAt({0, 3});
  core_.ReleaseAt({0, 3});
  core_.Move(Motion::kDown, false);
  EXPECT_EQ((Position{1, 2}), core_.Caret().caret);  // column 3 is inside the second 表
  core_.Move(Motion::kDown, false);
  EXPECT_EQ((Position{2, 3}), core_.Caret().caret);  // the remembered column comes back
}

TEST_F(EditCoreTest, ShiftMovesSelectAndAPlainMoveClearsTheSelection) {
  core_.InsertText("abcd");
  core_.PressAt({0, 1});
  core_.ReleaseAt({0, 1});
  core_.Move(Motion::kRight, true);
  core_.Move(Motion::kRight, true);
  EXPECT_EQ("bc", core_.SelectedText());
  core_.Move(Motion::kLeft, false);
  EXPECT_FALSE(core_.HasSelection());
}

TEST_F(EditCoreTest, HomeAndEndGoToTheRowsEdgesAndWithCtrlToTheTexts) {
  core_.Buffer().SetWrap(4);
  core_.InsertText("ab\nabcdef");  // rows "ab", "abcd", "ef"
  core_.PressAt({1, 1});
  core_.ReleaseAt({1, 1});
  EXPECT_TRUE(core_.Move(Motion::kRowEnd, false));
  EXPECT_EQ((Position{1, 4}), core_.Caret().caret);
  // Shown behind "abcd", not in front of "ef"; End again stays there.
  EXPECT_EQ(1, core_.Caret().caret_row);
  EXPECT_EQ(4, core_.Caret().caret_column);
  EXPECT_FALSE(core_.Move(Motion::kRowEnd, false));
  EXPECT_TRUE(core_.Move(Motion::kRowStart, true));
  EXPECT_EQ("abcd", core_.SelectedText());
  core_.Move(Motion::kTextEnd, true);
  EXPECT_EQ("ef", core_.SelectedText());
  core_.Move(Motion::kTextStart, true);
  EXPECT_EQ("ab\r\nabcd", core_.SelectedText());
  core_.Move(Motion::kTextEnd, false);
  EXPECT_FALSE(core_.HasSelection());
  EXPECT_EQ((Position{1, 6}), core_.Caret().caret);
}

TEST_F(EditCoreTest, AppendingKeepsTheSelectionAndLeavesTheViewToCatchUp) {
  core_.InsertText("old\nlog");
  core_.PressAt({0, 0});
  core_.ReleaseAt({1, 3});  // selected up to the end, where the caret is
  view_.repaints.clear();
  ASSERT_TRUE(core_.Append("more\noutput"));
  EXPECT_EQ("old\r\nlogmore\r\noutput", AllText(core_));
  EXPECT_EQ("old\r\nlog", core_.SelectedText());
  EXPECT_EQ((Position{2, 6}), core_.Caret().caret);  // a caret at the end follows it
  EXPECT_EQ(std::vector<Position>({{1, 3}}), view_.appended_from);
  EXPECT_TRUE(view_.repaints.empty());

  core_.SelectAll();  // leaves the caret at the start, where the user reads
  core_.Append("?");
  EXPECT_EQ((Position{0, 0}), core_.Caret().caret);

  core_.PressAt({0, 1});  // a drag in progress: the caret stays with the mouse
  core_.Append("!");
  EXPECT_EQ((Position{0, 1}), core_.Caret().caret);
  core_.ReleaseAt({0, 2});
  EXPECT_EQ("l", core_.SelectedText());
}

TEST_F(EditCoreTest, AChangeInAWrappedLineRepaintsTheRestOfTheLine) {
  core_.Buffer().SetWrap(4);
  core_.InsertText("abcdef\nz");
  view_.repaints.clear();
  view_.row_repaints = 0;
  core_.PressAt({0, 1});
  core_.ReleaseAt({0, 1});
  core_.InsertText("X");  // "d" moves onto the second row, which keeps its place
  EXPECT_TRUE(view_.repaints.empty());
  EXPECT_EQ(1, view_.row_repaints);
}

TEST_F(EditCoreTest, SelectAllSelectsEverything) {
  core_.InsertText("ab\ncd");
  core_.SelectAll();
  EXPECT_EQ("ab\r\ncd", core_.SelectedText());
}

TEST_F(EditCoreTest, ClearEmptiesTheTextButKeepsTheHistory) {
  core_.InsertText("ab\ncd");
  core_.Clear();
  EXPECT_EQ("", AllText(core_));
  EXPECT_EQ((Position{0, 0}), core_.Caret().caret);
  EXPECT_EQ(1, core_.History().Count());
  EXPECT_EQ(1, view_.full_repaints);
}

TEST_F(EditCoreTest, PositionsOfPointsAreClampedToTheText) {
  core_.InsertText("ab\ncd");
  EXPECT_EQ((Position{0, 0}), core_.PositionAt(-3, -5));
  EXPECT_EQ((Position{1, 2}), core_.PositionAt(9, 9));
}

TEST(CommandHistory, TheHundredAndFirstChangeDropsTheOldest) {
  EditCore core;
  for (int i = 0; i < 101; ++i)
    core.InsertText("x");
  EXPECT_EQ(100, core.History().Count());
  EXPECT_EQ(101u, core.History().ChangeCounter());
}

TEST(CommandHistory, RecordedInversesTakeTheirChangeBack) {
  EditCore core;
  core.InsertText("abc\ndef");
  core.PressAt({0, 1});
  core.ReleaseAt({1, 1});
  core.DeleteForward();
  ASSERT_EQ("aef", AllText(core));
  // The inverse of the deletion is an insertion of what was removed.
  std::unique_ptr<Command> redo = core.History().Current()->Execute(core);
  EXPECT_EQ("abc\r\ndef", AllText(core));
  ASSERT_TRUE(redo);
  redo->Execute(core);
  EXPECT_EQ("aef", AllText(core));
}

TEST(CommandHistory, ANewLimitDiscardsTheEntries) {
  EditCore core;
  core.InsertText("a");
  core.History().SetLimit(0);
  EXPECT_EQ(1, core.History().Limit());
  EXPECT_EQ(0, core.History().Count());
  core.InsertText("b");
  core.InsertText("c");
  EXPECT_EQ(1, core.History().Count());
}

TEST(Commands, ACommandOutsideTheTextChangesNothing) {
  EditCore core;
  core.InsertText("ab");
  InsertCommand insert({3, 0}, "x");
  EXPECT_EQ(nullptr, insert.Execute(core));
  DeleteCommand remove({0, 0}, {5, 0});
  EXPECT_EQ(nullptr, remove.Execute(core));
  ReplaceCommand replace({0, 0}, {0, 9}, "x");
  EXPECT_EQ(nullptr, replace.Execute(core));
  EXPECT_EQ("ab", AllText(core));
}

TEST(Commands, AReplacementsInverseRestoresTheOldText) {
  EditCore core;
  core.InsertText("hello");
  ReplaceCommand replace({0, 1}, {0, 4}, "ELL\nX");
  std::unique_ptr<Command> inverse = replace.Execute(core);
  EXPECT_EQ("hELL\r\nXo", AllText(core));
  ASSERT_TRUE(inverse);
  inverse->Execute(core);
  EXPECT_EQ("hello", AllText(core));
}

}  // namespace
}  // namespace vklib::window::edit
