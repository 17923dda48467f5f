#include "build/build_host.h"
#include "build/dde_client.h"
#include "build/paper_table.h"
#include "build/placeholders.h"
#include "build/run_failure.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "settings/stored_choices.h"
#include "texsource/paths.h"
#include "vklib/viewer.h"

namespace {

// How long a new viewer may take to become ready for input before we go on without it.
constexpr int kViewerIdleMilliseconds = 30000;

// dviout's paper names.
constexpr PaperRow kDvioutPapers[] = {
    {"A3", "(A3J|a3paper)"}, {"A4", "(A4J|a4paper)"},
    {"A5", "(A5J|a5paper)"}, {"A6", "(A6J|a6paper)"},
    {"A7", "(A7J|a7paper)"}, {"E3", "B3E"},
    {"E4", "B4E"},           {"E5", "B5E"},
    {"E6", "B6E"},           {"B3", "(B3J|b3paper)"},
    {"B4", "(B4J|b4paper)"}, {"B5", "(B5J|b5paper)"},
    {"B6", "(B6J|b6paper)"}, {"Letter", "letterpaper"},
    {"Legal", "legalpaper"}, {"Executive", "executivepaper"},
};

std::string DvioutPaper(const std::string& class_options) {
  if (GetIniInt(Setting::kDVIOUTIsTellPaperSize) == 0) return std::string();
  switch (PaperChoiceOf(GetIniInt(Setting::kDVIOUTWhichPaperSize))) {
    case PaperChoice::kFromClass:
      return FindPaper(kDvioutPapers, class_options);
    case PaperChoice::kFromList:
      return GetIniString(Setting::kDVIOUTPaperSizeFromList);
    case PaperChoice::kInNumbers:
      return "F" + GetIniString(Setting::kDVIOUTPaperSizeX) + ":" +
             GetIniString(Setting::kDVIOUTPaperSizeY);
    default:
      return std::string();
  }
}

}  // namespace

std::string TeX::ExpandPlaceholders(const std::string& text) const {
  return ReplacePlaceholders(text, [this](char letter, bool) {
    switch (letter) {
      case 'f':
        return current_base;
      case 'd':
        return current_directory;
      case 'b':
        return current_stem;
      case 'k':
        return current_extension;
      case 'F':
        return parent_base;
      case 'D':
        return parent_directory;
      case 'B':
        return parent_stem;
      case 'K':
        return parent_extension;
      default:
        return std::string(1, letter);  // "%%" gives "%", "%z" gives "z"
    }
  });
}

bool TeX::LaunchViewer(const std::string& command_line, const char* caption) {
  // An argument such as "%B.dvi" names the file from the document's directory.
  vklib::SystemError error;
  if (vklib::LaunchProgram(command_line, parent_directory, kViewerIdleMilliseconds, error)) {
    return true;
  }
  Message(FailedRunMessage(command_line, "の実行に失敗．", error), caption);
  return false;
}

void TeX::Preview(Setting program, Setting argument, const char* caption) {
  std::string command =
      "\"" + GetIniString(program) + "\" " + ExpandPlaceholders(GetIniString(argument));
  LaunchViewer(command, caption);
}

bool TeX::TellNoDvi(const char* missing, const char* caption) {
  const std::string engine = PdfEngine();
  if (engine.empty()) return false;
  Message(engine + "はDVIを作らないので，" + missing +
              "はありません．「PDFファイルのプレビュー」で見てください．",
          caption);
  return true;
}

void TeX::PreviewPS() {
  if (!HasParent() || TellNoDvi("PSファイル", "Pressel")) return;
  // An empty program would fail as the command line `"" "main.ps"`, which tells nobody where
  // the viewer is set.
  if (GetIniString(Setting::kPSPreviewProgram).empty()) {
    Message(
        "PS閲覧ソフトのプログラムが設定されていません．「設定」メニューの「その他の閲覧ソフト」"
        "で「PS閲覧ソフト」の「プログラム」を指定してください．",
        "Pressel");
    return;
  }
  Preview(Setting::kPSPreviewProgram, Setting::kPSPreviewArg, "Pressel");
}

void TeX::PreviewPDF() {
  if (HasParent()) Preview(Setting::kPDFPreviewProgram, Setting::kPDFPreviewArg, "Pressel");
}

void TeX::PreviewDVI() {
  if (!HasParent() || TellNoDvi("DVIファイル", "Pressel2")) return;
  if (GetIniInt(Setting::kDVIOUTIsUseDVIOUT) == 0) {
    Preview(Setting::kDVIOUTProgram, Setting::kDVIOUTArg, "Pressel2");
    return;
  }
  const std::string paper = DvioutPaper(class_options);
  DdeClient dde;
  if (!dde.Connect("dviout", "dviout")) {
    const std::string path = GetIniString(Setting::kDVIOUTdvioutPath);
    if (path.empty()) {
      Message(
          "dvioutの場所が設定されていません．「設定」メニューの「DVI閲覧ソフト」で"
          "「dvioutの場所」を指定してください．");
      return;
    }
    std::string command = "\"" + path + "\"";
    if (!paper.empty()) command += " -y:" + paper;
    if (!LaunchViewer(command, "Pressel2")) return;
    if (!dde.Connect("dviout", "dviout")) {
      Message("DDE初期化に失敗．", "Pressel");
      return;
    }
  }
  if (GetIniInt(Setting::kDVIOUTMaximize) != 0) vklib::MaximizeWindowOfClass("dviout");
  dde.Execute("[WinNormal]");
  if (!paper.empty()) dde.Execute("[ValueSet( -y:" + paper + ")]");
  if (dde.Request("dvifile") != parent_stem + ".dvi") {
    dde.Execute("[FileOpen(" + JoinPath(parent_directory, parent_stem + ".dvi") + ")]");
  }
  dde.Disconnect();
}
