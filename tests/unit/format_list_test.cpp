#include "dialogs/format_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/fake_tools.h"
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

TEST_F(FormatList, ARelativeElementIsListedWithoutDescendingIntoIt) {
  // TeX Live's path starts with ".", which is wherever the program was started.
  const std::filesystem::path started = std::filesystem::current_path();
  std::filesystem::current_path(dir_.File("tree1"));
  Lines names = Names(FindFormatFiles(".;" + SearchPath({"tree2"})));
  std::filesystem::current_path(started);
  std::sort(names.begin(), names.begin() + 2);
  EXPECT_EQ((Lines{"platex.fmt", "z-uplatex.fmt", "ptex.fmt", "eptex.fmt"}), names);
}

TEST_F(FormatList, TheWalkEndsAfterItsBudgetOfEntries) {
  for (int i = 0; i < 10; ++i)
    test::WriteFile(dir_.Directory("many") + vklib::kPathSeparator + std::to_string(i) + ".fmt",
                    "fmt");
  EXPECT_EQ(4u, FindFormatFiles(SearchPath({"many", "tree1"}), 4).size());
}

TEST_F(FormatList, TheSearchPathIsKpsewhichsStandardOutputAlone) {
  test::FakeTools tools;
  test::ScopedEnvironment log("FAKE_TOOL_LOG", dir_.File("tools.log"));
  test::ScopedEnvironment script("FAKE_TOOL_SCRIPT", dir_.File("tools.script"));
  test::WriteFile(dir_.File("tools.script"),
                  "kpsewhich 1: err warning: no texmf.cnf\\n\n"
                  "kpsewhich 1: out .;/usr/share/texmf/web2c\\n\n"
                  "kpsewhich 2: sleep 20000\n");
  EXPECT_EQ(".;/usr/share/texmf/web2c\n", FormatSearchPath());
  // One that hangs is given up: no path.
  EXPECT_EQ("", FormatSearchPath(300));
}

#ifndef _WIN32
TEST_F(FormatList, ALinkBackUpDoesNotLoop) {
  ASSERT_EQ(0, symlink(dir_.File("tree2").c_str(), dir_.File("tree2/a/back").c_str()));
  EXPECT_EQ((Lines{"ptex.fmt", "eptex.fmt"}), Names(FindFormatFiles(SearchPath({"tree2"}))));
}
#endif

}  // namespace
