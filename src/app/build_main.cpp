// pressel2-build: the build steps of Pressel2 without its window. Each file named on the command
// line becomes the current file, its parent is resolved, and it is taken one stage further:
// a .tex file to DVI, a .dvi or .ps file to PDF. The output pane is standard output; message
// boxes go to standard error as "caption: text"; lines typed on standard input reach the
// running tool. With --watch, the one file is built again whenever a source of it changes.
#include <cstdio>
#include <string>
#include <vector>

#include "app/watching_build.h"
#include "build/console_host.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "version.h"
#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/interrupt.h"

namespace {

const char kUsage[] =
    "usage: pressel2-build [--help] [--version] [--pdf] FILE...\n"
    "       pressel2-build --watch [--pdf] FILE\n"
    "\n"
    "Builds each FILE as Pressel2 does when it is opened: the document's parent file is\n"
    "found, then a .tex file is compiled to DVI (repeating LaTeX, BibTeX and MakeIndex as\n"
    "the auxiliary files ask), and a .dvi or .ps file is converted to PDF.\n"
    "\n"
    "  --pdf    convert the DVI of a .tex file on to PDF, as the DVI->PDF command does\n"
    "           (the paper size can then come from the document's class options; with\n"
    "           lualatex, xelatex and pdflatex, which make the PDF, nothing is left to do)\n"
    "  --watch  after the build, wait; whenever a file the document reads changes (the\n"
    "           parent, the files it brings in, the .bib files its .aux names, and the .sty,\n"
    "           .cls, .bst and .ist files beside it), build again once the files have been\n"
    "           quiet for 300 ms. Ctrl+C ends the running tool and the watch.\n"
    "\n"
    "A chapter may name its document's root file in a comment among its first 20 lines:\n"
    "  % !TEX root = ../main.tex\n"
    "When that file exists it is the parent (unless the settings fix the parent file).\n"
    "\n"
    "The TeX engine is the one the document names: in a comment among the first 20 lines\n"
    "of the parent or the file (% !TEX program = uplatex, or %#!uplatex), else by its class\n"
    "line or preamble (the uplatex, lualatex, xelatex or platex option; a upLaTeX or\n"
    "LuaTeX-ja class; luatexja, zxjatype or xeCJK loaded; ...), else the TeX program of the\n"
    "settings. BibTeX and MakeIndex follow it (upbibtex and mendex -U but for platex),\n"
    "Biber makes the bibliography of biblatex, and platex, pbibtex and mendex are told the\n"
    "encoding of a Shift_JIS, EUC-JP or ISO-2022-JP source. A line on standard error says\n"
    "what the document decided.\n"
    "\n"
    "The tools' output goes to standard output, messages to standard error; lines typed\n"
    "on standard input reach the running tool (answer TeX's prompts there). Each step ends\n"
    "with a line on standard error: what it made, the tools it ran and the time, or TeX's\n"
    "errors as FILE:LINE: MESSAGE. Settings are read from the .ini file beside this\n"
    "program, written with defaults on the first run.\n"
    "\n"
    "Exit status: 0 when every step succeeded, 1 when one failed (also when MakeIndex,\n"
    "BibTeX or Biber failed, or the document did not settle), 2 for a usage error, 130\n"
    "after Ctrl+C.\n";

constexpr int kInterruptedStatus = 130;

void Write(std::FILE* stream, const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fflush(stream);
}

// Our own text, in the terminal's encoding.
void Print(std::FILE* stream, const std::string& ansi) {
  Write(stream, vklib::ConsoleText(ansi));
}

class StandardOutput : public OutputSink {
 public:
  void AppendOwn(const std::string& text, bool) override { Print(stdout, text); }
  // The tools' own output passes unchanged.
  void Append(const std::string& text) override { Write(stdout, text); }
};

class StandardError : public ConsoleHost::Report {
 public:
  void Message(const std::string& text, const std::string& caption) override {
    Print(stderr, caption + ": " + text + "\n");
  }
  void Title(const std::string& title) override { Print(stderr, "title: " + title + "\n"); }
  void Line(const std::string& line) override { Print(stderr, line + "\n"); }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  bool to_pdf = false;
  bool watch = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (argument == "--version") {
      std::puts("pressel2-build " PRESSEL2_VERSION);
      return 0;
    }
    if (argument == "--pdf") {
      to_pdf = true;
      continue;
    }
    if (argument == "--watch") {
      watch = true;
      continue;
    }
    if (argument.size() > 1 && argument[0] == '-') {
      std::fprintf(stderr, "pressel2-build: unknown option %s\n\n%s", argv[i], kUsage);
      return 2;
    }
    // Names travel as Shift_JIS: one that does not come back whole would name another file.
    const std::string name = vklib::ArgumentText(argument);
    if (vklib::ConsoleText(name) != argument) {
      std::fprintf(stderr,
                   "pressel2-build: %s: the name holds a character outside Shift_JIS, which "
                   "Pressel2 cannot pass to TeX; rename the file\n",
                   argv[i]);
      return 2;
    }
    files.push_back(vklib::FullPath(name));
  }
  if (files.empty()) {
    std::fprintf(stderr, "pressel2-build: no file given\n\n%s", kUsage);
    return 2;
  }
  if (watch && files.size() != 1) {
    std::fprintf(stderr, "pressel2-build: --watch takes one file\n\n%s", kUsage);
    return 2;
  }
  vklib::CatchInterrupt();

  StandardOutput output;
  StandardError report;
  if (IsFirstRun() && !WriteFirstRunDefaults()) {
    report.Message(UnwritableSettingsMessage(), "Pressel2");
  }
  ConsoleHost host(output, report, true);
  TeX tex(host);
  int status = 0;
  auto build = [&] {
    tex.ResolveParent();
    int step = TeX::FileKind(tex.current_file);
    if (step == TeX::kNoStep) {
      Print(stderr, tex.current_file + ": nothing to build from this kind of file\n");
      return;
    }
    bool built = tex.Convert(step);
    if (built && to_pdf && step == TeX::kTeX2DVI) {
      tex.ResolveParent();
      built = tex.DVI2PDF();
    }
    if (!built) status = 1;
  };
  for (const std::string& file : files) {
    tex.current_file = file;
    if (watch)
      BuildWhileWatching(tex, build, [](const std::string& line) { Print(stdout, line); });
    else
      build();
    if (vklib::Interrupted()) {
      report.Message("ビルドを中断しました．", "pressel2-build");
      return kInterruptedStatus;
    }
  }
  return status;
}
