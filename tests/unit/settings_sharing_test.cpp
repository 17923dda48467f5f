// One settings file written by several programs at once, and on a file system without room:
// real processes of our settings-writer on real files.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "support/settings_file.h"
#include "support/test_support.h"
#include "vklib/file.h"
#include "vklib/process.h"

namespace {

class SettingsSharing : public ::testing::Test {
 protected:
  // Starts a settings-writer for each argument list, all before any can finish, and waits for
  // their ends; each must have stored what it wrote.
  void RunWritersAtOnce(const std::vector<std::string>& arguments) {
    std::vector<std::unique_ptr<vklib::Process>> writers;
    for (const std::string& argument : arguments) {
      vklib::ProcessParam param;
      param.CommandLine = test::Quoted(test::HelperPath("settings-writer")) + " " + argument;
      param.DefaultShow = true;
      writers.push_back(std::make_unique<vklib::Process>());
      ASSERT_TRUE(writers.back()->Start(param)) << param.CommandLine;
    }
    for (auto& writer : writers) {
      ASSERT_TRUE(test::WaitUntil([&] { return writer->IsEnded(); }, std::chrono::seconds(60)));
      EXPECT_EQ(0, writer->ExitCode());
    }
  }

  test::SettingsFile file_;
};

TEST_F(SettingsSharing, FourFirstRunsAtOnceWriteWhatOneWrites) {
  WriteFirstRunDefaults();
  const std::string one_start = file_.Content();
  ASSERT_FALSE(one_start.empty());
  for (int round = 0; round < 10; ++round) {
    const std::string ini = file_.dir().File("round" + std::to_string(round) + ".ini");
    const std::string argument = test::Quoted(ini) + " first-run";
    RunWritersAtOnce({argument, argument, argument, argument});
    ASSERT_EQ(one_start, test::ReadFile(ini)) << "round " << round;
  }
}

TEST_F(SettingsSharing, FourWritersAtOnceLoseNoKey) {
  const std::string ini = test::Quoted(IniPath);
  RunWritersAtOnce(
      {ini + " keys a 25", ini + " keys b 25", ini + " keys c 25", ini + " keys d 25"});
  for (const char* prefix : {"a", "b", "c", "d"}) {
    for (int i = 0; i < 25; ++i) {
      const std::string key = prefix + std::to_string(i);
      EXPECT_EQ(key, GetIniString("Keys", key));
    }
  }
}

#ifndef _WIN32
// A file system without room for a new file or a longer one, made in a mount namespace of its
// own (a tmpfs whose pages and inodes are all taken): a write that needs room fails and leaves
// the file as it was.
TEST_F(SettingsSharing, AWriteOnAFullFileSystemLeavesTheFileWhole) {
  // A page of the file system less two bytes: one key more needs a second page.
  std::string settings = "[S]\r\nkey=";
  settings += std::string(4094 - settings.size() - 2, 'x') + "\r\n";
  const std::string before = test::Quoted(file_.dir().File("before.ini"));
  const std::string after = file_.dir().File("after.ini");
  const std::string mounted = test::Quoted(file_.dir().Directory("full"));
  test::WriteFile(file_.dir().File("before.ini"), settings);
  const std::string ini = mounted + "/pressel2.ini";
  const std::string lines[] = {
      "mount -t tmpfs -o size=16k,nr_inodes=8 none " + mounted + " || exit 77",
      "cp " + before + " " + ini,
      "cat /dev/zero >" + mounted + "/pages 2>/dev/null",
      "i=0; while touch " + mounted + "/inode$i 2>/dev/null; do i=$((i+1)); done",
      test::Quoted(test::HelperPath("settings-writer")) + " " + ini + " keys new 1",
      "status=$?; cp " + ini + " " + test::Quoted(after) + "; exit $status"};
  std::string script;
  for (const std::string& line : lines)
    script += line + "\n";
  const std::string script_file = file_.dir().File("full.sh");
  test::WriteFile(script_file, script);
  const int status = std::system(
      ("timeout 60 unshare -rm sh " + test::Quoted(script_file) + " 2>/dev/null").c_str());
  if (!vklib::FileExists(after)) GTEST_SKIP() << "no mount namespace for a small tmpfs";
  EXPECT_EQ(1, WEXITSTATUS(status));  // the write was not stored
  EXPECT_TRUE(settings == test::ReadFile(after)) << "the file changed";
}
#endif

}  // namespace
