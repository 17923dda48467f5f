// Modal dialogs made from the program's templates, and the control wrappers.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/one_text_dlg.h"
#include "resources/resource_ids.h"
#include "vklib/window/controls.h"

namespace {

using vklib::window::BaseModalDlg;
using vklib::window::Dialog;

// A dialog that notes the first message its object saw, and then does what the test says.
class ScriptedDialog : public BaseModalDlg {
 public:
  ScriptedDialog() : BaseModalDlg(GetModuleHandleA(nullptr)) {}
  UINT first_message = 0;
  std::function<void(Dialog&)> on_init;

 protected:
  bool OnMessage(Dialog&, UINT message, WPARAM, LPARAM, INT_PTR&) override {
    if (first_message == 0) first_message = message;
    return false;
  }
  bool OnInit(Dialog& dialog) override {
    if (on_init) on_init(dialog);
    return true;
  }
};

TEST(ModalDialog, TheCloseBoxEndsItWithZero) {
  ScriptedDialog dialog;
  dialog.on_init = [](Dialog& d) { PostMessageA(d.Handle(), WM_CLOSE, 0, 0); };
  EXPECT_EQ(0, dialog.DoModal(nullptr, IDD_ABOUT));
}

TEST(ModalDialog, NoMessageBeforeInitDialogTouchesTheObject) {
  ScriptedDialog dialog;
  dialog.on_init = [](Dialog& d) { d.End(7); };
  EXPECT_EQ(7, dialog.DoModal(nullptr, IDD_ABOUT));
  EXPECT_EQ(static_cast<UINT>(WM_INITDIALOG), dialog.first_message);
}

TEST(ModalDialog, ControlWrappersReadAndWriteTheirControls) {
  ScriptedDialog dialog;
  std::string long_text(3000, 'x');
  std::string read_back;
  bool read_only = false;
  dialog.on_init = [&](Dialog& d) {
    vklib::window::Edit edit(d, IDC_ANSWER);
    edit.SetText(long_text);
    read_back = edit.GetText();
    edit.SetReadOnly(true);
    read_only = edit.IsReadOnly();
    d.End(1);
  };
  EXPECT_EQ(1, dialog.DoModal(nullptr, IDD_PROMPT));
  EXPECT_EQ(long_text, read_back);
  EXPECT_TRUE(read_only);
}

// Answers a one-line prompt by typing into it and pressing a button.
class PromptAnswer {
 public:
  PromptAnswer(std::string text, int button) : text_(std::move(text)), button_(button) {
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    current_ = this;
  }
  ~PromptAnswer() { UnhookWindowsHookEx(hook_); }

 private:
  // When the prompt activates, its answer is typed and the button pressed.
  static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_ACTIVATE && current_ != nullptr) {
      HWND dialog = reinterpret_cast<HWND>(w);
      SetDlgItemTextA(dialog, IDC_ANSWER, current_->text_.c_str());
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(current_->button_, BN_CLICKED), 0);
      current_ = nullptr;
    }
    return CallNextHookEx(nullptr, code, w, l);
  }

  static inline PromptAnswer* current_ = nullptr;
  std::string text_;
  int button_;
  HHOOK hook_;
};

// What a template shows: its caption, the texts of its controls by id, and its labels.
struct TemplateTexts {
  int id;
  std::string caption;
  std::vector<std::pair<int, std::string>> controls;
  std::vector<std::string> labels;
};

INT_PTR CALLBACK NoDialogProcedure(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
  char text[256] = "";
  GetWindowTextA(child, text, sizeof text);
  reinterpret_cast<std::vector<std::string>*>(texts)->push_back(text);
  return TRUE;
}

