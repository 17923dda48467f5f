// Modal dialogs made from the program's templates, and the control wrappers.
#include <windows.h>

#include <gtest/gtest.h>

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
