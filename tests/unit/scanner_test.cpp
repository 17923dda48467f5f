#include "texsource/scanner.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "texsource/paths.h"
#include "vklib/file.h"

// Records are equal when they name the same file the same way.
bool operator==(const IncludeRecord& a, const IncludeRecord& b) {
  return a.kind == b.kind && SamePath(a.path, b.path);
}

namespace {

// The examples in the platform's own path form.
#ifdef _WIN32
const std::string kDoc = "C:\\doc\\";
#else
const std::string kDoc = "/doc/";
#endif
const std::string kSep(1, vklib::kPathSeparator);

std::string Input(std::string_view line) {
  return ExtractIncludedFile(line, kDoc, "\\input");
}
std::string Include(std::string_view line) {
  return ExtractIncludedFile(line, kDoc, "\\include");
}

TEST(ExtractIncludedFile, NamesAreResolvedAgainstThePrefixWithTexAppended) {
  EXPECT_EQ(kDoc + "chap1.tex", Input("\\input{chap1}"));
  EXPECT_EQ(kDoc + "sub" + kSep + "chap1.TEX", Input("\\input{sub/chap1.TEX}"));
  EXPECT_EQ(kDoc + "a.tex.bak.tex", Include("\\include{a.tex.bak}"));
  EXPECT_EQ(kDoc + "b.tex", Include("  \\include[x]{b}"));
}

TEST(ExtractIncludedFile, OnlyAnEffectiveCommandWithBracesCounts) {
  EXPECT_EQ("", Input("\\input chap1"));
  EXPECT_EQ("", Input("% \\input{chap1}"));
  EXPECT_EQ("", Input("\\verb|x| \\input{chap1}"));
  EXPECT_EQ(kDoc + "chap1.tex", Input("\\input{chap1} % note"));
  EXPECT_EQ("", Input("50\\% off \\input{a}"));
  EXPECT_EQ("", Input("\\inputencoding{utf8}"));
  EXPECT_EQ("", Include("\\includegraphics{fig} \\include{b}"));
  EXPECT_EQ("", Include("\\includeonly{a}"));
  EXPECT_EQ("", Input("\\input{unclosed"));
  EXPECT_EQ("", Input("\\input"));
}

TEST(ExtractIncludedFile, OnlyTheFirstOccurrenceOfACommandCounts) {
  EXPECT_EQ(kDoc + "a.tex", Input("\\input{a}\\input{b}"));
  EXPECT_EQ(kDoc + "a.tex", Input("\\input{a} \\include{b}"));
  EXPECT_EQ(kDoc + "b.tex", Include("\\input{a} \\include{b}"));
}

TEST(ExtractIncludedFile, ATrailByteIsNeverABackslashOrABrace) {
  // "表" ends in the byte of "\", "ー" in the byte of "[".
  EXPECT_EQ("", Input("表input{a}"));
  EXPECT_EQ(kDoc + "第1章.tex", Input("\\input{第1章}"));
  EXPECT_EQ(kDoc + "表" + kSep + "ソ.tex", Input("\\input{表/ソ}"));
}

TEST(ExtractIncludedFile, EmptyBracesNameJustTheExtension) {
  EXPECT_EQ(kDoc + ".tex", Input("\\input{}"));
}

TEST(SamePath, DotAndDotDotComponentsAreResolved) {
  EXPECT_TRUE(
      SamePath(kDoc + "." + kSep + "a" + kSep + ".." + kSep + "main.tex", kDoc + "main.tex"));
  EXPECT_TRUE(SamePath(kDoc + kSep + "main.tex", kDoc + "main.tex"));
  EXPECT_FALSE(SamePath("", ""));
  EXPECT_FALSE(SamePath(kDoc + "main.tex", ""));
  EXPECT_FALSE(SamePath(kDoc + "main.tex", kDoc + "chap.tex"));
}

#ifdef _WIN32
TEST(SamePath, WindowsPathsIgnoreCaseAndKeepTheirShareName) {
  EXPECT_TRUE(SamePath("C:\\Doc\\.\\a\\..\\main.tex", "c:\\doc\\main.tex"));
  EXPECT_TRUE(SamePath("C:\\ＤＯＣ\\main.tex", "c:\\ｄｏｃ\\MAIN.TEX"));
  EXPECT_FALSE(SamePath("\\\\server\\doc\\main.tex", "server\\doc\\main.tex"));
  EXPECT_TRUE(SamePath("C:/doc/main.tex", "C:\\doc\\main.tex"));  // "/" is a separator too
}
#else
TEST(SamePath, PosixPathsCompareAsSpelt) {
  EXPECT_TRUE(SamePath("/doc/./a/../main.tex", "/doc/main.tex"));
  EXPECT_FALSE(SamePath("/Doc/main.tex", "/doc/main.tex"));
  EXPECT_FALSE(SamePath("/doc/main.tex", "doc/main.tex"));
}
#endif

TEST(SplitPath, GivesDirectoryNameStemAndExtension) {
  PathParts parts = SplitPath(kDoc + "sub" + kSep + "chap.1.tex");
  EXPECT_EQ(kDoc + "sub", parts.directory);
  EXPECT_EQ("chap.1.tex", parts.name);
  EXPECT_EQ("chap.1", parts.stem);
  EXPECT_EQ(".tex", parts.extension);
  EXPECT_EQ("", SplitPath("main.tex").directory);
  EXPECT_EQ("", SplitPath("README").extension);
  EXPECT_EQ(kDoc + "表", SplitPath(kDoc + "表" + kSep + "a.tex").directory);
}

TEST(IsAbsolutePath, NeedsARootOrADrivesRoot) {
  EXPECT_TRUE(IsAbsolutePath(kDoc + "main.tex"));
  EXPECT_FALSE(IsAbsolutePath("."));
  EXPECT_FALSE(IsAbsolutePath("sub" + kSep + "main.tex"));
#ifdef _WIN32
  EXPECT_TRUE(IsAbsolutePath("C:/texlive"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
  EXPECT_FALSE(IsAbsolutePath("C:texlive"));  // the drive's current directory
  // As a working directory, a bare drive is its root.
  EXPECT_EQ("C:\\", vklib::WorkingDirectory("C:"));
  EXPECT_EQ("C:\\doc", vklib::WorkingDirectory("C:\\doc"));
#else
  EXPECT_EQ("C:", vklib::WorkingDirectory("C:"));  // just a name here
#endif
}

TEST(HasExtension, IgnoresCaseAndNeedsTheDot) {
  EXPECT_TRUE(HasExtension("main.tex", ".tex"));
  EXPECT_TRUE(HasExtension("PLATEX.FMT", ".fmt"));
  EXPECT_TRUE(HasExtension("表.TeX", ".tex"));
  EXPECT_FALSE(HasExtension("maintex", ".tex"));
  EXPECT_FALSE(HasExtension("main.texi", ".tex"));
  EXPECT_FALSE(HasExtension("tex", ".tex"));
  EXPECT_FALSE(HasExtension("", ".tex"));
}

class ScannerFiles : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = dir_.File(name);
    test::WriteFile(path, text);
    return path;
  }
  std::vector<IncludeRecord> List(const std::string& root) {
    std::vector<IncludeRecord> list{{"stale", 0}};
    BuildIncludeList(list, root);
    return list;
  }

  test::TempDir dir_;
};

TEST_F(ScannerFiles, OnlyAFileWhoseBytesCannotNameTheTargetIsPassedOver) {
  const IncludeFilter filter(dir_.File("chap1.tex"));
  EXPECT_FALSE(filter.MayInclude(Write("a.tex", "\\input{chap2}\n表\r\n")));
  EXPECT_TRUE(filter.MayInclude(Write("b.tex", "\\input{sub/../chap1}\n")));
  EXPECT_TRUE(filter.MayInclude(Write("c.tex", "\xEF\xBB\xBF\\include{chap1.tex}\n")));
  // Where ASCII does not stand as it is, and for a name outside ASCII, the lines decide.
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("\\input{chap1}\n"))
    utf16 += std::string{c, '\0'};
  EXPECT_TRUE(filter.MayInclude(Write("d.tex", utf16)));
  EXPECT_TRUE(filter.MayInclude(Write("e.tex", "\x1B$B$\"\x1B(B\n")));
  // EUC-JP's single shift before an ASCII byte is taken away: "\input{chap1}" in the text.
  EXPECT_TRUE(filter.MayInclude(Write("h.tex", "\\input{c\x8Ehap1}\n\xB0\xA1\n")));
  EXPECT_TRUE(IncludeFilter(dir_.File("表.tex")).MayInclude(Write("f.tex", "x\n")));
  EXPECT_TRUE(filter.MayInclude(dir_.File("missing.tex")));
#ifdef _WIN32
  EXPECT_TRUE(filter.MayInclude(Write("g.tex", "\\input{CHAP1}\n")));  // paths ignore case
#else
  EXPECT_FALSE(filter.MayInclude(Write("g.tex", "\\input{CHAP1}\n")));
#endif
}

