#include "win32/modal_driver.h"

#include <string>
#include <vector>

namespace test {

ModalDriver::ModalDriver(std::deque<Step> steps) : steps_(std::move(steps)) {
  current_ = this;
  hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

ModalDriver::~ModalDriver() {
  UnhookWindowsHookEx(hook_);
  current_ = nullptr;
}

LRESULT CALLBACK ModalDriver::Hook(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_ACTIVATE && current_ != nullptr) {
    HWND window = reinterpret_cast<HWND>(w);
    char class_name[16] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (std::string(class_name) == "#32770" && !current_->steps_.empty()) {
      SetTimer(window, 0x5EED, 50, RunStep);
    }
  }
  return CallNextHookEx(nullptr, code, w, l);
}

void CALLBACK ModalDriver::RunStep(HWND dialog, UINT, UINT_PTR timer, DWORD) {
  KillTimer(dialog, timer);
  if (current_ == nullptr || current_->steps_.empty()) return;
  Step step = std::move(current_->steps_.front());
  current_->steps_.pop_front();
  step(dialog);
}

ModalDriver::Step AnswerMessageBox(std::string& seen) {
  return [&seen](HWND box) {
    char caption[128] = "";
    GetWindowTextA(box, caption, sizeof caption);
    seen = std::string(caption) + ": " + ControlText(box, 0xFFFF);  // the text's static control
    Click(box, IDOK);
  };
}

bool Checked(HWND dialog, int id) {
  return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool Enabled(HWND dialog, int id) {
  return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool ReadOnly(HWND dialog, int id) {
  return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}

std::string ControlText(HWND dialog, int id) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void Type(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

void Click(HWND dialog, int id) {
  SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::vector<std::string> ListItems(HWND dialog, int id) {
  std::vector<std::string> items;
  HWND list = GetDlgItem(dialog, id);
  LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string item(static_cast<size_t>(SendMessageA(list, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(item.size() - 1);
    items.push_back(item);
  }
  return items;
}

}  // namespace test
