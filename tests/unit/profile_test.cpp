// The same expectations hold for the Windows profile functions (run under Wine) and for the
// POSIX build's own reader and writer.
#include "vklib/profile.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#endif

namespace vklib {
namespace {

class Profile : public ::testing::Test {
 protected:
  std::string Read(const std::string& section, const std::string& key) {
    return ReadProfileValue(path_, section, key);
  }
  int ReadInt(const std::string& key) { return ReadProfileInt(path_, "S", key); }

  test::TempDir dir_;
  std::string path_ = dir_.File("p.ini");
};

TEST_F(Profile, NewSectionsAndKeysAreAppendedInTheOrderOfWriting) {
  ASSERT_TRUE(WriteProfileValue(path_, "S", "a", "1"));
  WriteProfileValue(path_, "T", "c", "3");
  WriteProfileValue(path_, "S", "b", "2");
  WriteProfileValue(path_, "s", "A", "one");
  EXPECT_EQ("[S]\r\na=one\r\nb=2\r\n[T]\r\nc=3\r\n", test::ReadFile(path_));
}

TEST_F(Profile, NamesCompareWithoutCaseAndAreTrimmed) {
  test::WriteFile(path_, "[ Sec ]\r\n  Key  =  v v  \r\n");
  EXPECT_EQ("v v", Read("sec", "KEY"));
  EXPECT_EQ("v v", Read("SEC", "key"));
}

TEST_F(Profile, OnePairOfEnclosingQuotesIsDropped) {
  test::WriteFile(path_, "[S]\r\nf=\"q\"\r\ng='q'\r\nh=\"q'\r\ni=\"\r\nj=\"\"\r\nk=\"\"q\"\"\r\n");
  EXPECT_EQ("q", Read("S", "f"));
  EXPECT_EQ("q", Read("S", "g"));
  EXPECT_EQ("\"q'", Read("S", "h"));
  EXPECT_EQ("\"", Read("S", "i"));
  EXPECT_EQ("", Read("S", "j"));
  EXPECT_EQ("\"q\"", Read("S", "k"));
}

TEST_F(Profile, MissingValuesReadAsEmptyAndZero) {
  EXPECT_EQ("", Read("S", "a"));
  EXPECT_EQ(0, ReadInt("a"));
  test::WriteFile(path_, "[S]\r\na=1\r\nnoequals\r\n");
  EXPECT_EQ("", Read("S", "b"));
  EXPECT_EQ("", Read("T", "a"));
  EXPECT_EQ("", Read("S", "noequals"));
}

TEST_F(Profile, IntegersAreReadLikeWindowsReadsThem) {
  test::WriteFile(path_, "[S]\r\na=  12abc \r\nb=-5\r\nc=abc\r\nd=0x10\r\ne= +3\r\nf=\r\n");
  EXPECT_EQ(12, ReadInt("a"));
  EXPECT_EQ(-5, ReadInt("b"));
  EXPECT_EQ(0, ReadInt("c"));
  EXPECT_EQ(16, ReadInt("d"));
  EXPECT_EQ(3, ReadInt("e"));
  EXPECT_EQ(0, ReadInt("f"));
  // The default stands for a missing or empty value, not for one that is no number.
  EXPECT_EQ(7, ReadProfileInt(path_, "S", "f", 7));
  EXPECT_EQ(7, ReadProfileInt(path_, "S", "none", 7));
  EXPECT_EQ(0, ReadProfileInt(path_, "S", "c", 7));
}

TEST_F(Profile, ChangingAValueKeepsTheOtherLines) {
  test::WriteFile(path_, "[S]\r\nk=v\r\nk2=v2\r\n[T]\r\nk=t\r\n");
  WriteProfileValue(path_, "S", "K", "w");
  WriteProfileValue(path_, "T", "n", "new");
  EXPECT_EQ("[S]\r\nk=w\r\nk2=v2\r\n[T]\r\nk=t\r\nn=new\r\n", test::ReadFile(path_));
}

TEST_F(Profile, AKeyGoesAtTheEndOfItsSectionAndALastLineWithoutEndIsEnded) {
  test::WriteFile(path_, "[S]\r\nk=v");
  WriteProfileValue(path_, "S", "k2", "w");
  EXPECT_EQ("[S]\r\nk=v\r\nk2=w\r\n", test::ReadFile(path_));
}

TEST_F(Profile, BlanksInFrontOfAWrittenValueAreDropped) {
  WriteProfileValue(path_, "S", "a", "  lead");
  EXPECT_EQ("lead", Read("S", "a"));
}

TEST_F(Profile, LongValuesAreCutToWhatTheBufferHolds) {
  std::string big(10000, 'x');
  WriteProfileValue(path_, "S", "big", big);
  EXPECT_EQ(std::string(kProfileValueMax, 'x'), Read("S", "big"));
}

TEST_F(Profile, AFileOfBinaryGarbageReadsAsEmptyAndTakesNewValues) {
  test::WriteFile(path_, std::string("\x01\x02\xff\xfe garbage [x \x00 zz\n==", 24));
  EXPECT_EQ("", Read("S", "a"));
  EXPECT_EQ(0, ReadInt("a"));
  ASSERT_TRUE(WriteProfileValue(path_, "S", "a", "ok"));
  EXPECT_EQ("ok", Read("S", "a"));
}

TEST_F(Profile, AFileThatCannotBeWrittenLosesTheWriteSilently) {
  std::string directory = dir_.Directory("a-directory");
  EXPECT_FALSE(WriteProfileValue(directory, "S", "a", "1"));
  EXPECT_EQ("", ReadProfileValue(directory, "S", "a"));
  EXPECT_FALSE(WriteProfileValue(dir_.File("no/such/dir/p.ini"), "S", "a", "1"));
}

TEST_F(Profile, ShiftJisValuesKeepTheirTrailBytes) {
  WriteProfileValue(path_, "S", "k", "表示ソ");
  EXPECT_EQ("表示ソ", Read("S", "k"));
}

#ifndef _WIN32
TEST_F(Profile, AWriteReplacesTheFileWholeAndKeepsItsLinkAndPermissions) {
  const std::string real = dir_.File("real.ini");
  test::WriteFile(real, "[S]\r\nkept=1\r\n");
  ASSERT_EQ(0, chmod(real.c_str(), 0640));
  ASSERT_EQ(0, symlink("real.ini", path_.c_str()));
  ASSERT_TRUE(WriteProfileValue(path_, "S", "a", "2"));
  EXPECT_EQ("[S]\r\nkept=1\r\na=2\r\n", test::ReadFile(real));
  struct stat link {};
  struct stat info {};
  ASSERT_EQ(0, lstat(path_.c_str(), &link));
  EXPECT_TRUE(S_ISLNK(link.st_mode));
  ASSERT_EQ(0, stat(real.c_str(), &info));
  EXPECT_EQ(0640u, info.st_mode & 07777);
  using Entries = std::filesystem::directory_iterator;
  EXPECT_EQ(2, std::distance(Entries(dir_.path()), Entries()));  // nothing left beside them

  const mode_t mask = umask(022);
  const std::string fresh = dir_.File("fresh.ini");
  EXPECT_TRUE(WriteProfileValue(fresh, "S", "a", "1"));
  umask(mask);
  ASSERT_EQ(0, stat(fresh.c_str(), &info));
  EXPECT_EQ(0644u, info.st_mode & 07777);
}

TEST_F(Profile, ALinkToNoFileYetGetsItsTargetWritten) {
  ASSERT_EQ(0, symlink("real.ini", path_.c_str()));
  ASSERT_TRUE(WriteProfileValue(path_, "S", "a", "1"));
  const std::string first_run = dir_.File("first-run.ini");
  ASSERT_EQ(0, symlink("made.ini", first_run.c_str()));
  ASSERT_TRUE(CreateProfile(first_run, {{"S", "b", "2"}}));
  for (const std::string& link : {path_, first_run}) {
    struct stat info {};
    ASSERT_EQ(0, lstat(link.c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << link;
  }
  EXPECT_EQ("[S]\r\na=1\r\n", test::ReadFile(dir_.File("real.ini")));
  EXPECT_EQ("[S]\r\nb=2\r\n", test::ReadFile(dir_.File("made.ini")));
}

TEST_F(Profile, AWriteThatCannotFinishLeavesTheOldFileWhole) {
  std::string old_text = "[S]\r\n";
  for (int i = 0; i < 20; ++i)
    old_text += "key" + std::to_string(i) + "=value\r\n";
  test::WriteFile(path_, old_text);
  // A disk that fills up after 100 bytes.
  rlimit old_limit{};
  ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old_limit));
  rlimit small = old_limit;
  small.rlim_cur = 100;
  auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
  const bool written = WriteProfileValue(path_, "S", "new", "1");
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(written);
  EXPECT_EQ(old_text, test::ReadFile(path_));
}

TEST_F(Profile, AFileThatIsThereButCannotBeReadIsNotWrittenFromNothing) {
  ASSERT_EQ(0, mkfifo(path_.c_str(), 0600));  // neither read nor written: no wait
  EXPECT_FALSE(WriteProfileValue(path_, "S", "a", "1"));
  EXPECT_EQ("", Read("S", "a"));
}
#endif

}  // namespace
}  // namespace vklib