TEST_F(ScannerFiles, TheIncludeListIsDepthFirstWithEachFileOnce) {
  dir_.Directory("sub");
  std::string main = Write("main.tex",
                           "\\documentclass{jarticle}\n\\include{chap1}\n\\input{defs}\n"
                           "\\include{sub/chap2}\n\\include{chap1}\n");
  Write("chap1.tex", "\\input{sec1}\\input{sec2}\n\\include{sub/chap2}\n");
  Write("sec1.tex", "text\n");
  std::vector<IncludeRecord> expected = {{main, kIncludeRoot},
                                         {dir_.File("chap1.tex"), kIncludedByInclude},
                                         {dir_.File("sec1.tex"), kIncludedByInput},
                                         {dir_.File("sub/chap2.tex"), kIncludedByInclude},
                                         {dir_.File("defs.tex"), kIncludedByInput}};
  EXPECT_EQ(expected, List(main));
}

TEST_F(ScannerFiles, FilesThatIncludeEachOtherAppearOnceEach) {
  std::string a = Write("a.tex", "\\input{b}\n");
  Write("b.tex", "\\input{a}\n\\input{b}\n");
  std::vector<IncludeRecord> expected = {
      {a, kIncludeRoot}, {dir_.File("b.tex"), kIncludedByInput}, {a, kIncludedByInput}};
  EXPECT_EQ(expected, List(a));
}

