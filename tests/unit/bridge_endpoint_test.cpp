// The bridge's door, met the way the window under Wine meets it, with real processes: another
// user cannot reach it however often they try, we still can, and the bridge runs a tool for us
// and ends that tool's whole tree when we go. (POSIX only: the bridge is a Linux program.)
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "bridge/bridge_frames.h"
#include "bridge/unique_fd_posix.h"
#include "support/test_support.h"

namespace {

using bridge::FrameType;

class BridgeEndpoint : public ::testing::Test {
 protected:
  // Starts the bridge; it returns once its endpoint waits for us.
  void SetUp() override {
    ASSERT_EQ(0, std::system((test::Quoted(test::HelperPath("pressel2-bridge")) + " " +
                              test::Quoted(endpoint_))
                                 .c_str()));
  }

  // Comes to the endpoint as the window does: "output" first.
  void Meet() {
    from_bridge_.Reset(open((endpoint_ + "/output").c_str(), O_RDONLY | O_CLOEXEC));
    to_bridge_.Reset(open((endpoint_ + "/input").c_str(), O_WRONLY | O_CLOEXEC));
    ASSERT_TRUE(from_bridge_ && to_bridge_);
  }

  void Send(FrameType type, const std::string& payload) {
    const std::string frame = bridge::EncodeFrame(type, payload);
    ASSERT_EQ(static_cast<ssize_t>(frame.size()),
              write(to_bridge_.Get(), frame.data(), frame.size()));
  }

  // The next frame from the bridge; an empty type when none came within ten seconds.
  std::pair<FrameType, std::string> Receive() {
    FrameType type;
    std::string payload;
    while (!reader_.Next(type, payload)) {
      pollfd ready{from_bridge_.Get(), POLLIN, 0};
      char buffer[4096];
      ssize_t count =
          poll(&ready, 1, 10000) > 0 ? read(from_bridge_.Get(), buffer, sizeof buffer) : 0;
      if (count <= 0) return {FrameType(), std::string()};
      reader_.Add(std::string_view(buffer, static_cast<size_t>(count)));
    }
    return {type, payload};
  }

  // Runs a command line: its output, then "(exit N)".
  std::string Run(const std::string& command_line) {
    Send(FrameType::kRun, bridge::JoinFields({"7", dir_.path(), command_line}));
    if (Receive() != std::make_pair(FrameType::kStarted, std::string("1"))) return "not started";
    std::string output;
    auto frame = Receive();
    for (; frame.first == FrameType::kOutput; frame = Receive())
      output += frame.second;
    return frame.first == FrameType::kExited ? output + "(exit " + frame.second + ")" : output;
  }

  test::TempDir dir_;
  const std::string endpoint_ = dir_.File("endpoint");
  UniqueFd from_bridge_, to_bridge_;
  bridge::FrameReader reader_;
};

TEST_F(BridgeEndpoint, AnotherUserCannotReachItWhileWeStillCan) {
  if (geteuid() != 0) GTEST_SKIP() << "another user's attempts need root to change users";
  struct stat info {};
  ASSERT_EQ(0, stat(endpoint_.c_str(), &info));
  EXPECT_EQ(0700u, info.st_mode & 07777);
  // 400 attempts of user "nobody" at each end; opening for reading and writing never waits.
  const std::string attempts =
      "setpriv --reuid=65534 --regid=65534 --clear-groups sh -c 'for i in $(seq 400); do "
      "for end in input output; do true 2>&1 3<>\"$0/$end\"; done; done; exit 0' " +
      test::Quoted(endpoint_) + " >" + test::Quoted(dir_.File("attempts.txt"));
  ASSERT_EQ(0, std::system(attempts.c_str()));
  const std::vector<std::string> refusals = test::ReadLines(dir_.File("attempts.txt"));
  ASSERT_EQ(800u, refusals.size());
  for (const std::string& refusal : refusals)
    ASSERT_NE(std::string::npos, refusal.find("Permission denied")) << refusal;

  Meet();
  EXPECT_EQ("reached\n(exit 3)", Run("sh -c \"echo reached; exit 3\""));
  // Its names are gone once we came.
  EXPECT_TRUE(test::WaitUntil([&] { return access(endpoint_.c_str(), F_OK) != 0; }));
}

TEST_F(BridgeEndpoint, WhenWeGoTheRunningToolsWholeTreeEnds) {
  Meet();
  Send(FrameType::kRun,
       bridge::JoinFields({"7", dir_.path(), "sh -c \"sleep 300 & echo $$ $!; wait\""}));
  ASSERT_EQ(std::make_pair(FrameType::kStarted, std::string("1")), Receive());
  auto frame = Receive();
  ASSERT_EQ(FrameType::kOutput, frame.first);
  long shell = 0, sleeper = 0;
  std::istringstream(frame.second) >> shell >> sleeper;
  ASSERT_TRUE(test::ProcessAlive(shell) && test::ProcessAlive(sleeper)) << frame.second;
  to_bridge_.Reset();
  from_bridge_.Reset();
  EXPECT_TRUE(
      test::WaitUntil([&] { return !test::ProcessAlive(shell) && !test::ProcessAlive(sleeper); }));
}

}  // namespace
