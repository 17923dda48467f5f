#include "build/echo_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "support/test_support.h"
#include "vklib/file.h"
#include "vklib/process.h"

namespace {

struct RecordingSink : OutputSink {
  void AppendOwn(const std::string& text, bool) override { inserted.push_back(text); }
  void Append(const std::string& text) override { appended += text; }
  std::vector<std::string> inserted;
  std::string appended;
};

// Counts what arrives without keeping it.
struct CountingSink : OutputSink {
  void AppendOwn(const std::string&, bool) override {}
  void Append(const std::string& text) override {
    ++pieces;
    largest = std::max(largest, text.size());
    bytes += text.size();
    for (char c : text) {
      if (c == '\r') ++carriage_returns;
    }
  }
  size_t bytes = 0;
  size_t carriage_returns = 0;
  size_t pieces = 0;
  size_t largest = 0;
};

std::string ChildCommand(std::initializer_list<std::string> steps) {
  std::string command = test::Quoted(test::HelperPath("scripted-child"));
  for (const std::string& step : steps)
    command += " " + test::Quoted(step);
  return command;
}

EchoWait WaitOn(vklib::Process& process) {
  return [&process](int milliseconds) {
    process.WaitForActivity(milliseconds);
    return false;
  };
}

class EchoRun : public ::testing::Test {
 protected:
  std::string Run(std::initializer_list<std::string> steps) {
    EXPECT_TRUE(RunWithEcho(process_, ChildCommand(steps), dir_.path(), sink_, WaitOn(process_)));
    return sink_.appended;
  }

