// What the menu and the toolbar ask for, and the opening of files.
#include "app/main_wnd.h"
#include "app/version_dlg.h"
#include "build/run_failure.h"
#include "dialogs/one_text_dlg.h"
#include "dialogs/paper_sets.h"
#include "dialogs/program_choice_set.h"
#include "dialogs/tex2dvi_set.h"
#include "dialogs/viewer_sets.h"
#include "resources/resource_ids.h"
#include "texsource/paths.h"
#include "vklib/file.h"
#include "vklib/window/popup_menu.h"

namespace {

std::string TitleFor(MainWnd::OpenForm form, const std::string& file) {
  // One blank for a file from the command line, two for one the user chose in the window.
  return (form == MainWnd::OpenForm::kCommandLine ? "Pressel2 " : "Pressel2  ") + file;
}

// A path as a menu item's text: "&" marks a mnemonic there, so a path's own "&" is doubled.
std::string MenuText(const std::string& path) {
  std::string text;
  for (char c : path) {
    text += c;
    if (c == '&') text += '&';  // never the second byte of a Shift_JIS character
  }
  return text;
}

}  // namespace

void MainWnd::BuildMenu() {
  vklib::window::Wnd* wnd = Facade();
  if (wnd == nullptr) return;
  using namespace command;
  wnd->ClearMenu();
  wnd->AddMenuItem("ファイル(&F)", kFileMenu);
  const std::pair<const char*, int> file_items[] = {{"開く(&O)", kOpen},
                                                    {"", 0},
                                                    {"TeX→DVI", kTeXToDVI},
                                                    {"DVI→PS", kDVIToPS},
                                                    {"DVI→PDF", kDVIToPDF},
                                                    {"PS→PDF", kPSToPDF},
                                                    {"", 0},
                                                    {"DVIファイルのプレビュー", kPreviewDVI},
                                                    {"PSファイルのプレビュー", kPreviewPS},
                                                    {"PDFファイルのプレビュー", kPreviewPDF},
                                                    {"", 0},
                                                    {"コマンドの実行", kRunCommand},
                                                    {"", 0}};
  for (const auto& [title, id] : file_items)
    wnd->AddMenuItem(kFileMenu, title, id);
  int entries = 0;
  for (; entries <= History::kLastIndex; ++entries) {
    std::string file = history_.GetHistory(entries);
    if (file.empty()) break;
    wnd->AddMenuItem(kFileMenu, MenuText(file), kFirstHistory + entries);
  }
  if (entries > 0) wnd->AddMenuItem(kFileMenu, "", 0);
  wnd->AddMenuItem(kFileMenu, "終了", kExit);

  wnd->AddMenuItem("設定(&S)", kSettingsMenu);
  const std::pair<const char*, int> settings_items[] = {{"TeX→DVI", kTeXToDVISettings},
                                                        {"DVI→PS", kDVIToPSSettings},
                                                        {"DVI→PDF", kDVIToPDFSettings},
                                                        {"PS→PDF", kPSToPDFSettings},
                                                        {"", 0},
                                                        {"DVI閲覧ソフト", kDVIViewerSettings},
                                                        {"その他の閲覧ソフト", kViewerSettings},
                                                        {"全般的な設定", kGeneralSettings}};
  for (const auto& [title, id] : settings_items)
    wnd->AddMenuItem(kSettingsMenu, title, id);

  wnd->AddMenuItem("その他(&O)", kOtherMenu);
  wnd->AddMenuItem(kOtherMenu, "ヘルプ", kHelp);
  wnd->AddMenuItem(kOtherMenu, "バージョン情報", kAbout);
  wnd->ApplyMenuBar();
}

void MainWnd::OpenFile(const std::string& path, OpenForm form) {
  edit_.ForgetStop();
  tex_.current_file = path;
  history_.AddHistory(path);
  BuildMenu();
  SetTitle(TitleFor(form, tex_.current_file));
  if (form != OpenForm::kCommandLine) edit_.Clear();
  tex_.ResolveParent();
  tex_.Convert(TeX::FileKind(tex_.current_file));
}

