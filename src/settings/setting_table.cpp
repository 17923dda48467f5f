#include "settings/setting_table.h"

#include <iterator>

#include "settings/stored_choices.h"

namespace {

constexpr SettingType kInt = SettingType::kInt;
constexpr SettingType kString = SettingType::kString;

constexpr FirstRunValue Nothing() {
  return {};
}
constexpr FirstRunValue Number(int number) {
  return {FirstRunValue::kValue, number, nullptr};
}
constexpr FirstRunValue Text(const char* text) {
  return {FirstRunValue::kValue, 0, text};
}
constexpr FirstRunValue ViewerOf(const char* extension) {
  return {FirstRunValue::kViewerOf, 0, extension};
}

using S = Setting;
constexpr int kSecondProgram = StoredNumber(ProgramChoice::kSecond);

}  // namespace

constexpr SettingRow kSettingTable[] = {
    {S::kTeX2DVIIsUsingFormat, "TeX2DVI", "IsUsingFormat", kInt, Number(1)},
    {S::kTeX2DVIFormatFile, "TeX2DVI", "FormatFile", kString, Text("platex.fmt")},
    {S::kTeX2DVIIsAnalyze, "TeX2DVI", "IsAnalyze", kInt, Number(1)},
    {S::kTeX2DVIMaxCompile, "TeX2DVI", "MaxCompile", kInt, Number(kDefaultMaxCompile)},
    {S::kTeX2DVIProgram, "TeX2DVI", "Program", kString, Nothing()},
    {S::kTeX2DVIOption, "TeX2DVI", "Option", kString, Nothing()},
    {S::kBibTeXWhichProgram, "BibTeX", "WhichProgram", kInt, Number(kSecondProgram)},
    {S::kBibTeXProgram, "BibTeX", "Program", kString, Nothing()},
    {S::kBibTeXOption, "BibTeX", "Option", kString, Nothing()},
    {S::kMakeIndexWhichProgram, "MakeIndex", "WhichProgram", kInt, Number(kSecondProgram)},
    {S::kMakeIndexProgram, "MakeIndex", "Program", kString, Nothing()},
    {S::kMakeIndexOption, "MakeIndex", "Option", kString, Nothing()},
    {S::kDVI2PSWhichProgram, "DVI2PS", "WhichProgram", kInt, Number(kSecondProgram)},
    {S::kDVI2PSProgram, "DVI2PS", "Program", kString, Nothing()},
    {S::kDVI2PSOption, "DVI2PS", "Option", kString, Nothing()},
    {S::kPS2PDFIsGhostScript, "PS2PDF", "IsGhostScript", kInt, Number(1)},
    {S::kPS2PDFProgram, "PS2PDF", "Program", kString, Nothing()},
    {S::kPS2PDFOption, "PS2PDF", "Option", kString, Nothing()},
    {S::kDVI2PDFWhichProgram, "DVI2PDF", "WhichProgram", kInt, Number(kSecondProgram)},
    {S::kDVI2PDFPaperSizeFromList, "DVI2PDF", "PaperSizeFromList", kString, Text("a4")},
    {S::kDVI2PDFProgram, "DVI2PDF", "Program", kString, Nothing()},
    {S::kDVI2PDFOption, "DVI2PDF", "Option", kString, Nothing()},
    {S::kDVI2PDFWhichPaperSize, "DVI2PDF", "WhichPaperSize", kInt, Nothing()},
    {S::kDVI2PDFPaperSizeX, "DVI2PDF", "PaperSizeX", kString, Nothing()},
    {S::kDVI2PDFPaperSizeY, "DVI2PDF", "PaperSizeY", kString, Nothing()},
    {S::kDVIOUTIsUseDVIOUT, "DVIOUT", "IsUseDVIOUT", kInt, Number(1)},
    {S::kDVIOUTdvioutPath, "DVIOUT", "dvioutPath", kString, ViewerOf(".dvi")},
    {S::kDVIOUTIsTellPaperSize, "DVIOUT", "IsTellPaperSize", kInt, Number(1)},
    {S::kDVIOUTMaximize, "DVIOUT", "Maximize", kInt, Number(1)},
    {S::kDVIOUTWhichPaperSize, "DVIOUT", "WhichPaperSize", kInt,
     Number(StoredNumber(PaperChoice::kFromClass))},
    {S::kDVIOUTPaperSizeFromList, "DVIOUT", "PaperSizeFromList", kString, Text("B5J")},
    {S::kDVIOUTPaperSizeX, "DVIOUT", "PaperSizeX", kString, Nothing()},
    {S::kDVIOUTPaperSizeY, "DVIOUT", "PaperSizeY", kString, Nothing()},
    {S::kDVIOUTProgram, "DVIOUT", "Program", kString, Nothing()},
    {S::kDVIOUTArg, "DVIOUT", "Arg", kString, Nothing()},
    {S::kPSPreviewProgram, "PSPreview", "Program", kString, ViewerOf(".ps")},
    {S::kPSPreviewArg, "PSPreview", "Arg", kString, Text("\"%F.ps\"")},
    {S::kPDFPreviewProgram, "PDFPreview", "Program", kString, ViewerOf(".pdf")},
    {S::kPDFPreviewArg, "PDFPreview", "Arg", kString, Text("\"%F.pdf\"")},
    {S::kTeXWhichParent, "TeX", "WhichParent", kInt, Nothing()},
    {S::kTeXParent, "TeX", "Parent", kString, Nothing()},
    {S::kTeXEditor, "TeX", "Editor", kString, Nothing()},
};

constexpr size_t kSettingCount = std::size(kSettingTable);

namespace {

// RowOf finds a row by its place: each row must stand at the place of its setting.
constexpr bool RowsInSettingOrder() {
  for (size_t i = 0; i < kSettingCount; ++i) {
    if (static_cast<size_t>(kSettingTable[i].setting) != i) return false;
  }
  return true;
}
static_assert(RowsInSettingOrder(), "the table must list the settings in the order of Setting");
static_assert(static_cast<size_t>(Setting::kTeXEditor) + 1 == kSettingCount,
              "every Setting needs its row");

}  // namespace

const SettingRow& RowOf(Setting setting) {
  return kSettingTable[static_cast<size_t>(setting)];
}
