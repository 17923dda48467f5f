#include "dialogs/viewer_sets.h"

#include "settings/settings.h"
#include "settings/stored_choices.h"

namespace {

const std::vector<int> kParentRadios = {IDC_INFER_PARENT, IDC_PARENT_IS_OPEN_FILE,
                                        IDC_GIVEN_PARENT};

std::string ProgramFilter() {
  return std::string("実行ファイル") + '\0' + "*.exe" + '\0' + "全てのファイル" + '\0' + "*.*" +
         '\0';
}

}  // namespace

bool PreviewSet::OnInit(vklib::window::Dialog& dialog) {
  SetText(dialog, IDC_PS_PROGRAM, GetIniString(Setting::kPSPreviewProgram));
  SetText(dialog, IDC_PS_ARGUMENTS, GetIniString(Setting::kPSPreviewArg));
  SetText(dialog, IDC_PDF_PROGRAM, GetIniString(Setting::kPDFPreviewProgram));
  SetText(dialog, IDC_PDF_ARGUMENTS, GetIniString(Setting::kPDFPreviewArg));
  return true;
}

bool PreviewSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniString(Setting::kPSPreviewProgram, Text(dialog, IDC_PS_PROGRAM));
      saved &= WriteIniString(Setting::kPSPreviewArg, Text(dialog, IDC_PS_ARGUMENTS));
      saved &= WriteIniString(Setting::kPDFPreviewProgram, Text(dialog, IDC_PDF_PROGRAM));
      saved &= WriteIniString(Setting::kPDFPreviewArg, Text(dialog, IDC_PDF_ARGUMENTS));
      EndSaved(dialog, saved);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case IDC_BROWSE_PS:
      Browse(dialog, IDC_PS_PROGRAM, ProgramFilter(), "PS閲覧用ソフトを選んでください．",
             Text(dialog, IDC_PS_PROGRAM));
      return true;
    case IDC_BROWSE_PDF:
      Browse(dialog, IDC_PDF_PROGRAM, ProgramFilter(), "PDF閲覧用ソフトを選んでください．",
             Text(dialog, IDC_PDF_PROGRAM));
      return true;
    default:
      return false;
  }
}

bool TeXSet::OnInit(vklib::window::Dialog& dialog) {
  ParentChoice which = ParentChoiceOf(GetIniInt(Setting::kTeXWhichParent));
  SelectRadio(dialog, kParentRadios,
              which == ParentChoice::kOpenFile ? IDC_PARENT_IS_OPEN_FILE
              : which == ParentChoice::kGiven  ? IDC_GIVEN_PARENT
                                               : IDC_INFER_PARENT);
  SetReadOnly(dialog, IDC_PARENT_FIELD, which != ParentChoice::kGiven);
  SetText(dialog, IDC_PARENT_FIELD, GetIniString(Setting::kTeXParent));
  SetText(dialog, IDC_EDITOR, GetIniString(Setting::kTeXEditor));
  return true;
}

bool TeXSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniInt(
          Setting::kTeXWhichParent,
          StoredNumber(IsChecked(dialog, IDC_INFER_PARENT)   ? ParentChoice::kInfer
                       : IsChecked(dialog, IDC_GIVEN_PARENT) ? ParentChoice::kGiven
                                                             : ParentChoice::kOpenFile));
      saved &= WriteIniString(Setting::kTeXParent, Text(dialog, IDC_PARENT_FIELD));
      saved &= WriteIniString(Setting::kTeXEditor, Text(dialog, IDC_EDITOR));
      EndSaved(dialog, saved);
      return true;
    }
    case IDCANCEL:
      dialog.End(0);
      return true;
    case IDC_INFER_PARENT:
    case IDC_PARENT_IS_OPEN_FILE:
    case IDC_GIVEN_PARENT:
      SelectRadio(dialog, kParentRadios, id);
      SetReadOnly(dialog, IDC_PARENT_FIELD, id != IDC_GIVEN_PARENT);
      return true;
    case IDC_BROWSE_PARENT:
      if (IsChecked(dialog, IDC_GIVEN_PARENT)) {
        Browse(dialog, IDC_PARENT_FIELD,
               std::string("TeXファイル(*.tex)") + '\0' + "*.tex" + '\0' + "全てのファイル(*.*)" +
                   '\0' + "*.*" + '\0',
               "親ファイルを選んでください．", Text(dialog, IDC_PARENT_FIELD));
      }
      return true;
    default:
      return false;
  }
}
