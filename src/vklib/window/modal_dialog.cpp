#include "vklib/window/modal_dialog.h"

#include "vklib/window/base_wnd.h"

namespace vklib::window {

INT_PTR BaseModalDlg::DoModal(HWND parent, int template_id) {
  return DialogBoxParamA(instance_, MAKEINTRESOURCEA(template_id), parent, DialogProcedure,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK BaseModalDlg::DialogProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* object = static_cast<BaseModalDlg*>(GetPropA(window, kWindowProperty));
  if (object == nullptr) {
    // Messages before WM_INITDIALOG (WM_SETFONT among them) touch no object.
    if (message != WM_INITDIALOG || l == 0) return FALSE;
    object = reinterpret_cast<BaseModalDlg*>(l);
    SetPropA(window, kWindowProperty, object);
    object->dialog_ = std::make_unique<Dialog>(window);
    object->children_.Subclass(window);
  }
  if (!object->dialog_) return FALSE;
  Dialog& dialog = *object->dialog_;
  INT_PTR result = 1;
  if (object->OnMessage(dialog, message, w, l, result)) return result;
  switch (message) {
    case WM_DESTROY: {
      bool handled = object->OnDestroy(dialog);
      if (handled) RemovePropA(window, kWindowProperty);
      object->children_.Restore(window);
      object->dialog_.reset();
      return handled ? TRUE : FALSE;
    }
    case WM_SIZE:
      return object->OnSize(dialog, static_cast<int>(w), LOWORD(l), HIWORD(l)) ? TRUE : FALSE;
    case WM_CLOSE:
      return object->OnClose(dialog) ? TRUE : FALSE;
    case WM_INITDIALOG:
      return object->OnInit(dialog) ? TRUE : FALSE;
    case WM_COMMAND:
      return object->OnCommand(dialog, LOWORD(w), HIWORD(w)) ? TRUE : FALSE;
    default:
      return object->OnOtherMessage(dialog, message, w, l);
  }
}

}  // namespace vklib::window
