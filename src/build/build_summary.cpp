#include "build/build_summary.h"

#include <algorithm>

#include "build/source_location.h"
#include "build/tex_log.h"
#include "texsource/paths.h"
#include "vklib/command_line.h"

namespace {

// TeX names the files of the document's directory as it opened them, "./chapters/chap2.tex".
std::string DocumentPath(std::string file) {
  while (file.size() > 2 && file[0] == '.' && (file[1] == '/' || file[1] == '\\'))
    file.erase(0, 2);
  return file;
}

std::string WarningsLine(const TeXLog& log) {
  std::vector<std::pair<const char*, size_t>> kinds = {{"未定義の参照", log.undefined_references},
                                                       {"未定義の引用", log.undefined_citations},
                                                       {"再実行の指示", log.rerun ? 1 : 0}};
  size_t total = 0;
  std::string parts;
  for (const auto& [kind, count] : kinds) {
    if (count == 0) continue;
    total += count;
    parts += (parts.empty() ? "" : "，") + std::string(kind) + std::to_string(count) + "個";
  }
  if (total == 0) return std::string();
  return "対処が必要な警告が" + std::to_string(total) + "個あります（" + parts + "）．";
}

}  // namespace

void StepTally::Begin() {
  runs_.clear();
  begun_ = std::chrono::steady_clock::now();
}

void StepTally::Ran(const std::string& command_line) {
  // The program's name ends at a blank, a tab or its closing quote, bytes that are never the
  // second byte of a Shift_JIS character.
  const std::vector<std::string> words = vklib::SplitCommandLine(command_line);
  std::string program = words.empty() ? std::string() : SplitPath(words.front()).name;
  for (const char* suffix : {".exe", ".bat", ".cmd"}) {
    if (HasExtension(program, suffix)) program.resize(program.size() - 4);
  }
  auto known = std::find_if(runs_.begin(), runs_.end(),
                            [&](const auto& run) { return run.first == program; });
  if (known == runs_.end()) {
    runs_.emplace_back(program, 1);
  } else {
    ++known->second;
  }
}

std::string StepTally::Text() const {
  std::string text;
  for (const auto& [program, count] : runs_)
    text += program + " " + std::to_string(count) + "回，";
  const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - begun_)
                                .count();
  const long long tenths = (milliseconds + 50) / 100;
  return text + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "秒";
}

std::string MadeLine(const std::string& made, const StepTally& tally) {
  return made + " を作りました（" + tally.Text() + "）．";
}

std::string ErrorsLine(const StepTally& tally) {
  return "エラーがありました（" + tally.Text() + "）．";
}

std::vector<std::string> TeXClosingLines(const TeXLog& log, bool failed, const StepTally& tally,
                                         const std::vector<std::string>& notes) {
  std::vector<std::string> lines;
  if (failed || !log.errors.empty()) {
    lines.push_back(ErrorsLine(tally));
  } else if (!log.output.empty()) {
    lines.push_back(MadeLine(log.output, tally));
  } else if (log.no_pages) {
    lines.push_back("ページがないので，何も作りませんでした（" + tally.Text() + "）．");
  } else {
    lines.push_back("ビルドが終わりました（" + tally.Text() + "）．");
  }
  for (const TeXError& error : log.errors)
    lines.push_back(LocationLine(DocumentPath(error.file), error.line, error.message));
  lines.insert(lines.end(), notes.begin(), notes.end());
  if (std::string warnings = WarningsLine(log); !warnings.empty()) lines.push_back(warnings);
  return lines;
}
