#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

struct TeXLog;

// The lines that close each step of a build, at the end of the pane (on pressel2-build's
// standard error): what the step made, which tools it ran and how long it took, or the errors
// that stopped it.

// What a step ran, and since when it runs.
class StepTally {
 public:
  // A step begins: nothing has run yet, and its time starts now.
  void Begin();
  // A child started with this command line: its program (the first word, without its directory
  // and ".exe", ".bat" or ".cmd") ran once more.
  void Ran(const std::string& command_line);
  bool Empty() const { return runs_.empty(); }
  // "platex 3回，pbibtex 1回，4.2秒": each program in the order it first ran, then the time.
  std::string Text() const;

 private:
  std::vector<std::pair<std::string, int>> runs_;
  std::chrono::steady_clock::time_point begun_ = std::chrono::steady_clock::now();
};

// 「main.dvi を作りました（platex 3回，4.2秒）．」
std::string MadeLine(const std::string& made, const StepTally& tally);
// 「エラーがありました（dvipdfmx 1回，0.3秒）．」
std::string ErrorsLine(const StepTally& tally);

// The closing lines of a TeX-to-DVI step: what TeX wrote, by its log (or ErrorsLine when the
// last LaTeX run `failed` or its log holds errors); each error of the log as "file:line:
// message", the file relative to the document's directory; the `notes` of the build (a tool
// that failed, a document that did not settle); and how many warnings the user has to act on.
std::vector<std::string> TeXClosingLines(const TeXLog& log, bool failed, const StepTally& tally,
                                         const std::vector<std::string>& notes);