bool MainWnd::OnDropFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths)
    OpenFile(path, OpenForm::kDrop);
  return true;
}

void MainWnd::OpenWithDialog() {
  std::string path;
  const std::string filter = std::string("TeX関連ファイル") + '\0' + "*.tex;*.dvi;*.ps;*.pdf" +
                             '\0' + "全てのファイル" + '\0' + "*.*" + '\0';
  // The dialog starts where the current file is.
  if (vklib::window::OpenFileDialog(Handle(), path, filter, "ファイルを開く",
                                    SplitPath(tex_.current_file).directory)) {
    OpenFile(path, OpenForm::kDialog);
  }
}

std::string MainWnd::CommandDirectory() const {
  if (!tex_.current_directory.empty()) return tex_.current_directory;
  return SplitPath(vklib::ModuleFileName()).directory;
}

void MainWnd::RunTypedCommand() {
  tex_.ResolveParent();
  OneTextDlg prompt(Instance());
  std::string typed;
  if (!prompt.Run(Handle(), "コマンド実行", "実行するコマンドを入力してください．", typed)) return;
  std::string command_line = tex_.ExpandPlaceholders(typed);
  // The pane keeps what it showed, and follows the new run from its end.
  edit_.MoveCaretToEnd(true);
  if (!Execute(command_line, CommandDirectory())) {
    ShowMessage(FailedRunMessage(command_line, "の実行に失敗．", StartError()), "Pressel2");
  }
}

bool MainWnd::OnCommand(vklib::window::Wnd& wnd, int id, int) {
  using namespace command;
  // While a child runs, every command waits for it to end: none is taken.
  if (Busy()) return true;
  edit_.ForgetStop();  // a stop of the last run leaves the next command alone
  switch (id) {
    case kOpen:
      OpenWithDialog();
      return true;
    case kTeXToDVI:
    case kDVIToPS:
    case kDVIToPDF:
    case kPSToPDF:
      edit_.Clear();
      tex_.ResolveParent();
      tex_.Convert(id == kTeXToDVI   ? TeX::kTeX2DVI
                   : id == kDVIToPS  ? TeX::kDVI2PS
                   : id == kDVIToPDF ? TeX::kDVI2PDF
                                     : TeX::kPS2PDF);
      return true;
    case kPreviewDVI:
      tex_.ResolveParent();
      tex_.PreviewDVI();
      return true;
    case kPreviewPS:
      tex_.ResolveParent();
      tex_.PreviewPS();
      return true;
    case kPreviewPDF:
      tex_.ResolveParent();
      tex_.PreviewPDF();
      return true;
    case kRunCommand:
      RunTypedCommand();
      return true;
    case kExit:
      DestroyWindow(wnd.Handle());
      return true;
    case kTeXToDVISettings:
      TeX2DVISet(Instance()).Show(wnd.Handle());
      return true;
    case kDVIToPSSettings:
      DVI2PSSet(Instance()).Show(wnd.Handle());
      return true;
    case kDVIToPDFSettings:
      DVI2PDFSet(Instance()).Show(wnd.Handle());
      return true;
    case kPSToPDFSettings:
      PS2PDFSet(Instance()).Show(wnd.Handle());
      return true;
    case kDVIViewerSettings:
      DVIOUTSet(Instance()).Show(wnd.Handle());
      return true;
    case kViewerSettings:
      PreviewSet(Instance()).Show(wnd.Handle());
      return true;
    case kGeneralSettings:
      TeXSet(Instance()).Show(wnd.Handle());
      return true;
    case kAbout: {
      Version about(Instance());
      about.DoModal(wnd.Handle(), IDD_ABOUT);
      return true;
    }
    default:
      if (id >= kFirstHistory && id <= kLastHistory) {
        OpenFile(history_.GetHistory(id - kFirstHistory), OpenForm::kHistory);
        return true;
      }
      return false;  // "ヘルプ" among them: it has nothing to show
  }
}
