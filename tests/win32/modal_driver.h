#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace test {

// Works modal dialogs from the inside: each dialog that becomes active on this thread gets the
// next step of the queue, run from a timer inside its own message loop. A step looks at the
// dialog's controls, clicks them (BM_CLICK) and ends with OK or Cancel like a user.
class ModalDriver {
 public:
  using Step = std::function<void(HWND dialog)>;
  explicit ModalDriver(std::deque<Step> steps);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // Steps not yet taken (a dialog that never showed).
  size_t Left() const { return steps_.size(); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l);
  static void CALLBACK RunStep(HWND dialog, UINT, UINT_PTR timer, DWORD);

  static inline ModalDriver* current_ = nullptr;
  std::deque<Step> steps_;
  HHOOK hook_;
};

// A step for a message box: keeps "caption: text" in `seen`, then clicks OK.
ModalDriver::Step AnswerMessageBox(std::string& seen);

// What a user sees of a dialog's controls, and what a click does.
bool Checked(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
bool ReadOnly(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
void Type(HWND dialog, int id, const std::string& text);
void Click(HWND dialog, int id);
std::vector<std::string> ListItems(HWND dialog, int id);

}  // namespace test
