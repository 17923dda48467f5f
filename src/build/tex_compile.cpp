#include "build/aux_analyzer.h"
#include "build/build_host.h"
#include "build/run_failure.h"
#include "build/tex.h"
#include "build/tex_log.h"
#include "settings/settings.h"
#include "texsource/paths.h"
#include "vklib/codepage.h"
#include "vklib/file.h"

namespace {

const char kFailedToRun[] = "の実行に失敗．";

}  // namespace

void TeX::Message(const std::string& text, const char* caption) {
  host_.ShowMessage(text, caption);
}

bool TeX::HasParent() {
  if (current_file.empty()) {
    Message("ファイルが読み込まれてません．");
    return false;
  }
  if (parent_base.empty()) {
    // A name holding a character the ANSI code page lacks reaches us with "?" in its place,
    // which no Windows file name holds.
    const bool unnamable =
        current_file.find('?') != std::string::npos && !vklib::FileExists(current_file);
    Message(unnamable ? "ファイル名にShift_JISで表せない文字があるので，開けません．"
                      : "親ファイルの取得に失敗．");
    return false;
  }
  return true;
}

bool TeX::TeXCommand(const std::string& file_argument, std::string& command) {
  const std::string program = TeXProgram();
  if (program.empty()) {
    Message("TeXプログラムの設定がされてません．");
    return false;
  }
  return ToolCommand(Setting::kTeX2DVIOption, program, KanjiArgument(Setting::kTeX2DVIOption),
                     {file_argument}, command);
}

int TeX::FileKind(const std::string& file) {
  std::string extension = SplitPath(file).extension;
  vklib::LowerCaseAnsi(extension);
  if (extension == ".tex") return kTeX2DVI;
  if (extension == ".dvi") return kDVI2PDF;
  if (extension == ".ps") return kPS2PDF;
  return kNoStep;
}

bool TeX::Convert(int step) {
  switch (step) {
    case kTeX2DVI:
      return TeX2DVI();
    case kDVI2PS:
      return DVI2PS();
    case kDVI2PDF:
      return DVI2PDF();
    case kPS2PDF:
      return PS2PDF();
    default:
      return false;
  }
}

bool TeX::Execute(const std::string& command_line, const std::string& directory) {
  if (!host_.Execute(command_line, directory)) return false;
  tally_.Ran(command_line);
  return true;
}

bool TeX::TeX2DVI() {
  if (!HasParent()) return false;
  const std::string parent = parent_base + parent_extension;
  if (!vklib::FileExists(parent)) {
    Message("ファイルが存在しません．");
    return false;
  }

  // The log tells the end of the step, when this step wrote it.
  const std::string log_path = JoinPath(parent_directory, parent_stem + ".log");
  const vklib::FileStamp log_before = vklib::StampOf(log_path);
  TellEngine();
  tally_.Begin();
  std::vector<std::string> notes;
  std::string failure;  // of a LaTeX run: told after the closing lines, which it refers to
  bool built = false;
  if (GetIniInt(Setting::kTeX2DVIIsAnalyze) == 0) {
    built = SimpleBuild(failure);
  } else {
    // A .dvi, .ps or .pdf parent stands for the .tex file of its stem: TeX is given the stem,
    // and reads that file.
    built = AnalysingBuild(SourceFile(), IsOutputExtension(parent_extension), notes, failure);
  }
  if (!tally_.Empty()) {
    TeXLog log;
    if (vklib::StampOf(log_path) != log_before) ReadTeXLogFile(log_path, log);
    for (const std::string& line : TeXClosingLines(log, !failure.empty(), tally_, notes))
      host_.ReportLine(line);
  }
  if (!failure.empty()) Message(failure);
  return built;
}

bool TeX::SimpleBuild(std::string& failure) {
  std::string command;
  if (!TeXCommand(parent_stem, command)) return false;
  if (!Execute(command, parent_directory)) {
    failure = FailedRunMessage(command, kFailedToRun, host_.StartError());
    return false;
  }
  if (host_.GetExitCode() != 0) {
    failure = "コンパイラはエラーを返しました．";
    return false;
  }
  return true;
}

bool TeX::AnalysingBuild(const std::string& source, bool output_parent,
                         std::vector<std::string>& notes, std::string& failure) {
  AuxAnalyzer analyzer;
  std::string actions = analyzer.Start(source);
  // A file without the bound (an older one, or one cut short) builds as a first run would.
  const int max_actions = GetIniInt(Setting::kTeX2DVIMaxCompile, kDefaultMaxCompile);
  // The exit code of each tool's last run, told at the end: a later run that succeeds makes good
  // what an earlier one could not.
  uint32_t index_code = 0, bibliography_code = 0;
  const char* bibliography_tool = "BibTeX";
  for (int done = 0; done < max_actions && !actions.empty(); ++done) {
    size_t line_end = actions.find('\n');
    std::string action = actions.substr(0, line_end);
    vklib::LowerCaseAnsi(action);
    const std::string argument = line_end == std::string::npos ? "" : actions.substr(line_end + 1);
    if (action == "latex") {
      PathParts parts = SplitPath(argument);
      std::string command;
      if (!TeXCommand(output_parent ? parts.stem : parts.name, command)) return false;
      if (!Execute(command, parts.directory) || host_.GetExitCode() != 0) {
        failure = FailedRunMessage(command, kFailedToRun, host_.StartError());
        return false;
      }
    } else if (action == "makeindex" || action == "bibtex") {
      const bool index = action == "makeindex";
      // biblatex's bibliography is Biber's to make.
      const bool biber = !index && analyzer.BibliographyByBiber();
      if (!(index ? MakeIndex(argument) : biber ? Biber(argument) : BibTeX(argument))) return false;
      const char* tool = index ? "MakeIndex" : biber ? "Biber" : "BibTeX";
      const uint32_t code = static_cast<uint32_t>(host_.GetExitCode());
      (index ? index_code : bibliography_code) = code;
      if (!index) bibliography_tool = tool;
      if (code == 0) {
        analyzer.ToolSucceeded();
      } else {
        host_.SetTitle(std::string(tool) + "を実行したところ，エラーコード" + std::to_string(code) +
                       "を返しましたが，そのまま実行を続けます．");
      }
    }
    actions = analyzer.Next();
  }

  // What the build could not finish is told at its end, and makes the step fail.
  auto note_tool = [&](uint32_t code, const char* tool, const char* output) {
    if (code == 0) return;
    notes.push_back(std::string(tool) + "がエラーコード" + std::to_string(code) + "を返したので，" +
                    output + "が正しくない可能性があります．");
  };
  note_tool(index_code, "MakeIndex", "索引");
  note_tool(bibliography_code, bibliography_tool, "文献リスト");
  if (!actions.empty() && max_actions > 0) {
    notes.push_back("最大コンパイル回数（" + std::to_string(max_actions) +
                    "回）に達したので，相互参照などが確定しないまま終わりました．");
  }
  return notes.empty();
}
