#include "app/version_dlg.h"

bool MainWnd::Version::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  if (id != IDOK) return false;
  dialog.End(1);
  return true;
}
