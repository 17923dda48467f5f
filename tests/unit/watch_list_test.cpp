#include "build/watch_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "build/tex.h"
#include "support/recording_host.h"
#include "support/settings_file.h"
#include "support/test_support.h"
#include "vklib/change_watch.h"

namespace {

class WatchListTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = settings_.dir().File(name);
    test::WriteFile(path, text);
    return path;
  }
  std::vector<std::string> Watched(const std::string& open_file) {
    build_.tex.current_file = open_file;
    build_.tex.ResolveParent();
    std::vector<std::string> files = WatchedFiles(build_.tex);
    std::sort(files.begin(), files.end());
    return files;
  }

  test::SettingsFile settings_;
  test::RecordedBuild build_;
};

TEST_F(WatchListTest, TheSourcesTheBuildReadsAndNoneOfItsOutputs) {
  settings_.dir().Directory("chapters");
  std::string main = Write("main.tex", "\\documentclass{jbook}\n\\include{chapters/one}\n");
  std::string one = Write("chapters/one.tex", "\\input{two}\n");
  std::string style = Write("local.sty", "");
  std::string index_style = Write("local.ist", "");
  Write("main.aux", "\\relax\n\\bibdata{refs,../shared/more.bib}\n");
  for (const char* output : {"main.dvi", "main.pdf", "main.log", "main.toc", "main.idx"})
    Write(output, "");
  std::vector<std::string> expected = {
      settings_.dir().File("../shared/more.bib"),
      style,
      index_style,
      main,
      one,
      settings_.dir().File("chapters/two.tex"),  // missing still: its creation is a change
      settings_.dir().File("refs.bib")};
  std::sort(expected.begin(), expected.end());
  // Which file of the document is open does not matter.
  EXPECT_EQ(expected, Watched(one));
  EXPECT_EQ(expected, Watched(main));
  // A conversion reads the one file it converts.
  std::string dvi = settings_.dir().File("main.dvi");
  EXPECT_EQ(std::vector<std::string>{dvi}, Watched(dvi));
}

TEST(ChangeWatch, WakesOnAWriteInAWatchedDirectoryOnly) {
  test::TempDir watched, other;
  vklib::ChangeWatch watch;
  watch.Watch({watched.path()});
  ASSERT_TRUE(watch.Notifies());
  EXPECT_FALSE(watch.Wait(50));
  test::WriteFile(other.File("a.tex"), "x");
  EXPECT_FALSE(watch.Wait(50));
  test::WriteFile(watched.File("a.tex"), "x");
  EXPECT_TRUE(watch.Wait(5000));
}

}  // namespace
