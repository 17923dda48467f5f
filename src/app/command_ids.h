#pragma once

// The command ids of the menu and the toolbar.
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
