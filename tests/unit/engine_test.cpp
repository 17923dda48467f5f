// The engine a document names, read from real sources in every encoding Pressel2 reads.
#include "texsource/engine.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "vklib/codepage.h"
#include "vklib/file.h"

namespace {

class DocumentEngineTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.File(name);
    test::WriteFile(path, bytes);
    return path;
  }
  // The engine a document names, and the sign: "uplatex: uplatex"; "" when it names none.
  std::string Named(const std::string& source, const std::string& opened = "") {
    const std::string parent = Write("main.tex", source);
    const DocumentEngine engine =
        EngineNamedBy(parent, opened.empty() ? parent : Write("chap.tex", opened));
    return engine.program.empty() ? "" : engine.program + ": " + engine.sign;
  }

  test::TempDir dir_;
};

// UTF-16 with its mark, from text of the ANSI code page.
std::string Utf16Le(const std::string& ansi) {
  std::u16string wide;
  vklib::MultiByteToWide(vklib::kCodePageAnsi, ansi, wide);
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : wide) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

TEST_F(DocumentEngineTest, EveryEncodingIsReadAndPTeXIsToldOfTheLegacyOnes) {
  // A class line over several lines with a comment in it, and "本文" in each encoding.
  auto document = [](const std::string& text) {
    return "% " + text + "\n\\documentclass[\n  a4paper,% " + text +
           "\n  uplatex]{jsarticle}\n\\begin{document}\n" + text + "\n\\end{document}\n";
  };
  struct Encoded {
    std::string bytes;
    std::string kanji;  // what pTeX is told, or "-"
    std::string program;
  };
  const Encoded sources[] = {
      {document("本文"), "sjis", "uplatex"},
      {document("\xCB\xDC\xCA\xB8"), "euc", "uplatex"},
      {document("\x1B$BK\\J8\x1B(B"), "jis", "uplatex"},
      {vklib::AnsiToUtf8(document("本文")), "-", "uplatex"},
      {Utf16Le(document("本文")), "-", "uplatex"},
      {document("text"), "-", "uplatex"},
      // Short, with CR LF ends and no byte 0x80, UTF-8 reads as Shift_JIS; it is none the less
      // UTF-8, which pTeX reads untold.
      {vklib::AnsiToUtf8("\\documentclass{jsarticle}\r\n% あ\r\n"), "-", ""},
  };
  for (const Encoded& source : sources) {
    const std::string path = Write("main.tex", source.bytes);
    const LegacyEncoding* encoding = LegacyEncodingOf(path);
    EXPECT_EQ(source.kanji, encoding != nullptr ? encoding->kanji : "-") << source.bytes;
    EXPECT_EQ(source.program, EngineNamedBy(path, path).program) << source.bytes;
  }
}

TEST_F(DocumentEngineTest, ACommentNamesOnlyAnEngineAndComesFirst) {
  EXPECT_EQ("uplatex: %#!uplatex", Named("%#!uplatex\n\\documentclass{ltjsarticle}\n"));
  EXPECT_EQ("lualatex: %  !TeX TS-program = LuaLaTeX",
            Named("%  !TeX TS-program = LuaLaTeX\n\\documentclass{jsarticle}\n"));
  EXPECT_EQ("lualatex: %#! lualatex", Named("%#! lualatex\n\\documentclass{jsarticle}\n"));
  // Anything else a comment names is no engine, and never run: the preamble decides.
  EXPECT_EQ("", Named("%#!make\n%#!ptex2pdf -l\n%#!texfot uplatex\n% !TEX program = sh\n"
                      "\\documentclass{jsarticle}\n"));
  EXPECT_EQ("xelatex: xelatex",
            Named("% !TEX program = latexmk\n\\documentclass[xelatex]{bxjsarticle}\n"));
  // The opened file's comment counts when the parent has none; the parent's comes first.
  EXPECT_EQ("uplatex: %#!uplatex", Named("\\documentclass{jsarticle}\n", "%#!uplatex\n"));
  EXPECT_EQ(
      "platex: % !TEX program = platex",
      Named("% !TEX program = platex\n\\documentclass[uplatex]{jsarticle}\n", "%#!uplatex\n"));
  // Only the first 20 lines are read.
  EXPECT_EQ("", Named(std::string(20, '\n') + "%#!uplatex\n\\documentclass{jsarticle}\n"));
}

TEST_F(DocumentEngineTest, ThePreambleNamesTheEngine) {
  const std::pair<const char*, const char*> cases[] = {
      {"\\documentclass{ujarticle}", "uplatex: ujarticle"},
      {"\\documentclass [b5paper] {utbook}", "uplatex: utbook"},
      {"\\documentclass[a4paper]{ltjsarticle}", "lualatex: ltjsarticle"},
      {"\\documentclass{jsarticle}\n\\usepackage[match]{luatexja-preset}",
       "lualatex: luatexja-preset"},
      {"\\documentclass{article}\n\\usepackage{fontspec,\n  xeCJK}", "xelatex: xeCJK"},
      {"\\documentclass{article}\\RequirePackage{zxjatype}", "xelatex: zxjatype"},
      {"\\documentclass[platex,a4paper]{jlreq}", "platex: platex"},
      {"\\documentclass[a4paper,xetex]{book}\n\\usepackage{fontspec}", "xelatex: xetex"},
      {"\\documentclass{article}\n\\usepackage{CJKutf8}", "pdflatex: CJKutf8"},
      {"\\documentclass{article}\n\\usepackage{fontspec}", "lualatex: fontspec"},
      {"\\documentclass{jsarticle}", ""},
      // Not in a comment, nor after the preamble; an escaped "%" starts no comment.
      {"% \\documentclass[uplatex]{jsarticle}\n\\documentclass{jsarticle}", ""},
      {"\\documentclass{jsarticle}\n\\begin{document}\n\\usepackage{luatexja}", ""},
      {"\\documentclass{jsarticle}\n\\def\\x{50\\%} \\usepackage{luatexja}", "lualatex: luatexja"},
      // In Shift_JIS the second byte of "‐" is "]": it ends no option list.
      {"\\documentclass[‐,uplatex]{jsarticle}", "uplatex: uplatex"},
  };
  // A hostile file of groups that never close is read in bounded time.
  std::string unclosed = "\\documentclass{jsarticle}\n";
  for (int i = 0; i < 80000; ++i)
    unclosed += "\\usepackage[{x";
  EXPECT_EQ("", Named(unclosed));
  for (const auto& [preamble, named] : cases) {
    EXPECT_EQ(named, Named(std::string(preamble) + "\n\\begin{document}\n本文\n\\end{document}\n"))
        << preamble;
  }
}

TEST(EngineOf, KnowsTheEnginesByTheirProgramsName) {
  const EngineTraits* platex = EngineOf(std::string("bin") + vklib::kPathSeparator + "PLATEX.exe");
  ASSERT_NE(nullptr, platex);
  EXPECT_STREQ("platex", platex->program);
  EXPECT_TRUE(platex->ptex);
  ASSERT_NE(nullptr, EngineOf("lualatex-dev"));
  EXPECT_TRUE(EngineOf("lualatex-dev")->makes_pdf);
  EXPECT_FALSE(EngineOf("uplatex")->makes_pdf || EngineOf("uplatex")->ptex);
  EXPECT_EQ(nullptr, EngineOf("latexmk"));
  EXPECT_EQ(nullptr, EngineOf(""));
}

}  // namespace
