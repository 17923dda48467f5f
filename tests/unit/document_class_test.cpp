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

TEST(DocumentClass, ALineThatDoesNotCloseGivesEmptyParts) {
  ClassInfo info = ExtractClassInfo("\\documentclass[a4paper,");
  EXPECT_EQ("", info.options);
  EXPECT_EQ("", info.name);
}

}  // namespace
