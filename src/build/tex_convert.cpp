#include "build/build_host.h"
#include "build/paper_table.h"
#include "build/run_failure.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "settings/stored_choices.h"
#include "vklib/command_line.h"
#include "vklib/file.h"

namespace {

// The paper names of the DVI-to-PDF program. The search ignores case, so "A4J?" already
// catches "a4paper".
constexpr PaperRow kPaperTable[] = {
    {"a3", "(A3J?|a3paper)"}, {"a4", "(A4J?|a3paper)"}, {"a5", "(A5J?|a3paper)"},
    {"a6", "(A6J?|a3paper)"}, {"b3", "(B3J?|b3paper)"}, {"b4", "(B4J?|b3paper)"},
    {"b5", "(B5J?|b3paper)"}, {"b6", "(B6J?|b3paper)"}, {"letter", "letterpaper"},
    {"legal", "legalpaper"},
};

#ifdef _WIN32
const char kGhostScriptConverter[] = "ps2pdf.bat";
#else
const char kGhostScriptConverter[] = "ps2pdf";
#endif

// The paper's words, each written for the program to read whole.
std::string PaperArgument(const std::string& program, const std::string& class_options) {
  std::string list_value = GetIniString(Setting::kDVI2PDFPaperSizeFromList);
  if (list_value == "other") return std::string();
  switch (PaperChoiceOf(GetIniInt(Setting::kDVI2PDFWhichPaperSize))) {
    case PaperChoice::kFromClass: {
      std::string name = FindPaper(kPaperTable, class_options);
      return name.empty() ? name : " -p " + name;
    }
    case PaperChoice::kFromList:
      // dvipdfmx takes a size only after -p; without it the size reads as a second DVI file.
      return list_value.empty() ? std::string()
                                : " -p " + vklib::ProgramArgument(program, list_value);
    case PaperChoice::kInNumbers: {
      // "PaperSizeX" is the length typed beside "縦" (height), "PaperSizeY" the one beside
      // "横" (width); dvipdfmx takes the width first.
      std::string height = GetIniString(Setting::kDVI2PDFPaperSizeX);
      std::string width = GetIniString(Setting::kDVI2PDFPaperSizeY);
      return height.empty() || width.empty()
                 ? std::string()
                 : " -p " + vklib::ProgramArgument(program, width + "," + height);
    }
    default:
      return std::string();
  }
}

}  // namespace

bool TeX::RunConverter(const std::string& command, const std::string& made,
                       const char* start_failure, const char* exit_failure) {
  tally_.Begin();
  if (!Execute(command, parent_directory)) {
    Message(FailedRunMessage(command, start_failure, host_.StartError()));
    return false;
  }
  if (int32_t code = host_.GetExitCode(); code != 0) {
    host_.ReportLine(ErrorsLine(tally_));
    Message("エラーコード" + std::to_string(static_cast<uint32_t>(code)) + exit_failure);
    return false;
  }
  host_.ReportLine(MadeLine(made, tally_));
  return true;
}

bool TeX::DVI2PS() {
  if (!HasParent()) return false;
  if (const std::string engine = PdfEngine(); !engine.empty()) {
    Message(engine + "はDVIを作らないので，DVI→PSの変換はできません．");
    return false;
  }
  std::string program =
      ChosenProgram(Setting::kDVI2PSWhichProgram, Setting::kDVI2PSProgram, "dvi2ps", "dvips");
  if (program.empty()) {
    Message("DVI→PS変換の設定がなされてません．");
    return false;
  }
  std::string command;
  return ToolCommand(Setting::kDVI2PSOption, program, "", {parent_stem + ".dvi"}, command) &&
         RunConverter(command, parent_stem + ".ps", "の実行に失敗しました．", "が帰ってきました．");
}

bool TeX::DVI2PDF() {
  if (!HasParent()) return false;
  // The PDF is made already, by LaTeX itself.
  if (const std::string engine = PdfEngine(); !engine.empty()) {
    host_.ReportLine(engine + "はPDFを直接作るので，DVI→PDFの変換はいりません．");
    return true;
  }
  std::string program =
      ProgramChoiceOf(GetIniInt(Setting::kDVI2PDFWhichProgram)) == ProgramChoice::kUsers
          ? GetIniString(Setting::kDVI2PDFProgram)
          : std::string("dvipdfmx");
  if (program.empty()) {
    Message("DVI→PDF変換の設定がなされてません．");
    return false;
  }
  std::string command;
  return ToolCommand(Setting::kDVI2PDFOption, program, PaperArgument(program, class_options),
                     {parent_stem + ".dvi"}, command) &&
         RunConverter(command, parent_stem + ".pdf", "の実行に失敗．", "が帰ってきました．");
}

bool TeX::PS2PDF() {
  if (!HasParent()) return false;
  std::string program = GetIniInt(Setting::kPS2PDFIsGhostScript) != 0
                            ? std::string(kGhostScriptConverter)
                            : GetIniString(Setting::kPS2PDFProgram);
  if (program.empty()) {
    Message("PS→PDF変換の設定がなされていません．");
    return false;
  }
  std::string command;
  return ToolCommand(Setting::kPS2PDFOption, program, "",
                     {parent_stem + ".ps", parent_stem + ".pdf"}, command) &&
         RunConverter(command, parent_stem + ".pdf", "の実行に失敗しました．", "が返りました．");
}
