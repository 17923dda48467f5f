#pragma once

#include <string>

#include "vklib/window/modal_dialog.h"

// Light wrappers over the controls of a dialog, made on the spot from the dialog and a control
// id and released at the end of the handler that made them.
namespace vklib::window {

class Control : public Dialog {
 public:
  Control(const Dialog& parent, int id) : Dialog(parent.Item(id)) {}
  void Enable(bool enable) { EnableWindow(Handle(), enable ? TRUE : FALSE); }
  bool IsEnabled() const { return IsWindowEnabled(Handle()) != FALSE; }
  // The window text, read whole.
  std::string Text() const;
  void SetText(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }
};

class CheckBox : public Control {
 public:
  using Control::Control;
  bool IsChecked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Check() { SendMessageA(Handle(), BM_SETCHECK, BST_CHECKED, 0); }
  void Uncheck() { SendMessageA(Handle(), BM_SETCHECK, BST_UNCHECKED, 0); }
};

class Edit : public Control {
 public:
  using Control::Control;
  std::string GetText() const { return Text(); }
  void SetReadOnly(bool read_only) { SendMessageA(Handle(), EM_SETREADONLY, read_only, 0); }
  bool IsReadOnly() const { return (GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY) != 0; }
};

class StaticText : public Control {
 public:
  using Control::Control;
};

class Combo : public Control {
 public:
  using Control::Control;
  bool Add(const std::string& text);
  int Count() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }
  void Select(int index) { SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
  int Selected() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }
  // The text of an item, whatever its length.
  std::string ItemText(int index) const;
  // The text shown in the box.
  std::string GetText() const { return Text(); }
};

}  // namespace vklib::window
