#include "texsource/parent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "build/tex.h"
#include "settings/settings.h"
#include "support/recording_host.h"
#include "support/settings_file.h"
#include "texsource/paths.h"
#include "vklib/text_file.h"

namespace {

class ParentSearch : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = dir_.File(name);
    test::WriteFile(path, text);
    return path;
  }
  std::string Parent(const std::string& path) {
    info_ = ClassInfo();
    return FindParentFile(path, info_);
  }

  test::TempDir dir_;
  ClassInfo info_;
};

TEST_F(ParentSearch, AFileWithAClassLineIsItsOwnParent) {
  std::string main = Write("main.tex", "\\documentclass[a4paper]{jarticle}\n");
  Write("other.tex", "\\documentclass{jbook}\n\\input{main}\n");
  EXPECT_EQ(main, Parent(main));
  EXPECT_EQ("a4paper", info_.options);
}

TEST_F(ParentSearch, AChapterFindsTheRootBesideIt) {
  std::string main = Write("main.tex", "\\documentclass{jarticle}\n\\include{chap1}\n");
  std::string chap = Write("chap1.tex", "\\section{one}\n");
  Write("unrelated.tex", "\\documentclass{jbook}\n");
  EXPECT_EQ(main, Parent(chap));
  EXPECT_EQ("jarticle", info_.name);
}

TEST_F(ParentSearch, AnIncludeAfterACommentEndingInALeadByteIsSeen) {
  // CP1252 text: "à" is 0xE0, a Shift_JIS lead byte, right before the line end.
  std::string main =
      Write("main.tex", "\\documentclass{article}\r\n% voil\xE0\r\n\\input{chap}\r\n");
  std::string chap = Write("chap.tex", "text\n");
  EXPECT_EQ(main, Parent(chap));
#ifdef _WIN32
  // A chapter named with "/" as Windows also allows.
  std::string slashed = chap;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  EXPECT_TRUE(SamePath(main, Parent(slashed)));
#endif
}

TEST_F(ParentSearch, AChapterInASubdirectoryFindsTheRootOneLevelUp) {
  dir_.Directory("chapters");
  std::string main = Write("main.tex", "\\documentclass{jreport}\n\\include{chapters/two}\n");
  std::string chap = Write("chapters/two.tex", "text\n");
  EXPECT_EQ(main, Parent(chap));
  EXPECT_EQ("jreport", info_.name);
}

TEST_F(ParentSearch, IntermediateFilesAreFollowedToTheRoot) {
  std::string main = Write("main.tex", "\\documentclass{jarticle}\n\\input{part}\n");
  Write("part.tex", "\\include{chap}\n");
  std::string chap = Write("chap.tex", "text\n");
  EXPECT_EQ(main, Parent(chap));
}

TEST_F(ParentSearch, AChapterThatNothingIncludesHasNoParent) {
  Write("main.tex", "\\documentclass{jarticle}\n\\include{chap1}\n");
  std::string lonely = Write("lonely.tex", "text\n");
  EXPECT_EQ("", Parent(lonely));
}

TEST_F(ParentSearch, IntermediateFilesThatIncludeEachOtherEndTheSearch) {
  Write("a.tex", "\\input{b}\n\\input{chap}\n");
  Write("b.tex", "\\input{a}\n");
  std::string chap = Write("chap.tex", "text\n");
  EXPECT_EQ("", Parent(chap));
}

TEST_F(ParentSearch, ARootFurtherUpIsStillFoundPastACycle) {
  dir_.Directory("sub");
  std::string main = Write("main.tex", "\\documentclass{jarticle}\n\\input{sub/b}\n");
  Write("sub/a.tex", "\\input{b}\n\\input{chap}\n");
  Write("sub/b.tex", "\\input{a}\n");
  std::string chap = Write("sub/chap.tex", "text\n");
  EXPECT_EQ(main, Parent(chap));
}

TEST_F(ParentSearch, ARootWithoutAnUncommentedClassLineIsAnIntermediateFile) {
  Write("main.tex", "% \\documentclass{jarticle}\n\\include{chap1}\n");
  std::string chap = Write("chap1.tex", "text\n");
  EXPECT_EQ("", Parent(chap));
}

TEST_F(ParentSearch, TenThousandFilesInOneDirectory) {
  for (int i = 0; i < 10000; ++i) {
    Write("f" + std::to_string(i) + ".tex",
          "\\documentclass{x}\n\\input{f" + std::to_string(i + 1) + "}\n");
  }
  std::string main = Write("zz-main.tex", "\\documentclass{jbook}\n\\include{chap}\n");
  std::string chap = Write("chap.tex", "text\n");
  EXPECT_EQ(main, Parent(chap));
  EXPECT_EQ("jbook", info_.name);
}

#ifndef _WIN32
TEST_F(ParentSearch, SymbolicLinkLoopsEndTheSearch) {
  std::string main = Write("main.tex", "\\documentclass{jarticle}\n\\include{chap}\n");
  std::string chap = Write("chap.tex", "text\n");
  ASSERT_EQ(0, symlink("loop.tex", dir_.File("loop.tex").c_str()));
  ASSERT_EQ(0, symlink(dir_.path().c_str(), dir_.File("up.tex").c_str()));
  EXPECT_EQ(main, Parent(chap));
}
#endif

class ResolveParentTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = settings_.dir().File(name);
    test::WriteFile(path, text);
    return path;
  }

  test::SettingsFile settings_;
  test::RecordedBuild build_;
  TeX& tex_ = build_.tex;
};

TEST_F(ResolveParentTest, InfersTheParentAndItsClassByDefault) {
  std::string main = Write("main.tex", "\\documentclass[b5paper]{jbook}\n\\include{chap}\n");
  tex_.current_file = Write("chap.tex", "x\n");
  tex_.ResolveParent();
  EXPECT_EQ(JoinPath(settings_.dir().path(), "main"), tex_.parent_base);
  EXPECT_EQ(settings_.dir().path(), tex_.parent_directory);
  EXPECT_EQ("main", tex_.parent_stem);
  EXPECT_EQ(".tex", tex_.parent_extension);
  EXPECT_EQ("b5paper", tex_.class_options);
  EXPECT_EQ("jbook", tex_.class_name);
  EXPECT_EQ(JoinPath(settings_.dir().path(), "chap"), tex_.current_base);
  EXPECT_EQ("chap", tex_.current_stem);
}

TEST_F(ResolveParentTest, OpenFileSettingTakesTheFileItself) {
  Write("main.tex", "\\documentclass[b5paper]{jbook}\n\\include{chap}\n");
  tex_.current_file = Write("chap.tex", "x\n");
  WriteIniInt(Setting::kTeXWhichParent, 2);
  tex_.ResolveParent();
  EXPECT_EQ("chap", tex_.parent_stem);
  EXPECT_EQ("", tex_.class_options);
  tex_.current_file = settings_.dir().File("main.tex");
  tex_.ResolveParent();
  EXPECT_EQ("main", tex_.parent_stem);
  EXPECT_EQ("b5paper", tex_.class_options);  // the open file is a root: its class counts
}

TEST_F(ResolveParentTest, GivenFileSettingIsTakenWithoutAnyTest) {
  tex_.current_file = Write("chap.tex", "x\n");
  WriteIniInt(Setting::kTeXWhichParent, 3);
  WriteIniString(Setting::kTeXParent, settings_.dir().File("nowhere.tex"));
  tex_.ResolveParent();
  EXPECT_EQ("nowhere", tex_.parent_stem);
  EXPECT_EQ(JoinPath(settings_.dir().path(), "nowhere"), tex_.parent_base);
  WriteIniString(Setting::kTeXParent, "");
  tex_.ResolveParent();
  EXPECT_EQ("", tex_.parent_base);
  EXPECT_EQ("nowhere", tex_.parent_stem);  // the other parts keep their values
}

TEST_F(ResolveParentTest, OtherFilesAreTheirOwnParent) {
  for (const char* name : {"a.dvi", "b.TEX", "c.pdf"}) {
    tex_.current_file = Write(name, "\\documentclass{x}\n");
    tex_.ResolveParent();
    EXPECT_EQ(JoinPath(settings_.dir().path(), std::string(name, 1)), tex_.parent_base) << name;
    EXPECT_EQ(tex_.current_extension, tex_.parent_extension);
    EXPECT_EQ("", tex_.class_name);
  }
}

TEST_F(ResolveParentTest, NoParentLeavesTheBaseEmpty) {
  tex_.current_file = Write("lonely.tex", "x\n");
  tex_.ResolveParent();
  EXPECT_EQ("", tex_.parent_base);
}

// "% !TEX root" in a chapter of chapters/, naming 本文.tex in the sibling directory book/, which
// the include search would never reach; the second line is Japanese text in the same encoding.
struct EncodedChapter {
  const char* encoding;
  std::string bytes;
};

std::string Utf16Le(const std::string& ascii) {
  std::string bytes;
  for (char c : ascii) {
    bytes += c;
    bytes += '\0';
  }
  return bytes;
}

