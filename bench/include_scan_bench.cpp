// What the build does before its first tool starts, on a root of N \input lines that each name a
// small file of their own: the parent search on the root (which stops at its class line) and the
// analysis' include list. The goal is 100 ms at 4000 lines, and a cost that grows with N, not N².
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "build/aux_analyzer.h"
#include "texsource/parent.h"

namespace {

namespace fs = std::filesystem;

// A fresh document of `inputs` sections.
std::string WriteDocument(int inputs) {
  const fs::path directory = fs::temp_directory_path() / "pressel2-include-bench";
  fs::remove_all(directory);
  fs::create_directories(directory / "sec");
  std::ofstream root(directory / "main.tex");
  root << "\\documentclass{jarticle}\n\\begin{document}\n";
  for (int i = 0; i < inputs; ++i) {
    const std::string name = "s" + std::to_string(i);
    root << "\\input{sec/" << name << "}\n";
    std::ofstream(directory / "sec" / (name + ".tex")) << "Section " << i << ".\n";
  }
  root << "\\end{document}\n";
  return (directory / "main.tex").string();
}

void BM_BeforeFirstTool(benchmark::State& state) {
  const std::string root = WriteDocument(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ClassInfo info;
    benchmark::DoNotOptimize(FindParentFile(root, info));
    AuxAnalyzer analyzer;
    benchmark::DoNotOptimize(analyzer.Start(root));
  }
}
BENCHMARK(BM_BeforeFirstTool)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
