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
    vklib::window::Edit edit(d, OneTextDlg::kAnswerField);
    edit.SetText(long_text);
    read_back = edit.GetText();
    edit.SetReadOnly(true);
    read_only = edit.IsReadOnly();
    d.End(1);
  };
  EXPECT_EQ(1, dialog.DoModal(nullptr, OneTextDlg::kTemplate));
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
      SetDlgItemTextA(dialog, OneTextDlg::kAnswerField, current_->text_.c_str());
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
  const std::pair<int, std::string> other{1013, "その他のプログラム"};
  const std::vector<TemplateTexts> templates = {
      {102, "バージョン情報", {ok}, {"Pressel2 いつまでも作りかけ"}},
      {103,
       "TeX→DVIの設定",
       {{1002, "フォーマットファイル一覧から選ぶ"},
        {1004, "自分でプログラムを指定する"},
        {1007, "依存関係の推定を行う．"},
        {1009, "BibTeXの設定"},
        {1010, "MakeIndexの設定"},
        ok,
        cancel},
       {"追加するオプション", "最大コンパイル回数"}},
      {104,
       "MakeIndexの設定",
       {{1010, "makeindex"}, {1012, "mendex"}, other, ok, cancel},
       {"オプション"}},
      {105,
       "BibTeXの設定",
       {{1009, "bibtex"}, {1017, "日本語bibtex"}, other, ok, cancel},
       {"オプション"}},
      {106, "DVI→PSの設定", {{1021, "dvi2ps"}, {1022, "dvips"}, other, ok, cancel}, {"オプション"}},
      {107,
       "DVI→PDFの設定",
       {{1028, "dvipdfmx"},
        other,
        {1060, "特に指定しない"},
        {1061, "推定する"},
        {1062, "一覧から選ぶ"},
        {1064, "数値で指定"},
        ok,
        cancel},
       {"縦", "横", "※単位も入れてください", "オプション"}},
      {108, "PS→PDFの設定", {{1033, "GhostScript"}, other, ok, cancel}, {"オプション"}},
      {109,
       "DVI閲覧ソフトの設定",
       {{1037, "dvioutを使う．"},
        {1013, "dviout以外を使う．"},
        {1039, "参照"},
        {1040, "閲覧時に最大化する．"},
        {1041, "紙サイズを通知する．"},
        {1042, "推定して通知"},
        {1045, "一覧から指定"},
        {1046, "数値で指定"},
        {1051, "参照"},
        ok,
        cancel},
       {"dvioutの場所", "縦", "横", "プログラム", "引数"}},
      {110,
       "その他の閲覧ソフトの設定",
       {{1056, "参照"}, {1054, "参照"}, ok, cancel},
       {"PS閲覧ソフト", "PDF閲覧ソフト", "プログラム", "引数"}},
      {111,
       "TeX全般の設定",
       {{1037, "推定する"},
        {1066, "開いてるファイル"},
        {1067, "指定する"},
        {1069, "参照"},
        ok,
        cancel},
       {"親ファイル"}},
      {112, "", {ok, cancel}, {}},
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
