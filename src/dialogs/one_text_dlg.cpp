#include "dialogs/one_text_dlg.h"

#include "resources/resource_ids.h"
#include "vklib/window/controls.h"

bool OneTextDlg::Run(HWND owner, const std::string& caption, const std::string& prompt,
                     std::string& answer) {
  caption_ = caption;
  prompt_ = prompt;
  answer_.clear();
  if (DoModal(owner, IDD_PROMPT) != IDOK) return false;
  answer = answer_;
  return true;
}

bool OneTextDlg::OnInit(vklib::window::Dialog& dialog) {
  SetWindowTextA(dialog.Handle(), caption_.c_str());
  vklib::window::StaticText(dialog, IDC_PROMPT).SetText(prompt_);
  SetFocus(dialog.Item(IDC_ANSWER));
  return false;  // we have put the focus where it belongs
}

bool OneTextDlg::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK:
      answer_ = vklib::window::Edit(dialog, IDC_ANSWER).GetText();
      dialog.End(1);
      return true;
    case IDCANCEL:
      dialog.End(0);
      return true;
    default:
      return false;
  }
}