TEST(DialogTemplates, ShowTheTextsOfTheDesign) {
  const std::pair<int, std::string> ok{IDOK, "OK"}, cancel{IDCANCEL, "キャンセル"};
  const std::pair<int, std::string> other{IDC_OTHER_PROGRAM, "その他のプログラム"};
  const std::vector<TemplateTexts> templates = {
      {IDD_ABOUT, "バージョン情報", {ok}, {"Pressel2 いつまでも作りかけ"}},
      {IDD_TEX2DVI,
       "TeX→DVIの設定",
       {{IDC_USE_FORMAT, "フォーマットファイル一覧から選ぶ"},
        {IDC_USE_PROGRAM, "自分でプログラムを指定する"},
        {IDC_ANALYZE, "依存関係の推定を行う．"},
        {IDC_BIBTEX_SETTINGS, "BibTeXの設定"},
        {IDC_MAKEINDEX_SETTINGS, "MakeIndexの設定"},
        ok,
        cancel},
       {"追加するオプション", "最大コンパイル回数"}},
      {IDD_MAKEINDEX,
       "MakeIndexの設定",
       {{IDC_MAKEINDEX, "makeindex"}, {IDC_MENDEX, "mendex"}, other, ok, cancel},
       {"オプション"}},
      {IDD_BIBTEX,
       "BibTeXの設定",
       {{IDC_BIBTEX, "bibtex"}, {IDC_JAPANESE_BIBTEX, "日本語bibtex"}, other, ok, cancel},
       {"オプション"}},
      {IDD_DVI2PS,
       "DVI→PSの設定",
       {{IDC_DVI2PS, "dvi2ps"}, {IDC_DVIPS, "dvips"}, other, ok, cancel},
       {"オプション"}},
      {IDD_DVI2PDF,
       "DVI→PDFの設定",
       {{IDC_DVIPDFMX, "dvipdfmx"},
        other,
        {IDC_DVI2PDF_NO_PAPER, "特に指定しない"},
        {IDC_DVI2PDF_INFER_PAPER, "推定する"},
        {IDC_DVI2PDF_PAPER_FROM_LIST, "一覧から選ぶ"},
        {IDC_DVI2PDF_PAPER_IN_NUMBERS, "数値で指定"},
        ok,
        cancel},
       {"縦", "横", "※単位も入れてください", "オプション"}},
      {IDD_PS2PDF,
       "PS→PDFの設定",
       {{IDC_GHOSTSCRIPT, "GhostScript"}, other, ok, cancel},
       {"オプション"}},
      {IDD_DVIOUT,
       "DVI閲覧ソフトの設定",
       {{IDC_USE_DVIOUT, "dvioutを使う．"},
        {IDC_OTHER_PROGRAM, "dviout以外を使う．"},
        {IDC_BROWSE_DVIOUT, "参照"},
        {IDC_MAXIMIZE, "閲覧時に最大化する．"},
        {IDC_TELL_PAPER, "紙サイズを通知する．"},
        {IDC_DVIOUT_INFER_PAPER, "推定して通知"},
        {IDC_DVIOUT_PAPER_FROM_LIST, "一覧から指定"},
        {IDC_DVIOUT_PAPER_IN_NUMBERS, "数値で指定"},
        {IDC_BROWSE_PROGRAM, "参照"},
        ok,
        cancel},
       {"dvioutの場所", "縦", "横", "プログラム", "引数"}},
      {IDD_PREVIEW,
       "その他の閲覧ソフトの設定",
       {{IDC_BROWSE_PS, "参照"}, {IDC_BROWSE_PDF, "参照"}, ok, cancel},
       {"PS閲覧ソフト", "PDF閲覧ソフト", "プログラム", "引数"}},
      {IDD_TEX,
       "TeX全般の設定",
       {{IDC_INFER_PARENT, "推定する"},
        {IDC_PARENT_IS_OPEN_FILE, "開いてるファイル"},
        {IDC_GIVEN_PARENT, "指定する"},
        {IDC_BROWSE_PARENT, "参照"},
        ok,
        cancel},
       {"親ファイル", "エディター", "コマンド",
        "%Fはファイル，%Lは行番号になります．例：code -g %F:%L",
        "空欄なら，関連付けられたプログラムで開きます．"}},
      {IDD_PROMPT, "", {ok, cancel}, {}},
  };
  for (const TemplateTexts& expected : templates) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.id),
                                     nullptr, NoDialogProcedure, 0);
    ASSERT_NE(nullptr, dialog) << expected.id;
    char caption[256] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_EQ(expected.caption, caption) << expected.id;
    for (const auto& [id, text] : expected.controls) {
      char shown[256] = "";
      GetDlgItemTextA(dialog, id, shown, sizeof shown);
      EXPECT_EQ(text, shown) << expected.id << " control " << id;
    }
    std::vector<std::string> texts;
    EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
    for (const std::string& label : expected.labels) {
      EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), label))
          << expected.id << " label " << label;
    }
    DestroyWindow(dialog);
  }
}

TEST(OneTextDlg, OkGivesTheTypedTextCancelLeavesTheAnswer) {
  OneTextDlg prompt(GetModuleHandleA(nullptr));
  std::string answer = "untouched";
  {
    PromptAnswer typing("platex main", IDOK);
    EXPECT_TRUE(
        prompt.Run(nullptr, "コマンド実行", "実行するコマンドを入力してください．", answer));
  }
  EXPECT_EQ("platex main", answer);
  {
    PromptAnswer typing("ignored", IDCANCEL);
    EXPECT_FALSE(prompt.Run(nullptr, "c", "p", answer));
  }
  EXPECT_EQ("platex main", answer);
  {
    PromptAnswer typing("", IDOK);
    EXPECT_TRUE(prompt.Run(nullptr, "c", "p", answer));
  }
  EXPECT_EQ("", answer);
}

}  // namespace
