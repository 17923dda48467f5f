#include "dialogs/viewer_sets.h"

#include "settings/settings.h"

namespace {

const std::vector<int> kParentRadios = {TeXSet::kInfer, TeXSet::kOpenFile, TeXSet::kGiven};

std::string ProgramFilter() {
  return std::string("実行ファイル") + '\0' + "*.exe" + '\0' + "全てのファイル" + '\0' + "*.*" +
         '\0';
}

}  // namespace

bool PreviewSet::OnInit(vklib::window::Dialog& dialog) {
  SetText(dialog, kPSProgram, GetIniString("PSPreview", "Program"));
  SetText(dialog, kPSArgument, GetIniString("PSPreview", "Arg"));
  SetText(dialog, kPDFProgram, GetIniString("PDFPreview", "Program"));
  SetText(dialog, kPDFArgument, GetIniString("PDFPreview", "Arg"));
  return true;
}

bool PreviewSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniString("PSPreview", "Program", Text(dialog, kPSProgram));
      saved &= WriteIniString("PSPreview", "Arg", Text(dialog, kPSArgument));
      saved &= WriteIniString("PDFPreview", "Program", Text(dialog, kPDFProgram));
      saved &= WriteIniString("PDFPreview", "Arg", Text(dialog, kPDFArgument));
      EndSaved(dialog, saved);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case kBrowsePS:
      Browse(dialog, kPSProgram, ProgramFilter(), "PS閲覧用ソフトを選んでください．",
             Text(dialog, kPSProgram));
      return true;
    case kBrowsePDF:
      Browse(dialog, kPDFProgram, ProgramFilter(), "PDF閲覧用ソフトを選んでください．",
             Text(dialog, kPDFProgram));
      return true;
    default:
      return false;
  }
}

bool TeXSet::OnInit(vklib::window::Dialog& dialog) {
  int which = GetIniInt("TeX", "WhichParent");
  SelectRadio(dialog, kParentRadios, which == 2 ? kOpenFile : which == 3 ? kGiven : kInfer);
  SetReadOnly(dialog, kParentField, which != 3);
  SetText(dialog, kParentField, GetIniString("TeX", "Parent"));
  return true;
}

bool TeXSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniInt("TeX", "WhichParent",
                               IsChecked(dialog, kInfer)   ? 1
                               : IsChecked(dialog, kGiven) ? 3
                                                           : 2);
      saved &= WriteIniString("TeX", "Parent", Text(dialog, kParentField));
      EndSaved(dialog, saved);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case kInfer:
    case kOpenFile:
    case kGiven:
      SelectRadio(dialog, kParentRadios, id);
      SetReadOnly(dialog, kParentField, id != kGiven);
      return true;
    case kBrowse:
      if (IsChecked(dialog, kGiven)) {
        Browse(dialog, kParentField,
               std::string("TeXファイル(*.tex)") + '\0' + "*.tex" + '\0' + "全てのファイル(*.*)" +
                   '\0' + "*.*" + '\0',
               "親ファイルを選んでください．", Text(dialog, kParentField));
      }
      return true;
    default:
      return false;
  }
}
