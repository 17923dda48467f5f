#include "dialogs/viewer_sets.h"

#include "settings/settings.h"
#include "settings/stored_choices.h"

namespace {

const std::vector<int> kParentRadios = {TeXSet::kInfer, TeXSet::kOpenFile, TeXSet::kGiven};

std::string ProgramFilter() {
  return std::string("実行ファイル") + '\0' + "*.exe" + '\0' + "全てのファイル" + '\0' + "*.*" +
         '\0';
}

}  // namespace

bool PreviewSet::OnInit(vklib::window::Dialog& dialog) {
  SetText(dialog, kPSProgram, GetIniString(Setting::kPSPreviewProgram));
  SetText(dialog, kPSArgument, GetIniString(Setting::kPSPreviewArg));
  SetText(dialog, kPDFProgram, GetIniString(Setting::kPDFPreviewProgram));
  SetText(dialog, kPDFArgument, GetIniString(Setting::kPDFPreviewArg));
  return true;
}

bool PreviewSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniString(Setting::kPSPreviewProgram, Text(dialog, kPSProgram));
      saved &= WriteIniString(Setting::kPSPreviewArg, Text(dialog, kPSArgument));
      saved &= WriteIniString(Setting::kPDFPreviewProgram, Text(dialog, kPDFProgram));
      saved &= WriteIniString(Setting::kPDFPreviewArg, Text(dialog, kPDFArgument));
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
  ParentChoice which = ParentChoiceOf(GetIniInt(Setting::kTeXWhichParent));
  SelectRadio(dialog, kParentRadios,
              which == ParentChoice::kOpenFile ? kOpenFile
              : which == ParentChoice::kGiven  ? kGiven
                                               : kInfer);
  SetReadOnly(dialog, kParentField, which != ParentChoice::kGiven);
  SetText(dialog, kParentField, GetIniString(Setting::kTeXParent));
  return true;
}

bool TeXSet::OnCommand(vklib::window::Dialog& dialog, int id, int) {
  switch (id) {
    case IDOK: {
      bool saved = WriteIniInt(Setting::kTeXWhichParent,
                               StoredNumber(IsChecked(dialog, kInfer)   ? ParentChoice::kInfer
                                            : IsChecked(dialog, kGiven) ? ParentChoice::kGiven
                                                                        : ParentChoice::kOpenFile));
      saved &= WriteIniString(Setting::kTeXParent, Text(dialog, kParentField));
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