TEST_F(ResolveParentTest, ARootNamedInTheSourceIsTheParentInEveryEncoding) {
  settings_.dir().Directory("book");
  settings_.dir().Directory("chapters");
  Write("book/本文.tex", "\\documentclass[b5paper]{jbook}\n");
  const std::string comment = "% !TEX root = ../book/";
  const EncodedChapter chapters[] = {
      {"Shift_JIS", comment + "本文\n第一章の本文です。\n"},
      {"EUC-JP", comment + "\xCB\xDC\xCA\xB8\n\xC2\xE8\xB0\xEC\xBE\xCF\xA4\xCE\xCB\xDC\xCA\xB8"
                           "\xA4\xC7\xA4\xB9\xA1\xA3\n"},
      {"ISO-2022-JP", comment + "\x1B$BK\\J8\x1B(B\n\x1B$BBh0l>O$NK\\J8$G$9!#\x1B(B\n"},
      {"UTF-8", comment + u8"\u672C\u6587\n\u7B2C\u4E00\u7AE0\u306E\u672C\u6587\u3067\u3059\n"},
      {"UTF-16", "\xFF\xFE" + Utf16Le(comment) + "\x2C\x67\x87\x65" + Utf16Le("\n") +
                     std::string("\x2C\x7B\x00\x4E\xE0\x7A\x6E\x30\x2C\x67\x87\x65", 12) +
                     Utf16Le("\n")},
  };
  for (const EncodedChapter& chapter : chapters) {
    tex_.current_file = Write(std::string("chapters/") + chapter.encoding + ".tex", chapter.bytes);
    tex_.ResolveParent();
    EXPECT_EQ("本文", tex_.parent_stem) << chapter.encoding;
    EXPECT_EQ(settings_.dir().File("book"), tex_.parent_directory) << chapter.encoding;
    EXPECT_EQ("b5paper", tex_.class_options) << chapter.encoding;
  }
}

TEST_F(ResolveParentTest, ARootCommentIsReadAsUsersWriteIt) {
  settings_.dir().Directory("sub");
  std::string root = Write("root.ltx", "\\documentclass[a5paper]{jarticle}\n");
  Write("main.tex", "\\documentclass{jbook}\n");
  const std::string written[] = {
      "%!tex ROOT=..\\root.ltx\n",              // "\", any case, no blanks
      "\t%  !TeX  root  =  ../root.ltx  \r\n",  // blanks everywhere, a CR line end
      "x\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n% !TEX root = ../root.ltx",  // line 20, no LF
  };
  for (const std::string& text : written) {
    tex_.current_file = Write("sub/chap.tex", text);
    tex_.ResolveParent();
    EXPECT_TRUE(SamePath(root, tex_.parent_base + tex_.parent_extension)) << text;
    EXPECT_EQ("a5paper", tex_.class_options) << text;
  }
  // ".tex" comes with a name that has no extension; a comment after line 20 is not read.
  tex_.current_file = Write("sub/chap.tex", "% !TEX root = ../main\n");
  tex_.ResolveParent();
  EXPECT_EQ(JoinPath(settings_.dir().path(), "main"), tex_.parent_base);
  EXPECT_EQ(".tex", tex_.parent_extension);
  tex_.current_file = Write("sub/chap.tex", std::string(20, '\n') + "% !TEX root = ../main\n");
  tex_.ResolveParent();
  EXPECT_EQ("", tex_.parent_base);
}

TEST_F(ResolveParentTest, AMissingRootOrAChosenParentSetsTheCommentAside) {
  std::string main = Write("main.tex", "\\documentclass[b5paper]{jbook}\n\\include{chap}\n");
  Write("other.tex", "\\documentclass{jarticle}\n");
  tex_.current_file = Write("chap.tex", "% !TEX root = nowhere.tex\n");
  tex_.ResolveParent();
  EXPECT_EQ("main", tex_.parent_stem);  // inferred as without the comment

  Write("chap.tex", "% !TEX root = other.tex\n");
  WriteIniInt(Setting::kTeXWhichParent, 2);
  tex_.ResolveParent();
  EXPECT_EQ("chap", tex_.parent_stem);
  WriteIniInt(Setting::kTeXWhichParent, 3);
  WriteIniString(Setting::kTeXParent, main);
  tex_.ResolveParent();
  EXPECT_EQ("main", tex_.parent_stem);
  WriteIniInt(Setting::kTeXWhichParent, 1);
  tex_.ResolveParent();
  EXPECT_EQ("other", tex_.parent_stem);
  EXPECT_EQ("jarticle", tex_.class_name);
}

#ifndef _WIN32
TEST_F(ResolveParentTest, AFifoAmongTheSourcesIsPassedOverAndNeverWaitedFor) {
  Write("main.tex", "\\documentclass{jarticle}\n\\include{chap}\n");
  tex_.current_file = Write("chap.tex", "% !TEX root = pipe.tex\n\\input{pipe}\n");
  const std::string fifo = settings_.dir().File("pipe.tex");
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  auto resolved = std::async(std::launch::async, [&] {
    tex_.ResolveParent();  // the root comment first, then the search
    return tex_.parent_stem;
  });
  if (resolved.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
    // A reader blocked on the FIFO: a writer that comes and goes lets it go.
    close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    ADD_FAILURE() << "the search waited for the FIFO";
  }
  EXPECT_EQ("main", resolved.get());
}
#else
TEST_F(ResolveParentTest, ADeviceNamedAsASourceIsNotRead) {
  vklib::TextFile device;
  EXPECT_FALSE(device.Open("CON"));
  EXPECT_FALSE(device.Open("NUL"));
  Write("main.tex", "\\documentclass{jarticle}\n\\include{chap}\n");
  tex_.current_file = Write("chap.tex", "% !TEX root = NUL\n\\input{CON}\n");
  tex_.ResolveParent();
  EXPECT_EQ("main", tex_.parent_stem);
}
#endif

}  // namespace
