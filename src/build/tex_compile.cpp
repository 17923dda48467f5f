#include "build/aux_analyzer.h"
#include "build/build_host.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "texsource/paths.h"
#include "vklib/codepage.h"
#include "vklib/file.h"

namespace {

const char kSection[] = "TeX2DVI";
const char kFailedToRun[] = "の実行に失敗．";

// The format file's name without ".fmt" is the program that loads it ("platex.fmt": platex); a
// name without the extension is taken as the program itself.
std::string ProgramOfFormat(std::string format) {
  if (HasExtension(format, ".fmt")) format.resize(format.size() - 4);
  return format;
}

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
    Message("親ファイルの取得に失敗．");
    return false;
  }
  return true;
}

bool TeX::TeXCommand(const std::string& file_argument, std::string& command) {
  std::string program = GetIniInt(kSection, "IsUsingFormat") != 0
                            ? ProgramOfFormat(GetIniString(kSection, "FormatFile"))
                            : GetIniString(kSection, "Program");
  if (program.empty()) {
    Message("TeXプログラムの設定がされてません．");
    return false;
  }
  return ToolCommand(kSection, program, "", {file_argument}, command);
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

bool TeX::TeX2DVI() {
  if (!HasParent()) return false;
  const std::string parent = parent_base + parent_extension;
  if (!vklib::FileExists(parent)) {
    Message("ファイルが存在しません．");
    return false;
  }

  // A .dvi, .ps or .pdf parent stands for the .tex file of its stem: TeX is given the stem,
  // and reads that file.
  const bool output_parent = IsOutputExtension(parent_extension);
  std::string command;
  if (GetIniInt(kSection, "IsAnalyze") == 0) {
    if (!TeXCommand(parent_stem, command)) return false;
    if (!host_.Execute(command, parent_directory)) {
      Message(command + kFailedToRun);
      return false;
    }
    if (host_.GetExitCode() != 0) {
      Message("コンパイラはエラーを返しました．");
      return false;
    }
    return true;
  }

  AuxAnalyzer analyzer;
  std::string actions = analyzer.Start(output_parent ? parent_base + ".tex" : parent);
  const int max_actions = GetIniInt(kSection, "MaxCompile");
  for (int done = 0; done < max_actions && !actions.empty(); ++done) {
    size_t line_end = actions.find('\n');
    std::string action = actions.substr(0, line_end);
    vklib::LowerCaseAnsi(action);
    const std::string argument = line_end == std::string::npos ? "" : actions.substr(line_end + 1);
    if (action == "latex") {
      PathParts parts = SplitPath(argument);
      if (!TeXCommand(output_parent ? parts.stem : parts.name, command)) return false;
      if (!host_.Execute(command, parts.directory) || host_.GetExitCode() != 0) {
        Message(command + kFailedToRun);
        return false;
      }
    } else if (action == "makeindex" || action == "bibtex") {
      bool index = action == "makeindex";
      if (!(index ? MakeIndex(argument) : BibTeX(argument))) return false;
      if (int32_t code = host_.GetExitCode(); code != 0) {
        host_.SetTitle(std::string(index ? "MakeIndex" : "BibTeX") +
                       "を実行したところ，エラーコード" +
                       std::to_string(static_cast<uint32_t>(code)) +
                       "を返しましたが，そのまま実行を続けます．");
      }
    }
    actions = analyzer.Next();
  }
  return true;
}
