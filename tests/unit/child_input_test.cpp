#include "build/child_input.h"

#include <gtest/gtest.h>

#include "build/echo_run.h"
#include "support/test_support.h"
#include "vklib/process.h"
#include "vklib/window/edit/edit_core.h"

namespace {

using vklib::window::edit::EditCore;

std::string PaneText(const EditCore& pane) {
  std::string text = pane.Buffer().Text({0, 0}, pane.Buffer().End());
  std::string joined;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\r\n") == 0) continue;
    joined += text[i];
  }
  return joined;
}

void Type(ChildInput& input, const std::string& keys, EditCore& pane, vklib::Process& process) {
  for (char key : keys)
    input.OnChar(static_cast<unsigned char>(key), false, pane, process);
}

class ChildInputTest : public ::testing::Test {
 protected:
  // Runs a child that echoes `lines` lines, typing `keys` into the pane once it runs.
  void RunTyping(int lines, const std::string& keys) {
    PaneSink sink(pane_);
    bool typed = false;
    EchoWait wait = [&](int milliseconds) {
      if (!typed) {
        Type(input_, keys, pane_, process_);
        typed = true;
      }
      process_.WaitForActivity(milliseconds);
      return false;
    };
    command_ = test::Quoted(test::HelperPath("scripted-child")) + " lines:" + std::to_string(lines);
    ASSERT_TRUE(RunWithEcho(process_, command_, dir_.path(), sink, wait));
  }

  std::string Header() const { return EchoHeader(dir_.path(), command_); }

  test::TempDir dir_;
  vklib::Process process_;
  EditCore pane_;
  ChildInput input_;
  std::string command_;
};

TEST_F(ChildInputTest, TypedLinesReachTheChildWithASingleLineFeed) {
  RunTyping(2, "x\r表\r");
  // The typed text is echoed as typed; the child saw "x" and "表" without a CR.
  EXPECT_EQ(Header() + "x\n表\ngot:x\ngot:表\n\n\n", PaneText(pane_));
  EXPECT_EQ("", input_.PendingLine());
}

TEST_F(ChildInputTest, BackspaceTakesBackAWholeCharacter) {
  RunTyping(1, std::string("ab表\b\b") + "c\r");
  EXPECT_EQ(Header() + "ac\ngot:ac\n\n\n", PaneText(pane_));
}

TEST_F(ChildInputTest, BackspaceWithNothingTypedLeavesTheOutputAlone) {
  RunTyping(1, "\b\bz\r");
  EXPECT_EQ(Header() + "z\ngot:z\n\n\n", PaneText(pane_));
}

TEST_F(ChildInputTest, WithoutAChildNothingIsTaken) {
  pane_.InsertText("output");
  EXPECT_FALSE(input_.OnChar('x', false, pane_, process_));
  EXPECT_FALSE(input_.OnChar('\r', false, pane_, process_));
  EXPECT_EQ("output", PaneText(pane_));
  EXPECT_EQ("", input_.PendingLine());
}

TEST_F(ChildInputTest, ControlCharactersAndCtrlComboesAreNotTaken) {
  vklib::ProcessParam param;
  param.CommandLine = test::Quoted(test::HelperPath("scripted-child")) + " forever";
  param.RedirectInput = true;
  ASSERT_TRUE(process_.Start(param));
  for (unsigned code : {9u, 28u, 31u, 127u}) {
    EXPECT_FALSE(input_.OnChar(code, false, pane_, process_)) << code;
  }
  EXPECT_FALSE(input_.OnChar('a', true, pane_, process_));
  EXPECT_TRUE(input_.OnChar('a', false, pane_, process_));
  EXPECT_EQ("a", input_.PendingLine());
  process_.Close();
}

TEST_F(ChildInputTest, BackspaceTakesBackTypedTextOnlyAndOutputNeverTakesTheSelection) {
  vklib::ProcessParam param;
  param.CommandLine = test::Quoted(test::HelperPath("scripted-child")) + " forever";
  param.RedirectInput = true;
  ASSERT_TRUE(process_.Start(param));
  PaneSink sink(pane_);
  sink.Append("? ");
  pane_.SelectAll();
  Type(input_, "ab表", pane_, process_);
  sink.Append("(output)");  // the child writes after the user typed
  EXPECT_EQ("? ", pane_.SelectedText());
  Type(input_, "", pane_, process_);
  EXPECT_EQ("? (output)", PaneText(pane_));
  EXPECT_EQ("", input_.PendingLine());
  process_.Close();
}

TEST_F(ChildInputTest, EscStopsTheRunAndCtrlDEndsTheChildsInput) {
  PaneSink sink(pane_);
  bool stopped = false;
  EchoWait stop = [&](int milliseconds) {
    if (!stopped && PaneText(pane_).find("\nhalfway") != std::string::npos)
      stopped = input_.OnChar(27, false, pane_, process_);
    process_.WaitForActivity(milliseconds);
    return false;
  };
  command_ = test::Quoted(test::HelperPath("scripted-child")) + " out:halfway forever";
  ASSERT_TRUE(RunWithEcho(process_, command_, dir_.path(), sink, stop));
  EXPECT_EQ(-1, process_.ExitCode());
  EXPECT_EQ(Header() + "halfway\n実行を中止しました．\n\n\n", PaneText(pane_));
  EXPECT_FALSE(input_.OnChar(27, false, pane_, process_));  // no child: nothing to stop

  bool ended_input = false;
  EchoWait end_input = [&](int milliseconds) {
    if (!ended_input) {
      input_.OnChar('q', false, pane_, process_);
      ended_input = input_.OnChar(4, true, pane_, process_);
    }
    process_.WaitForActivity(milliseconds);
    return false;
  };
  command_ = test::Quoted(test::HelperPath("scripted-child")) + " echo out:done";
  ASSERT_TRUE(RunWithEcho(process_, command_, dir_.path(), sink, end_input));
  EXPECT_EQ(0, process_.ExitCode());
  EXPECT_NE(std::string::npos, PaneText(pane_).find("qgot:q\ndone"));
}

TEST_F(ChildInputTest, TypedTextGoesToTheEndWhereverTheCaretIs) {
  vklib::ProcessParam param;
  param.CommandLine = test::Quoted(test::HelperPath("scripted-child")) + " forever";
  param.RedirectInput = true;
  ASSERT_TRUE(process_.Start(param));
  pane_.InsertText("line one\nline two");
  pane_.PressAt({0, 2});
  pane_.ReleaseAt({0, 2});
  input_.OnChar('q', false, pane_, process_);
  EXPECT_EQ("line one\nline twoq", PaneText(pane_));
  EXPECT_EQ(pane_.Buffer().End(), pane_.Caret().caret);  // and the caret, to show it
  process_.Close();
}

}  // namespace