TEST_F(ScannerFiles, AScanEndsAtItsBoundsOfDepthAndCount) {
  // A chain of files each bringing in the next: the one 65 levels down is listed, not read.
  for (int i = 0; i < 70; ++i)
    Write("f" + std::to_string(i) + ".tex", "\\input{f" + std::to_string(i + 1) + "}\n");
  const std::vector<IncludeRecord> chain = List(dir_.File("f0.tex"));
  EXPECT_EQ(66u, chain.size());
  EXPECT_EQ(dir_.File("f65.tex"), chain.back().path);
  // Names of files that do not exist count too.
  std::string many;
  for (int i = 0; i < 12000; ++i)
    many += "\\input{m" + std::to_string(i) + "}\n";
  EXPECT_EQ(10000u, List(Write("many.tex", many)).size());
}

TEST_F(ScannerFiles, AMissingRootListsOnlyItself) {
  std::string missing = dir_.File("missing.tex");
  EXPECT_EQ(std::vector<IncludeRecord>({{missing, kIncludeRoot}}), List(missing));
}

TEST_F(ScannerFiles, TheScanStopsAtTheClassLineWithoutATarget) {
  std::string main = Write("main.tex",
                           "% \\documentclass[b5paper]{jbook}\n"
                           "\\documentclass[a4paper,12pt]{jsarticle}\n"
                           "\\documentclass{other}\n");
  ClassInfo info{"untouched", "untouched"};
  EXPECT_TRUE(ScanTeXFile(main, info));
  EXPECT_EQ("a4paper,12pt", info.options);
  EXPECT_EQ("jsarticle", info.name);
}

TEST_F(ScannerFiles, WithATargetTheScanReadsOnUntilTheInclude) {
  std::string main = Write("main.tex",
                           "\\documentclass{jarticle}\n\\begin{document}\n"
                           "\\include{chap1}\n");
  ClassInfo info;
  bool found = false;
  std::string target = dir_.File("chap1.tex");
  EXPECT_TRUE(ScanTeXFile(main, info, &found, &target));
  EXPECT_TRUE(found);
  std::string other = dir_.File("other.tex");
  EXPECT_TRUE(ScanTeXFile(main, info, &found, &other));
  EXPECT_FALSE(found);
}

TEST_F(ScannerFiles, VerbatimBlocksHideClassLinesAndIncludes) {
  std::string file = Write("v.tex",
                           "% \\begin{verbatim}\n"
                           "\\begin{verbatim} \\documentclass{a}\n"
                           "\\documentclass{b}\n\\input{inside}\n"
                           "\\end{verbatim} \\documentclass{c}\n"
                           "\\input{outside}\\documentclass{d}\n");
  ClassInfo info;
  bool found = false;
  std::string inside = dir_.File("inside.tex");
  EXPECT_TRUE(ScanTeXFile(file, info, &found, &inside));
  EXPECT_FALSE(found);
  EXPECT_EQ("d", info.name);
  std::string outside = dir_.File("outside.tex");
  EXPECT_TRUE(ScanTeXFile(file, info, &found, &outside));
  EXPECT_TRUE(found);

  // A block closed and opened again on one line goes on.
  file = Write("v2.tex",
               "\\begin{verbatim}\n\\end{verbatim}\\begin{verbatim}\n\\documentclass{a}\n"
               "\\input{inside}\n\\end{verbatim}\n\\documentclass{b}\n");
  EXPECT_TRUE(ScanTeXFile(file, info, &found, &inside));
  EXPECT_FALSE(found);
  EXPECT_EQ("b", info.name);
}

TEST_F(ScannerFiles, AnUnreadableFileIsEmpty) {
  ClassInfo info{"kept", "kept"};
  bool found = true;
  std::string target = "x";
  EXPECT_FALSE(ScanTeXFile(dir_.File("missing.tex"), info, &found, &target));
  EXPECT_FALSE(found);
  EXPECT_EQ("kept", info.options);
}

}  // namespace
