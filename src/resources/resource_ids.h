#pragma once

// The ids of the program's resources, of the controls of its dialogs and of its commands, shared
// by the resource script, the code and the tests. Controls are numbered within their dialog, so
// two dialogs may use one number for controls of their own.

// The program's icon has the lowest number, so that Explorer shows it for the file.
#define IDI_PRESSEL2 1
#define IDB_TOOLBAR 118

// The toolbar's tooltips.
#define IDS_OPEN 120
#define IDS_VIEW_DVI 121
#define IDS_VIEW_PDF 122
#define IDS_VIEW_PS 123
#define IDS_TEX_TO_DVI 124
#define IDS_DVI_TO_PS 125
#define IDS_DVI_TO_PDF 126
#define IDS_PS_TO_PDF 127

// Dialog templates.
#define IDD_ABOUT 102
#define IDD_TEX2DVI 103
#define IDD_MAKEINDEX 104
#define IDD_BIBTEX 105
#define IDD_DVI2PS 106
#define IDD_DVI2PDF 107
#define IDD_PS2PDF 108
#define IDD_DVIOUT 109
#define IDD_PREVIEW 110
#define IDD_TEX 111
#define IDD_PROMPT 112

// Controls that several settings dialogs share: the user's own program (its radio and its field)
// and the extra options.
#define IDC_PROGRAM 1001
#define IDC_OPTION 1006
#define IDC_OTHER_PROGRAM 1013

// TeX to DVI (IDD_TEX2DVI).
#define IDC_USE_FORMAT 1002
#define IDC_FORMAT_LIST 1003
#define IDC_USE_PROGRAM 1004
#define IDC_ANALYZE 1007
#define IDC_MAX_COMPILE 1008
#define IDC_BIBTEX_SETTINGS 1009
#define IDC_MAKEINDEX_SETTINGS 1010

// The known programs of the program-choice dialogs.
#define IDC_BIBTEX 1009
#define IDC_JAPANESE_BIBTEX 1017
#define IDC_MAKEINDEX 1010
#define IDC_MENDEX 1012
#define IDC_DVI2PS 1021
#define IDC_DVIPS 1022
#define IDC_GHOSTSCRIPT 1033

// DVI to PDF (IDD_DVI2PDF).
#define IDC_DVIPDFMX 1028
#define IDC_DVI2PDF_NO_PAPER 1060
#define IDC_DVI2PDF_INFER_PAPER 1061
#define IDC_DVI2PDF_PAPER_FROM_LIST 1062
#define IDC_DVI2PDF_PAPER_LIST 1063
#define IDC_DVI2PDF_PAPER_IN_NUMBERS 1064

// The paper's two lengths, "縦" and "横", in IDD_DVI2PDF and IDD_DVIOUT.
#define IDC_PAPER_X 1047
#define IDC_PAPER_Y 1048

// The DVI viewer (IDD_DVIOUT); IDC_OTHER_PROGRAM chooses a viewer other than dviout.
#define IDC_USE_DVIOUT 1037
#define IDC_DVIOUT_PATH 1038
#define IDC_BROWSE_DVIOUT 1039
#define IDC_MAXIMIZE 1040
#define IDC_TELL_PAPER 1041
#define IDC_DVIOUT_INFER_PAPER 1042
#define IDC_DVIOUT_PAPER_LIST 1044
#define IDC_DVIOUT_PAPER_FROM_LIST 1045
#define IDC_DVIOUT_PAPER_IN_NUMBERS 1046
#define IDC_BROWSE_PROGRAM 1051
#define IDC_VIEWER_ARGUMENTS 1059

// The PostScript and PDF viewers (IDD_PREVIEW).
#define IDC_PDF_PROGRAM 1053
#define IDC_BROWSE_PDF 1054
#define IDC_PS_PROGRAM 1055
#define IDC_BROWSE_PS 1056
#define IDC_PS_ARGUMENTS 1057
#define IDC_PDF_ARGUMENTS 1058

// The parent file (IDD_TEX).
#define IDC_INFER_PARENT 1037
#define IDC_PARENT_IS_OPEN_FILE 1066
#define IDC_GIVEN_PARENT 1067
#define IDC_PARENT_FIELD 1068
#define IDC_BROWSE_PARENT 1069
// The editor that opens a place named in the pane (IDD_TEX).
#define IDC_EDITOR 1070

// The one-line prompt (IDD_PROMPT).
#define IDC_ANSWER 1071
#define IDC_PROMPT 1072

// The commands of the menu and the toolbar. The resource script has no menu, so they are
// constants of the code alone.
#ifndef RC_INVOKED
namespace command {

constexpr int kFileMenu = 1124;
constexpr int kOpen = 1125;
constexpr int kTeXToDVI = 1126;
constexpr int kDVIToPS = 1127;
constexpr int kDVIToPDF = 1128;
constexpr int kPSToPDF = 1129;
constexpr int kPreviewDVI = 1130;
constexpr int kPreviewPS = 1131;
constexpr int kPreviewPDF = 1132;
constexpr int kRunCommand = 1133;
constexpr int kExit = 1134;
constexpr int kSettingsMenu = 1154;
constexpr int kTeXToDVISettings = 1155;
constexpr int kDVIToPSSettings = 1156;
constexpr int kDVIToPDFSettings = 1157;
constexpr int kPSToPDFSettings = 1158;
constexpr int kDVIViewerSettings = 1159;
constexpr int kViewerSettings = 1160;
constexpr int kGeneralSettings = 1161;
constexpr int kOtherMenu = 1184;
constexpr int kHelp = 1185;
constexpr int kAbout = 1186;
constexpr int kSelectAll = 1214;
constexpr int kCopy = 1215;
constexpr int kFirstHistory = 1334;
constexpr int kLastHistory = 1334 + 20;

}  // namespace command
#endif
