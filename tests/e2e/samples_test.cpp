// The sample documents built with the real TeX Live through pressel2-build, from clean
// directories: the actions the analysis decides, the files that appear, and what a user sees
// when LaTeX stops at an error.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "e2e/sample_build.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/test_support.h"
#include "vklib/codepage.h"
#include "vklib/command_line.h"
#include "vklib/file.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// A word for the shell that reads back as `text` whatever it holds.
std::string ShellWord(const std::string& text) {
  std::string word = "'";
  for (char c : text)
    word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

using SampleBuild = test::SampleBuild;

// A document with an index and citations, from a clean directory: LaTeX (the first answer);
// mendex (no main.ind) and pbibtex (no main.bbl) back to back; LaTeX (the .aux and .toc appeared,
// and the index and the bibliography were made); LaTeX (the new \bibcite lines changed
// main.aux); then nothing changes. latexmk runs LaTeX three times too (bench/latexmk_compare.sh).
const Lines kFromClean = {"platex main.tex", "mendex main", "pbibtex main", "platex main.tex",
                          "platex main.tex"};

TEST_F(SampleBuild, TheUtf8ReportBuildsFromAChapterWithTheFirstRunDefaults) {
  UseSample("report-utf8");
  ASSERT_EQ(0, Run("chapters/chap2.tex")) << errors_;
  EXPECT_EQ(kFromClean, Actions());
  EXPECT_TRUE(Exists("main.dvi"));
  EXPECT_TRUE(Exists("main.ind"));
  EXPECT_TRUE(Exists("main.bbl"));
  // The closing line names what TeX wrote and every tool as often as it ran.
  EXPECT_EQ("main.dvi を作りました（platex 3回，mendex 1回，pbibtex 1回，T秒）．\n",
            test::WithoutTimes(errors_));

  // Right after, nothing has changed: one LaTeX run.
  ASSERT_EQ(0, Run("main.tex")) << errors_;
  EXPECT_EQ(Lines{"platex main.tex"}, Actions());

  ASSERT_EQ(0, Run("main.dvi")) << errors_;
  EXPECT_EQ(Lines{"dvipdfmx main.dvi"}, Actions());
  EXPECT_EQ("main.pdf を作りました（dvipdfmx 1回，T秒）．\n", test::WithoutTimes(errors_));
  EXPECT_EQ("Page size:       595.28 x 841.89 pts (A4)", PageSize("main.pdf"));
}

// latexmk, configured for the same tools, is the bar: from clean, no sample takes more LaTeX runs
// here than there. A wrapper first on the PATH counts latexmk's runs of platex.
TEST_F(SampleBuild, NoSampleTakesMoreLaTeXRunsFromCleanThanLatexmk) {
  for (const std::string sample : {"report-utf8", "book-utf8"}) {
    fs::remove_all(Document());
    UseSample(sample);
    ASSERT_EQ(0, Run("main.tex")) << errors_;
    const Lines ours = Actions();
    const auto latex_runs = std::count_if(ours.begin(), ours.end(), [](const std::string& line) {
      return line.compare(0, 7, "platex ") == 0;
    });

    fs::remove_all(Document());
    UseSample(sample);
    fs::create_directories(fs::path(work_.path()) / "count");
    const std::string log = work_.File("count/runs.log");
    fs::remove(log);
    test::WriteFile(work_.File("count/platex"),
                    "#!/bin/sh\necho run >>" + ShellWord(log) + "\nexec /usr/bin/platex \"$@\"\n");
    fs::permissions(work_.File("count/platex"), fs::perms::owner_all);
    test::WriteFile(work_.File("latexmkrc"),
                    "$latex = 'platex %O %S'; $bibtex = 'pbibtex %O %B';\n"
                    "$makeindex = 'mendex %O -o %D %S'; $dvi_mode = 1;\n");
    const std::string latexmk = "cd " + ShellWord(Document().string()) +
                                " && PATH=" + ShellWord(work_.File("count")) +
                                ":\"$PATH\" latexmk -r " + ShellWord(work_.File("latexmkrc")) +
                                " main.tex </dev/null >/dev/null 2>&1";
    ASSERT_EQ(0, std::system(latexmk.c_str())) << sample;
    const std::string runs = test::ReadFile(log);
    EXPECT_LE(latex_runs, std::count(runs.begin(), runs.end(), '\n')) << sample;
  }
}

// pLaTeX, pBibTeX and mendex are told the encoding of a Shift_JIS or EUC-JP source: the first-run
// defaults build them.
TEST_F(SampleBuild, TheShiftJisReportBuildsWithTheFirstRunDefaults) {
  UseSample("report-sjis");
  ASSERT_EQ(0, Run("--pdf chap1.tex")) << errors_;
  EXPECT_EQ(
      "platex -kanji=sjisを使います（main.texの文字コード Shift_JIS）．\n"
      "main.dvi を作りました（platex 3回，mendex 1回，pbibtex 1回，T秒）．\n"
      "main.pdf を作りました（dvipdfmx 1回，T秒）．\n",
      test::WithoutTimes(errors_));
  Lines expected = {"platex -kanji=sjis main.tex", "mendex -S main",
                    "pbibtex -kanji=sjis main",    "platex -kanji=sjis main.tex",
                    "platex -kanji=sjis main.tex", "dvipdfmx main.dvi"};
  EXPECT_EQ(expected, Actions());
  EXPECT_EQ("Page size:       595.28 x 841.89 pts (A4)", PageSize("main.pdf"));
  // The bibliography came through in Shift_JIS.
  EXPECT_NE(std::string::npos, test::ReadFile((Document() / "main.bbl").string()).find("奥村"));
}

TEST_F(SampleBuild, TheB5ArticleGivesAB5Pdf) {
  UseSample("article-euc");
  Settings({{Setting::kDVI2PDFWhichPaperSize, "1"}});
  ASSERT_EQ(0, Run("--pdf paper.tex")) << errors_;
  // The second run is for the labels that the first wrote into paper.aux.
  EXPECT_EQ((Lines{"platex -kanji=euc paper.tex", "platex -kanji=euc paper.tex",
                   "dvipdfmx -p b5 paper.dvi"}),
            Actions());
  EXPECT_EQ("Page size:       498.9 x 708.66 pts", PageSize("paper.pdf"));
}

// The book, built as a user works on it: each build does what the change needs, every change
// reaches the output, and the result is a fixed point of LaTeX, MakeIndex and BibTeX.
TEST_F(SampleBuild, TheBookIsBuiltAsFarAsEachChangeNeeds) {
  UseSample("book-utf8");
  ASSERT_EQ(0, Run("chapters/basics.tex")) << errors_;
  EXPECT_EQ(kFromClean, Actions());
  const std::string contents = Contents();
  ExpectFixedPoint();

  ASSERT_EQ(0, Run("main.tex")) << errors_;
  EXPECT_EQ(Lines{"platex main.tex"}, Actions());
  EXPECT_EQ(contents, Contents());

  Replace("refs.bib", "Preparation System", "Preparation System, Updated");
  ASSERT_EQ(0, Run("main.tex")) << errors_;
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main", "platex main.tex"}), Actions());
  EXPECT_NE(std::string::npos, Read("main.bbl").find("Preparation System, Updated"));

  Replace("chapters/indexing.tex", "索引語\\index",
          "新しい語\\index{あたらしいご@新しい語}索引語\\index");
  ASSERT_EQ(0, Run("main.tex")) << errors_;
  EXPECT_EQ((Lines{"platex main.tex", "mendex main", "platex main.tex"}), Actions());
  EXPECT_NE(std::string::npos, Read("main.ind").find("新しい語"));
  ExpectFixedPoint();
}

TEST_F(SampleBuild, ABuildInterruptedAfterItsLaTeXRunLeavesNoStaleIndexOrBibliography) {
  UseSample("report-utf8");
  ASSERT_EQ(0, Run("main.tex")) << errors_;
  Replace("chap1.tex", "索引\\index", "Pressel2\\index{Pressel2}索引\\index");
  Replace("refs.bib", "The {\\TeX}book", "The {\\TeX}book, Revised");
  {
    // A mendex that never ends: Ctrl+C comes after the LaTeX run that wrote the new entry.
    fs::create_directories(fs::path(work_.path()) / "slow");
    test::WriteFile(work_.File("slow/mendex"), "#!/bin/sh\nexec sleep 600\n");
    fs::permissions(work_.File("slow/mendex"), fs::perms::owner_all);
    test::ScopedEnvironment path("PATH",
                                 work_.File("slow") + ":" + vklib::EnvironmentVariable("PATH"));
    const long driver = StartInBackground("main.tex");
    ASSERT_TRUE(test::WaitUntil(
        [&] {
          ReadOutput();
          return Actions() == Lines{"platex main.tex", "mendex main"};
        },
        std::chrono::seconds(60)))
        << output_;
    ASSERT_EQ(0, kill(static_cast<pid_t>(driver), SIGINT));
    ASSERT_TRUE(test::WaitUntil([&] { return !test::ReadFile(work_.File("status.txt")).empty(); }));
    EXPECT_EQ("130\n", test::ReadFile(work_.File("status.txt")));
  }
  ASSERT_EQ(0, Run("main.tex")) << errors_;
  EXPECT_EQ((Lines{"platex main.tex", "mendex main", "pbibtex main", "platex main.tex"}),
            Actions());
  EXPECT_NE(std::string::npos, Read("main.ind").find("Pressel2"));
  EXPECT_NE(std::string::npos, Read("main.bbl").find("Revised"));
}

TEST_F(SampleBuild, MaxCompileOneRunsLaTeXOnceAndTellsThatTheDocumentDidNotSettle) {
  UseSample("report-utf8");
  Settings({{Setting::kTeX2DVIMaxCompile, "1"}});
  EXPECT_EQ(1, Run("main.tex"));
  EXPECT_EQ(Lines{"platex main.tex"}, Actions());
  // What the first run left: three labels and two keys unresolved, and its request for a rerun.
  EXPECT_EQ(
      "main.dvi を作りました（platex 1回，T秒）．\n"
      "最大コンパイル回数（1回）に達したので，相互参照などが確定しないまま終わりました．\n"
      "対処が必要な警告が6個あります（未定義の参照3個，未定義の引用2個，再実行の指示1個）．\n",
      test::WithoutTimes(errors_));
}

// A document of our own in the work directory.
class OwnDocument : public SampleBuild {
 protected:
  void SetUp() override {
    SampleBuild::SetUp();
    fs::create_directories(Document());
    test::WriteFile(
        (Document() / "refs.bib").string(),
        vklib::AnsiToUtf8("@book{a, author={青木}, title={一}, publisher={P}, year=2001}\n"
                          "@book{b, author={坂井}, title={二}, publisher={P}, year=2002}\n"));
  }
  void Write(const std::string& name, const std::string& body, const std::string& preamble = "") {
    test::WriteFile(
        (Document() / name).string(),
        vklib::AnsiToUtf8("\\documentclass{jarticle}\n" + preamble + "\\begin{document}\n" + body +
                          "\n\\bibliographystyle{jplain}\n\\bibliography{refs}\n"
                          "\\end{document}\n"));
  }
};

TEST_F(OwnDocument, CitationsOfSeveralKeysNeedNoBibTeXOnceTheyAreResolved) {
  // The cite package writes \cite{a,b} as one \citation{a,b}.
  Write("main.tex", "本文\\cite{a,b}．", "\\usepackage{cite}\n");
  ASSERT_EQ(0, Run("main.tex")) << errors_;
  EXPECT_EQ((Lines{"platex main.tex", "pbibtex main", "platex main.tex", "platex main.tex"}),
            Actions());
  ASSERT_EQ(0, Run("main.tex")) << errors_;
  EXPECT_EQ(Lines{"platex main.tex"}, Actions());
}

TEST_F(OwnDocument, AFileNameWithABlankIsOneArgumentForEveryTool) {
  Write("my paper.tex", "本文\\cite{a}．");
  ASSERT_EQ(0, Run("--pdf 'my paper.tex'")) << errors_;
  EXPECT_EQ((Lines{"platex \"my paper.tex\"", "pbibtex \"my paper\"", "platex \"my paper.tex\"",
                   "platex \"my paper.tex\"", "dvipdfmx \"my paper.dvi\""}),
            Actions());
  EXPECT_EQ("Page size:       595.28 x 841.89 pts (A4)", PageSize("my paper.pdf"));
}

TEST_F(OwnDocument, NoCharacterOfAFileNameIsSpecial) {
  const Lines names = {"a$(touch PWNED).tex",
                       "a`touch PWNED`.tex",
                       "a;touch PWNED.tex",
                       "a|b.tex",
                       "a&b.tex",
                       "a*.tex",
                       "a\"b.tex",
                       "a 'b'.tex"};
  for (const std::string& name : names) {
    test::WriteFile((Document() / name).string(),
                    "\\documentclass{jarticle}\n\\begin{document}\nx\n\\end{document}\n");
    int status = Run(ShellWord(name));
    // Built to a DVI, or refused by TeX with its own message: never anything else run.
    std::string dvi = name.substr(0, name.size() - 4) + ".dvi";
    EXPECT_TRUE((status == 0 && Exists(dvi)) || (status == 1 && !errors_.empty())) << name;
    const Lines actions = Actions();
    ASSERT_FALSE(actions.empty()) << name;
    EXPECT_EQ("platex " + vklib::QuoteArgument(name), actions.front());
  }
  EXPECT_FALSE(Exists("PWNED"));
}

TEST_F(SampleBuild, AChapterNamingItsRootInACommentBuildsThatRoot) {
  // The root lies in a sibling directory, where no search from the chapter would look.
  fs::create_directories(Document() / "book");
  fs::create_directories(Document() / "parts");
  test::WriteFile((Document() / "book/main.tex").string(),
                  "\\documentclass[b5paper]{jarticle}\n\\begin{document}\n"
                  "\\input{../parts/chap}\n\\end{document}\n");
  test::WriteFile((Document() / "parts/chap.tex").string(),
                  vklib::AnsiToUtf8("% !TEX root = ../book/main\n本文．\n"));
  Settings({{Setting::kDVI2PDFWhichPaperSize, "1"}});  // the paper size from the root's options
  ASSERT_EQ(0, Run("--pdf parts/chap.tex")) << errors_;
  const Lines actions = Actions();
  ASSERT_GE(actions.size(), 2u);
  EXPECT_EQ("platex main.tex", actions.front());
  EXPECT_EQ("dvipdfmx -p b5 main.dvi", actions.back());
  EXPECT_EQ("Page size:       498.9 x 708.66 pts", PageSize("book/main.pdf"));
}

TEST_F(SampleBuild, ARootWhoseNameReadsAsAnOptionIsBuiltAsAFile) {
  // Given to platex as it stands, the name turns \write18 on and leaves no file to build.
  fs::create_directories(Document());
  test::WriteFile((Document() / "-cnf-line=shell_escape=t.tex").string(),
                  "\\documentclass{jarticle}\n\\begin{document}\n"
                  "\\immediate\\write18{echo >PWNED}\n\\input{chap}\n\\end{document}\n");
  test::WriteFile((Document() / "chap.tex").string(),
                  "% !TEX root = -cnf-line=shell_escape=t.tex\ntext\n");
  ASSERT_EQ(0, Run("--pdf chap.tex")) << errors_;
  const Lines actions = Actions();
  ASSERT_GE(actions.size(), 2u);
  EXPECT_EQ("platex ./-cnf-line=shell_escape=t.tex", actions.front());
  EXPECT_EQ("dvipdfmx ./-cnf-line=shell_escape=t.dvi", actions.back());
  EXPECT_TRUE(Exists("-cnf-line=shell_escape=t.pdf"));
  EXPECT_FALSE(Exists("PWNED"));
}

TEST_F(SampleBuild, TwoLinksToTheDocumentsDirectoryLeaveTheIncludeScanFinite) {
  // Each path through the links names the same file again, in ever longer paths.
  fs::create_directories(Document());
  fs::create_directory_symlink(".", Document() / "s1");
  fs::create_directory_symlink(".", Document() / "s2");
  test::WriteFile((Document() / "main.tex").string(),
                  "\\documentclass{jarticle}\n\\begin{document}\n\\input{s1/part}\n"
                  "\\input{s2/part}\n\\end{document}\n");
  // TeX reads the part once; the scan reads every line.
  test::WriteFile((Document() / "part.tex").string(),
                  "\\ifx\\partread\\undefined\\def\\partread{}\n\\input{s1/part}\n"
                  "\\input{s2/part}\n\\fi\ntext\n");
  ASSERT_EQ(0, Run("main.tex", "", 60)) << errors_;
  ASSERT_FALSE(Actions().empty());
  EXPECT_EQ("platex main.tex", Actions().front());
  EXPECT_TRUE(Exists("main.dvi"));
}

// How often the driver's output holds a text.
size_t Occurrences(const std::string& output, const std::string& text) {
  size_t count = 0;
  for (size_t at = output.find(text); at != std::string::npos; at = output.find(text, at + 1))
    ++count;
  return count;
}

TEST_F(SampleBuild, AWatchedDocumentIsBuiltAgainOnceAfterAnEditAndEndsOnCtrlC) {
  fs::create_directories(Document());
  test::WriteFile((Document() / "main.tex").string(),
                  "\\documentclass{jarticle}\n\\begin{document}\n\\input{chap}\n\\end{document}\n");
  const std::string chap = (Document() / "chap.tex").string();
  test::WriteFile(chap, "one\n");
  const long driver = StartInBackground("--watch chap.tex");
  const std::string waiting = "変更を待っています";
  auto waits = [&](size_t count) {
    return test::WaitUntil(
        [&] {
          ReadOutput();
          return Occurrences(output_, waiting) >= count;
        },
        std::chrono::seconds(120));
  };
  ASSERT_TRUE(waits(1)) << output_ << errors_;
  const size_t first_build = Actions().size();

  // An editor that writes its save in pieces.
  test::WriteFile(chap, "two\n");
  test::WriteFile(chap, "two\nthree\n");
  ASSERT_TRUE(waits(2)) << output_ << errors_;
  // Its own outputs (main.aux, main.log, main.dvi beside the sources) bring no further build.
  std::this_thread::sleep_for(std::chrono::seconds(2));
  ReadOutput();
  EXPECT_EQ(1u, Occurrences(output_, "が変わりました"));
  EXPECT_EQ(2u, Occurrences(output_, waiting));
  EXPECT_GT(Actions().size(), first_build);

  // Ctrl+C while TeX runs (TeX waits at the error prompt for an answer that never comes) ends
  // TeX and the driver.
  test::WriteFile(chap, "\\undefinedcommand\n");
  const long tex = RunningTeX(driver);
  ASSERT_NE(0, tex);
  ASSERT_EQ(0, kill(static_cast<pid_t>(driver), SIGINT));
  ASSERT_TRUE(test::WaitUntil([&] { return !test::ReadFile(work_.File("status.txt")).empty(); }));
  EXPECT_EQ("130\n", test::ReadFile(work_.File("status.txt")));
  EXPECT_FALSE(test::ProcessAlive(tex));
  // The stopped step did not fail: the driver says it was interrupted, and nothing else.
  ReadOutput();
  EXPECT_EQ(std::string::npos, errors_.find("の実行に失敗")) << errors_;
  EXPECT_EQ(1u, Occurrences(errors_, "pressel2-build: ビルドを中断しました．\n")) << errors_;
}

TEST_F(SampleBuild, NoToolOutlivesTheDriverEndedByCtrlBackslashOrKilled) {
  // TeX runs in a process group of its own, out of reach of the terminal's signals.
  fs::create_directories(Document());
  test::WriteFile((Document() / "main.tex").string(),
                  "\\documentclass{jarticle}\n\\begin{document}\n\\def\\loop{\\loop}\\loop\n"
                  "\\end{document}\n");
  // Ctrl+\ ends the build as Ctrl+C does; SIGKILL ends the driver at once.
  const std::pair<int, std::string> endings[] = {{SIGQUIT, "130\n"}, {SIGKILL, "137\n"}};
  for (const auto& [signal_number, status] : endings) {
    const long driver = StartInBackground("main.tex");
    const long tex = RunningTeX(driver);
    ASSERT_NE(0, tex) << signal_number;
    ASSERT_EQ(0, kill(static_cast<pid_t>(driver), signal_number));
    EXPECT_TRUE(test::WaitUntil([&] { return !test::ProcessAlive(tex); })) << signal_number;
    ASSERT_TRUE(test::WaitUntil([&] { return !test::ReadFile(work_.File("status.txt")).empty(); }));
    EXPECT_EQ(status, test::ReadFile(work_.File("status.txt")));
    if (test::ProcessAlive(tex)) test::KillProcess(tex);
  }
}

class LaTeXError : public SampleBuild {
 protected:
  void SetUp() override {
    SampleBuild::SetUp();
    fs::create_directories(Document());
    test::WriteFile((Document() / "main.tex").string(),
                    "\\documentclass{jarticle}\n\\begin{document}\n\\undefinedcommand\n"
                    "\\end{document}\n");
  }
};

TEST_F(LaTeXError, StopsTheLoopWithAMessageAndAFailure) {
  EXPECT_EQ(1, Run("main.tex"));
  EXPECT_EQ(Lines{"platex main.tex"}, Actions());
  // The error's place comes first, then the message; the emergency stop at the end of the input
  // is no error of the user's.
  EXPECT_EQ(
      "エラーがありました（platex 1回，T秒）．\nmain.tex:3: Undefined control sequence.\n"
      "Pressel2: platex main.texの実行に失敗．\n",
      test::WithoutTimes(errors_));
}

TEST_F(SampleBuild, AnErrorInAnIncludedChapterIsToldWithItsFileAndLine) {
  UseSample("book-utf8");
  Replace("chapters/basics.tex", "\\section", "\\undefinedcommand\n\\section");
  EXPECT_EQ(1, Run("chapters/basics.tex"));
  EXPECT_EQ(Lines{"platex main.tex"}, Actions());
  EXPECT_EQ(
      0u, test::WithoutTimes(errors_).find("エラーがありました（platex 1回，T秒）．\n"
                                           "chapters/basics.tex:2: Undefined control sequence.\n"))
      << errors_;
}

TEST_F(LaTeXError, AnAnswerOnStandardInputReachesTeXAtItsPrompt) {
  EXPECT_EQ(1, Run("main.tex", "x\n"));
  std::string log = test::ReadFile((Document() / "main.log").string());
  EXPECT_NE(std::string::npos, log.find("\n? x\n")) << log;
  EXPECT_EQ(std::string::npos, log.find("Emergency stop"));
  EXPECT_NE(std::string::npos, output_.find("? "));
}

TEST(Driver, ExplainsItsUsage) {
  test::TempDir dir;
  std::string driver = test::HelperPath("pressel2-build");
  std::string out = dir.File("out.txt");
  EXPECT_EQ(0, WEXITSTATUS(std::system(("'" + driver + "' --help >'" + out + "'").c_str())));
  EXPECT_EQ(0u, test::ReadFile(out).find("usage: pressel2-build"));
  EXPECT_EQ(2, WEXITSTATUS(std::system(("'" + driver + "' >/dev/null 2>'" + out + "'").c_str())));
  EXPECT_NE(std::string::npos, test::ReadFile(out).find("no file given"));
  EXPECT_EQ(2, WEXITSTATUS(std::system(("'" + driver + "' -x a.tex 2>'" + out + "'").c_str())));
  EXPECT_NE(std::string::npos, test::ReadFile(out).find("unknown option -x"));
  // 𠮷 has no Shift_JIS code: the file cannot be named to TeX, and the user is told so.
  test::WriteFile(dir.File(u8"\U00020BB7野.tex"), "\\documentclass{ujarticle}\n");
  EXPECT_EQ(2, WEXITSTATUS(std::system(("cd '" + dir.path() + "' && '" + driver +
                                        u8"' \U00020BB7野.tex 2>'" + out + "'")
                                           .c_str())));
  EXPECT_NE(std::string::npos, test::ReadFile(out).find("outside Shift_JIS"));
}

}  // namespace
