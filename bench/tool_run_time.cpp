// One tool run through the process runner as the echo runs it (its streams on pipes, its output
// read as it comes, until it has ended), RUNS times: the first run and the mean of the others,
// in milliseconds. Native, this is the tool itself; under Wine it is the tool through the
// window's bridge, whose first run also starts the bridge.
// Usage: tool_run_time RUNS COMMAND LINE...
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "build/echo_run.h"
#include "vklib/process.h"

namespace {

class Discard : public OutputSink {
 public:
  void AppendOwn(const std::string&, bool) override {}
  void Append(const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 2 ? std::atoi(argv[1]) : 0;
  if (runs < 2) {
    std::fputs("usage: tool_run_time RUNS COMMAND LINE...\n", stderr);
    return 2;
  }
  std::string command_line = argv[2];
  for (int i = 3; i < argc; ++i)
    command_line += std::string(" ") + argv[i];
  vklib::Process process;
  Discard sink;
  EchoWait wait = [&](int milliseconds) {
    process.WaitForActivity(milliseconds);
    return false;
  };
  double first = 0, others = 0;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    if (!RunWithEcho(process, command_line, std::string(), sink, wait) ||
        process.ExitCode() != 0) {
      std::fprintf(stderr, "tool_run_time: %s failed\n", command_line.c_str());
      return 1;
    }
    const double elapsed =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    (run == 0 ? first : others) += elapsed;
  }
  std::printf("first %.1f ms, then %.1f ms a run (mean of %d)\n", first, others / (runs - 1),
              runs - 1);
  return 0;
}
