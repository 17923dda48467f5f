#include "texsource/document_class.h"

#include <gtest/gtest.h>

namespace {

TEST(DocumentClass, ClassLinesGiveTheirOptionsAndName) {
  struct Case {
    const char* line;
    const char* options;
    const char* name;
  };
  const Case cases[] = {
      {"\\documentclass[a4paper,12pt]{jsarticle}", "a4paper,12pt", "jsarticle"},
      {"\\documentstyle[twocolumn]{jarticle}", "twocolumn", "jarticle"},
      {"\\documentclass{jarticle}", "", "jarticle"},
      // The bracket must follow the command directly.
      {"\\documentclass [a5paper]{jarticle}", "", "jarticle"},
      // The options are searched in the whole line, comment included.
      {"\\documentclass{jarticle} % \\documentclass[a5paper]{x}", "a5paper", "jarticle"},
      // A part that does not close on the line is empty.
      {"\\documentclass[a4paper,", "", ""},
      // In Shift_JIS the second byte of "従" is "]", of "ボ" "{", of "マ" "}" and of "表" "\\":
      // none of them ends an option list, starts or ends a class name, or starts a command.
      {"\\documentclass[従,a4paper]{jarticle}", "従,a4paper", "jarticle"},
      {"\\documentclass[ボ]{マ組み}", "ボ", "マ組み"},
      {"表documentclass[b5paper]{x} \\documentclass[a4paper]{jarticle}", "a4paper", "jarticle"},
  };
  for (const Case& expected : cases) {
    ClassInfo info = ExtractClassInfo(expected.line);
    EXPECT_EQ(expected.options, info.options) << expected.line;
    EXPECT_EQ(expected.name, info.name) << expected.line;
  }
}

TEST(DocumentClass, OnlyACommandBeforeTheCommentAndVerbPasses) {
  EXPECT_FALSE(IsDocumentClassLine("% \\documentclass[b5paper]{jbook}"));
  EXPECT_FALSE(IsDocumentClassLine("\\verb|\\documentclass{x}|"));
  EXPECT_TRUE(IsDocumentClassLine("  \\documentstyle{jarticle}"));
  EXPECT_FALSE(IsDocumentClassLine("\\begin{document}"));
  EXPECT_TRUE(IsDocumentClassLine("\\documentclass{jarticle} % \\documentclass[a5paper]{x}"));
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

}  // namespace
