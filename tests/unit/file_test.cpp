#include "vklib/file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "support/test_support.h"

namespace vklib {
namespace {

std::vector<std::string> List(const std::string& pattern) {
  std::vector<std::string> names;
  FindFile find;
  if (!find.First(pattern)) return names;
  FindData entry;
  while (find.Next(entry))
    names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FindFile, ListsMatchingEntriesWithoutDotEntries) {
  test::TempDir dir;
  test::WriteFile(dir.File("main.tex"), "");
  test::WriteFile(dir.File("chap.tex"), "");
  test::WriteFile(dir.File("notes.txt"), "");
  dir.Directory("sub");
  EXPECT_EQ((std::vector<std::string>{"chap.tex", "main.tex"}),
            List(dir.path() + kPathSeparator + "*.tex"));
  EXPECT_EQ((std::vector<std::string>{"chap.tex", "main.tex", "notes.txt", "sub"}),
            List(dir.path() + kPathSeparator + "*.*"));
}

TEST(FindFile, ReportsDirectoriesByTheirAttribute) {
  test::TempDir dir;
  dir.Directory("sub");
  test::WriteFile(dir.File("f.fmt"), "");
  FindFile find;
  ASSERT_TRUE(find.First(dir.path() + kPathSeparator + "*.*"));
  FindData entry;
  int directories = 0;
  while (find.Next(entry)) {
    if (entry.attributes & kFileAttributeDirectory) {
      ++directories;
      EXPECT_EQ("sub", entry.name);
    }
  }
  EXPECT_EQ(1, directories);
}

TEST(FindFile, NothingToListGivesFalse) {
  test::TempDir dir;
  FindFile find;
  EXPECT_FALSE(find.First(dir.path() + kPathSeparator + "*.*"));
  EXPECT_FALSE(find.First(dir.File("missing") + kPathSeparator + "*.*"));
  FindData entry;
  EXPECT_FALSE(find.Next(entry));
}

TEST(FindFile, CloseMakesTheObjectReadyForANewSearch) {
  test::TempDir dir;
  test::WriteFile(dir.File("a.tex"), "");
  FindFile find;
  ASSERT_TRUE(find.First(dir.File("*.tex")));
  find.Close();
  FindData entry;
  EXPECT_FALSE(find.Next(entry));
  ASSERT_TRUE(find.First(dir.File("*.tex")));
  ASSERT_TRUE(find.Next(entry));
  EXPECT_EQ("a.tex", entry.name);
  EXPECT_FALSE(find.Next(entry));
}

TEST(FileSystem, ShiftJisNamesWork) {
  test::TempDir dir;
  std::string path = dir.File("表示ソ.tex");
  test::WriteFile(path, "x");
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ("x", test::ReadFile(path));
  EXPECT_EQ(std::vector<std::string>{"表示ソ.tex"}, List(dir.File("*.tex")));
  EXPECT_EQ(kInvalidFileAttributes, FileAttributes(dir.File("missing.tex")));
  EXPECT_TRUE(FileAttributes(dir.path()) & kFileAttributeDirectory);
}

TEST(FileSystem, AWholeFileIsReadAsItStandsAndOnlyARegularOne) {
  test::TempDir dir;
  std::string bytes = "stale";
  for (const std::string& content :
       {std::string(), std::string("a\r\n\0b", 5), std::string(70000, '\xE3')}) {
    test::WriteFile(dir.File("f.tex"), content);
    EXPECT_TRUE(ReadWholeFile(dir.File("f.tex"), bytes));
    EXPECT_EQ(content, bytes);
  }
  EXPECT_FALSE(ReadWholeFile(dir.File("missing.tex"), bytes));
  EXPECT_EQ("", bytes);
  EXPECT_FALSE(ReadWholeFile(dir.Directory("sub"), bytes));
#ifndef _WIN32
  // A FIFO without a writer would block a reader for good.
  ASSERT_EQ(0, mkfifo(dir.File("pipe.tex").c_str(), 0600));
  EXPECT_FALSE(ReadWholeFile(dir.File("pipe.tex"), bytes));
#endif
}

TEST(FileSystem, AFileIsKnownByItsIdentityWhateverPathNamesIt) {
  test::TempDir dir;
  test::WriteFile(dir.File("main.tex"), "x");
  test::WriteFile(dir.File("other.tex"), "x");
  dir.Directory("sub");
#ifdef _WIN32
  const std::string another_path = dir.File("sub\\..\\MAIN.TEX");
#else
  ASSERT_EQ(0, symlink(".", dir.File("here").c_str()));
  const std::string another_path = dir.File("here/sub/../main.tex");
#endif
  FileIdentity main, again, other;
  ASSERT_TRUE(IdentityOf(dir.File("main.tex"), main));
  ASSERT_TRUE(IdentityOf(another_path, again));
  ASSERT_TRUE(IdentityOf(dir.File("other.tex"), other));
  EXPECT_EQ(main.volume, again.volume);
  EXPECT_EQ(main.index, again.index);
  EXPECT_NE(main.index, other.index);
  EXPECT_FALSE(IdentityOf(dir.File("missing.tex"), other));
}

}  // namespace
}  // namespace vklib
