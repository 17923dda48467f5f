#include "texsource/document_class.h"

#include <gtest/gtest.h>

namespace {

TEST(DocumentClass, OptionsAndNameComeFromTheLine) {
  ClassInfo info = ExtractClassInfo("\\documentclass[a4paper,12pt]{jsarticle}");
  EXPECT_EQ("a4paper,12pt", info.options);
  EXPECT_EQ("jsarticle", info.name);
  info = ExtractClassInfo("\\documentstyle[twocolumn]{jarticle}");
  EXPECT_EQ("twocolumn", info.options);
  EXPECT_EQ("jarticle", info.name);
  info = ExtractClassInfo("\\documentclass{jarticle}");
  EXPECT_EQ("", info.options);
  EXPECT_EQ("jarticle", info.name);
}

TEST(DocumentClass, TheBracketMustFollowTheCommandDirectly) {
  ClassInfo info = ExtractClassInfo("\\documentclass [a5paper]{jarticle}");
  EXPECT_EQ("", info.options);
  EXPECT_EQ("jarticle", info.name);
}

TEST(DocumentClass, ACommentedClassLineDoesNotPass) {
  EXPECT_FALSE(IsDocumentClassLine("% \\documentclass[b5paper]{jbook}"));
  EXPECT_FALSE(IsDocumentClassLine("\\verb|\\documentclass{x}|"));
  EXPECT_TRUE(IsDocumentClassLine("  \\documentstyle{jarticle}"));
  EXPECT_FALSE(IsDocumentClassLine("\\begin{document}"));
}

TEST(DocumentClass, OptionsMayComeFromTheCommentOfAPassingLine) {
  const char line[] = "\\documentclass{jarticle} % \\documentclass[a5paper]{x}";
  EXPECT_TRUE(IsDocumentClassLine(line));
  ClassInfo info = ExtractClassInfo(line);
  EXPECT_EQ("a5paper", info.options);
  EXPECT_EQ("jarticle", info.name);
}

TEST(DocumentClass, ALongLineIsReadToTheEnd) {
  // A hostile file's class line of the longest a reader hands out.
  const std::string options(4000, 'x');
  ClassInfo info = ExtractClassInfo("\\documentclass[" + options + "]{" + options + "}");
  EXPECT_EQ(options, info.options);
  EXPECT_EQ(options, info.name);
  info = ExtractClassInfo("\\documentclass[" + options);
  EXPECT_EQ("", info.options);
}

// In Shift_JIS the second byte of "従" is "]", of "ボ" "{", of "マ" "}" and of "表" "\\": none
// of them may end an option list, start or end a class name, or start a command.
TEST(DocumentClass, ShiftJisCharactersAreNoBracketsBracesOrBackslashes) {
  ClassInfo info = ExtractClassInfo("\\documentclass[従,a4paper]{jarticle}");
  EXPECT_EQ("従,a4paper", info.options);
  EXPECT_EQ("jarticle", info.name);
  info = ExtractClassInfo("\\documentclass[ボ]{マ組み}");
  EXPECT_EQ("ボ", info.options);
  EXPECT_EQ("マ組み", info.name);
  info = ExtractClassInfo("表documentclass[b5paper]{x} \\documentclass[a4paper]{jarticle}");
  EXPECT_EQ("a4paper", info.options);
  EXPECT_EQ("jarticle", info.name);
}

TEST(DocumentClass, ALineThatDoesNotCloseGivesEmptyParts) {
  ClassInfo info = ExtractClassInfo("\\documentclass[a4paper,");
  EXPECT_EQ("", info.options);
  EXPECT_EQ("", info.name);
}

}  // namespace
