// The analysis of the auxiliary files that decides the next step of a build, over a parent that
// includes one chapter. The input, split at "\n\x01\n", gives main.aux, chap.aux and the build
// state main.pressel2; its first byte's low bit says whether main.idx exists, and the next bit
// whether the tools succeed. Whatever the files hold, the answers name the parent, and with
// nothing rewritten between the steps each of two builds settles within a few of them.
#include <unistd.h>

#include <string>
#include <string_view>

#include "build/aux_analyzer.h"
#include "fuzz_support.h"
#include "texsource/paths.h"

namespace {

bool IsAnswerFor(const std::string& answer, const std::string& parent) {
  for (const char* action : {"latex\n", "makeindex\n", "bibtex\n"}) {
    if (answer == action + parent) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string directory = FuzzDirectory();
  const std::string parent = directory + "/main.tex";
  static const bool sources_written = [&] {
    const std::string main = "\\documentclass{article}\n\\include{chap}\n";
    WriteWholeFile(parent, reinterpret_cast<const uint8_t*>(main.data()), main.size());
    WriteWholeFile(directory + "/chap.tex", nullptr, 0);
    return true;
  }();
  (void)sources_written;

  std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const char* name : {"/main.aux", "/chap.aux", "/main.pressel2"}) {
    size_t stop = input.find("\n\x01\n");
    std::string_view part = input.substr(0, stop);
    WriteWholeFile(directory + name, reinterpret_cast<const uint8_t*>(part.data()), part.size());
    input = stop == std::string_view::npos ? std::string_view() : input.substr(stop + 3);
  }
  const std::string index = directory + "/main.idx";
  if (size > 0 && (data[0] & 1)) {
    WriteWholeFile(index, nullptr, 0);
  } else {
    unlink(index.c_str());
  }

  const bool tools_succeed = size > 0 && (data[0] & 2);
  // With no TeX run in between: MakeIndex and BibTeX at most, then nothing; the second build
  // reads the state that the first wrote.
  for (int build = 0; build < 2; ++build) {
    AuxAnalyzer analyzer;
    if (analyzer.Start(parent) != "latex\n" + parent) __builtin_trap();
    int steps = 0;
    for (std::string answer = analyzer.Next(); !answer.empty(); answer = analyzer.Next()) {
      if (!IsAnswerFor(answer, parent) || ++steps > 2) __builtin_trap();
      if (tools_succeed) analyzer.ToolSucceeded();
    }
  }
  for (const std::string& bib : AuxAnalyzer::BibFiles(parent)) {
    PathParts parts = SplitPath(bib);
    if (parts.stem.empty() && parts.extension.empty()) __builtin_trap();
    if (!IsAbsolutePath(bib)) __builtin_trap();
  }
  return 0;
}