  test::TempDir dir_;
  vklib::Process process_;
  RecordingSink sink_;
};

TEST_F(EchoRun, PrintsTheHeaderThenTheOutputThenTwoLineEnds) {
  std::string command = ChildCommand({"out:hello\\n"});
  ASSERT_TRUE(RunWithEcho(process_, command, dir_.path(), sink_, WaitOn(process_)));
  const std::string rule = "///////////////////////////////////////////\n";
  EXPECT_EQ(std::vector<std::string>({rule + "カレントディレクトリ : " + dir_.path() + "\n" +
                                          "コマンド : " + command + "\n" + rule,
                                      "\n\n"}),
            sink_.inserted);
  EXPECT_EQ("hello\n", sink_.appended);
  EXPECT_EQ(0, process_.ExitCode());
}

TEST_F(EchoRun, NoShellReadsTheCommandLine) {
  EXPECT_EQ("$(touch x)`y`;|&*'\n", Run({"out:$(touch x)`y`;|&*'\\n"}));
  EXPECT_FALSE(vklib::FileExists(dir_.File("x")));
}

TEST_F(EchoRun, StandardErrorSharesThePipe) {
  EXPECT_EQ("out\nerr\n", Run({"out:out\\n", "sleep:100", "err:err\\n"}));
}

TEST_F(EchoRun, CrLfLoneCrAndLoneLfGiveOneNewlineEach) {
  EXPECT_EQ("a\nb\nc\nd", Run({"out:a\\r\\nb\\rc\\nd"}));
}

TEST_F(EchoRun, PairsSplitBetweenWritesComeOutWhole) {
  // The pauses make the runner read each piece on its own; the result is the same either way.
  EXPECT_EQ("A\nBx表y",
            Run({"out:A\\r", "sleep:150", "out:\\nB", "out:x\\x95", "sleep:150", "out:\\x5cy"}));
}

TEST_F(EchoRun, LoneCrOrLeadByteAtTheEndIsDropped) {
  EXPECT_EQ("end", Run({"out:end\\r"}));
  sink_.appended.clear();
  EXPECT_EQ("end", Run({"out:end\\x95"}));
}

TEST_F(EchoRun, OutputLeftInThePipeAfterTheChildEndedIsReadToTheEnd) {
  CountingSink counting;
  ASSERT_TRUE(RunWithEcho(process_, ChildCommand({"flood:300000"}), dir_.path(), counting,
                          WaitOn(process_)));
  EXPECT_EQ(300000u / 12 * 11, counting.bytes);
}

TEST_F(EchoRun, AHundredMegabytesArriveWholeInBoundedPiecesBetweenWaits) {
  CountingSink counting;
  size_t waits = 0;
  EchoWait wait = [&](int milliseconds) {
    ++waits;
    process_.WaitForActivity(milliseconds);
    return false;
  };
  const size_t lines = 8738133;  // 12 bytes each: 100 MB
  ASSERT_TRUE(RunWithEcho(process_, ChildCommand({"flood:" + std::to_string(lines * 12)}),
                          dir_.path(), counting, wait));
  EXPECT_EQ(lines * 11, counting.bytes);
  EXPECT_EQ(0u, counting.carriage_returns);
  // However fast the child writes, the host gets back to its events after each piece.
  EXPECT_LE(counting.largest, kEchoBatchBytes + 4094);
  EXPECT_GE(waits, counting.pieces);
}

TEST_F(EchoRun, ASecondStartWhileAChildRunsIsRefusedAndPrintsNothing) {
  vklib::ProcessParam param;
  param.CommandLine = ChildCommand({"forever"});
  param.RedirectOutput = param.RedirectInput = true;
  ASSERT_TRUE(process_.Start(param));
  EXPECT_FALSE(
      RunWithEcho(process_, ChildCommand({"out:x"}), dir_.path(), sink_, WaitOn(process_)));
  EXPECT_FALSE(process_.Start(param));
  EXPECT_TRUE(sink_.inserted.empty());
  EXPECT_TRUE(sink_.appended.empty());
  process_.Close();
}

TEST_F(EchoRun, AStartThatFailsIsEchoedWithItsReason) {
  const std::string text_file = dir_.File("notes.exe");
  test::WriteFile(text_file, "just text\n");
  std::filesystem::permissions(text_file, std::filesystem::perms::owner_exec,
                               std::filesystem::perm_options::add);
  const std::string missing = dir_.File("missing");
  const std::string look = "．PATHと設定を確かめてください．";
  struct Case {
    std::string command, directory, reason;
  };
  for (const Case& start : {
           Case{"no-such-program-of-pressel2 arg", dir_.path(),
                "「no-such-program-of-pressel2」が見つかりません" + look},
           Case{test::Quoted(missing), dir_.path(), "「" + missing + "」が見つかりません" + look},
           Case{
               test::Quoted(text_file), dir_.path(),
               "「" + text_file + "」を実行できません（実行できる形式のファイルではありません）．"},
           Case{ChildCommand({"out:x"}), dir_.File("nowhere"),
                "「" + test::HelperPath("scripted-child") +
                    "」を実行できません（作業ディレクトリがありません）．"},
       }) {
    RecordingSink sink;
    EXPECT_FALSE(RunWithEcho(process_, start.command, start.directory, sink, WaitOn(process_)));
    EXPECT_EQ((std::vector<std::string>{EchoHeader(start.directory, start.command),
                                        start.reason + "\n\n\n"}),
              sink.inserted);
  }
}

TEST_F(EchoRun, ExitCodesAreReported) {
  Run({"exit:3"});
  EXPECT_EQ(3, process_.ExitCode());
}

TEST_F(EchoRun, ASilentChildThatNeverEndsKeepsTheLoopTurningUntilItIsClosed) {
  int turns = 0;
  EchoWait wait = [&](int milliseconds) {
    process_.WaitForActivity(milliseconds);
    if (++turns == 10) process_.Close();
    return false;
  };
  ASSERT_TRUE(RunWithEcho(process_, ChildCommand({"forever"}), dir_.path(), sink_, wait));
  EXPECT_EQ(10, turns);
  EXPECT_EQ(-1, process_.ExitCode());
  EXPECT_EQ(static_cast<int32_t>(0xFFFFFFFF), process_.ExitCode());
}

TEST(Process, ClosingARunningChildEndsItsWholeTree) {
  test::TempDir dir;
  std::string pid_file = dir.File("grandchild.pid");
  vklib::Process process;
  vklib::ProcessParam param;
  param.CommandLine = ChildCommand({"spawn:" + pid_file, "forever"});
  param.RedirectOutput = true;
  ASSERT_TRUE(process.Start(param));
  ASSERT_TRUE(test::WaitUntil([&] { return !test::ReadFile(pid_file).empty(); }));
  long grandchild = std::stol(test::ReadFile(pid_file));
  ASSERT_TRUE(test::ProcessAlive(grandchild));
  EXPECT_FALSE(process.IsEnded());

  process.Close();
  EXPECT_TRUE(process.IsEnded());
  EXPECT_EQ(-1, process.ExitCode());
  EXPECT_TRUE(test::WaitUntil([&] { return !test::ProcessAlive(grandchild); }));
}

TEST(Process, DestroyingTheObjectEndsARunningChild) {
  test::TempDir dir;
  std::string pid_file = dir.File("grandchild.pid");
  {
    vklib::Process process;
    vklib::ProcessParam param;
    param.CommandLine = ChildCommand({"spawn:" + pid_file, "forever"});
    ASSERT_TRUE(process.Start(param));
    ASSERT_TRUE(test::WaitUntil([&] { return !test::ReadFile(pid_file).empty(); }));
  }
  long grandchild = std::stol(test::ReadFile(pid_file));
  EXPECT_TRUE(test::WaitUntil([&] { return !test::ProcessAlive(grandchild); }));
}

TEST(Process, AChildThatEndedLeavesItsOwnChildrenRunning) {
  test::TempDir dir;
  std::string pid_file = dir.File("grandchild.pid");
  vklib::Process process;
  vklib::ProcessParam param;
  param.CommandLine = ChildCommand({"spawn:" + pid_file});
  ASSERT_TRUE(process.Start(param));
  ASSERT_TRUE(test::WaitUntil([&] { return process.IsEnded(); }));
  long grandchild = std::stol(test::ReadFile(pid_file));
  process.Close();
  // A viewer started by a command must outlive the window's next command.
  EXPECT_TRUE(test::ProcessAlive(grandchild));
  test::KillProcess(grandchild);
  EXPECT_TRUE(test::WaitUntil([&] { return !test::ProcessAlive(grandchild); }));
}

TEST(Process, ManyRunsLeaveNoHandleOpen) {
  test::TempDir dir;
  vklib::Process process;
  RecordingSink sink;
  auto run_once = [&] {
    ASSERT_TRUE(RunWithEcho(process, ChildCommand({"out:x"}), dir.path(), sink, WaitOn(process)));
  };
  run_once();  // lets the libraries open what they keep open
  process.Close();
  long before = test::OpenHandleCount();
  for (int i = 0; i < 40; ++i)
    run_once();
  process.Close();
  EXPECT_EQ(before, test::OpenHandleCount());
}

}  // namespace
