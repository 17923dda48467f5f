// Throughput of what happens to a child's output on its way into the pane: the chunk conversion
// and the append to the edit buffer (wrapping on), at two sizes, so that the ratio of the times
// shows whether appending costs linear time.
#include <benchmark/benchmark.h>

#include <string>

#include "build/output_chunks.h"
#include "vklib/window/edit/edit_core.h"

namespace {

// TeX-like output: ASCII and Shift_JIS lines with CR LF ends, some longer than a row.
std::string SampleOutput(size_t size) {
  const std::string lines[] = {
      "(./chap1.tex [1] [2] [3]) (./chap2.tex\r\n",
      "LaTeX Warning: Reference `fig:1' on page 3 undefined on input line 42.\r\n",
      "第1章　はじめに：本章では表示ソフトの構成を述べる．\r\n",
      "Overfull \\hbox (12.3pt too wide) in paragraph at lines 10--12 []\\JY1/mc/m/n/10 "
      "日本語の段落がここで少し長くなりすぎています．\r\n",
  };
  std::string output;
  for (size_t i = 0; output.size() < size; ++i)
    output += lines[i % 4];
  output.resize(size);
  return output;
}

constexpr size_t kPiece = 4094;

void BM_ChunkConversion(benchmark::State& state) {
  const std::string output = SampleOutput(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    ChunkConverter converter;
    size_t total = 0;
    for (size_t pos = 0; pos < output.size(); pos += kPiece) {
      total += converter.Convert(output.data() + pos, std::min(kPiece, output.size() - pos)).size();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * output.size()));
}

void BM_PaneAppend(benchmark::State& state) {
  const std::string output = SampleOutput(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    vklib::window::edit::EditCore pane;  // wrapping at 80 columns, as the output pane
    ChunkConverter converter;
    for (size_t pos = 0; pos < output.size(); pos += kPiece) {
      std::string text =
          converter.Convert(output.data() + pos, std::min(kPiece, output.size() - pos));
      pane.Append(text);
    }
    benchmark::DoNotOptimize(pane.Buffer().DisplayRowCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * output.size()));
}

constexpr int64_t kSmall = 8 << 20;
BENCHMARK(BM_ChunkConversion)->Arg(kSmall)->Arg(2 * kSmall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaneAppend)->Arg(kSmall)->Arg(2 * kSmall)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
