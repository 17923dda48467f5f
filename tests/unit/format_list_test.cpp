#include "dialogs/format_list.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "texsource/paths.h"
#include "vklib/file.h"

namespace {

using Lines = std::vector<std::string>;

class FormatList : public ::testing::Test {
 protected:
  FormatList() {
    for (const char* name : {"tree1/platex.fmt", "tree1/sub/PLATEX.FMT", "tree1/sub/notes.txt",
                             "tree1/z-uplatex.fmt", "tree2/a/deeper/ptex.fmt", "tree2/eptex.fmt"}) {
      std::string path = dir_.File(name);
      dir_.Directory(SplitPath(path).directory.substr(dir_.path().size() + 1));
      test::WriteFile(path, "fmt");
    }
  }
  // The search path as kpsewhich prints it: "/" separators, ";" between, a line end after.
  std::string SearchPath(const Lines& trees) const {
    std::string path;
    for (const std::string& tree : trees) {
      if (!path.empty()) path += ";";
      std::string directory = tree.empty() ? tree : dir_.File(tree);
      for (char& c : directory) {
        if (c == '\\') c = '/';
      }
      path += directory;
    }
    return path + "\r\n";
  }
  Lines Names(const Lines& paths) const {
    Lines names;
    for (const std::string& path : paths)
      names.push_back(SplitPath(path).name);
    return names;
  }

  test::TempDir dir_;
};

TEST_F(FormatList, ListsTheFormatsOfEachTreeInSearchPathOrder) {
  Lines formats = FindFormatFiles(SearchPath({"tree1", "tree2"}));
  // Within a tree, the order of its listing (sorted on POSIX) with subdirectories where met.
  Lines names = Names(formats);
  ASSERT_EQ(5u, names.size());
  EXPECT_EQ((Lines{"platex.fmt", "PLATEX.FMT", "z-uplatex.fmt"}),
            Lines(names.begin(), names.begin() + 3));
  EXPECT_EQ((Lines{"ptex.fmt", "eptex.fmt"}), Lines(names.begin() + 3, names.end()));
  EXPECT_EQ(dir_.File("tree1/sub/PLATEX.FMT"), formats[1]);
  EXPECT_EQ((Lines{"ptex.fmt", "eptex.fmt", "platex.fmt", "PLATEX.FMT", "z-uplatex.fmt"}),
            Names(FindFormatFiles(SearchPath({"tree2", "tree1"}))));
}

TEST_F(FormatList, EmptyElementsAndMissingDirectoriesAddNothing) {
  EXPECT_EQ(Lines{}, FindFormatFiles(""));
  EXPECT_EQ(Lines{}, FindFormatFiles(";;\r\n"));
  EXPECT_EQ(Names(FindFormatFiles(SearchPath({"tree2"}))),
            Names(FindFormatFiles(SearchPath({"", "tree2", "", "missing"}))));
}

TEST_F(FormatList, KpathseasMarkForLsROnlyIsPassedOver) {
  EXPECT_EQ(2u, FindFormatFiles("!!" + SearchPath({"tree2"})).size());
}

TEST_F(FormatList, ATreeNamedTwiceIsWalkedOnce) {
  EXPECT_EQ(2u, FindFormatFiles(SearchPath({"tree2", "tree2"})).size());
}

#ifndef _WIN32
TEST_F(FormatList, ALinkBackUpDoesNotLoop) {
  ASSERT_EQ(0, symlink(dir_.File("tree2").c_str(), dir_.File("tree2/a/back").c_str()));
  EXPECT_EQ((Lines{"ptex.fmt", "eptex.fmt"}), Names(FindFormatFiles(SearchPath({"tree2"}))));
}
#endif

}  // namespace
