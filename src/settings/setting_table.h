#pragma once

#include <cstddef>

// Every setting of the settings file, said once: its section, its key, its type and what a first
// run writes. The rest of the program names a setting by its `Setting`.

// The most actions a TeX-to-DVI build takes ("MaxCompile") as a first run sets it.
constexpr int kDefaultMaxCompile = 10;

enum class Setting {
  kTeX2DVIIsUsingFormat,
  kTeX2DVIFormatFile,
  kTeX2DVIIsAnalyze,
  kTeX2DVIMaxCompile,
  kTeX2DVIProgram,
  kTeX2DVIOption,
  kBibTeXWhichProgram,
  kBibTeXProgram,
  kBibTeXOption,
  kMakeIndexWhichProgram,
  kMakeIndexProgram,
  kMakeIndexOption,
  kDVI2PSWhichProgram,
  kDVI2PSProgram,
  kDVI2PSOption,
  kPS2PDFIsGhostScript,
  kPS2PDFProgram,
  kPS2PDFOption,
  kDVI2PDFWhichProgram,
  kDVI2PDFPaperSizeFromList,
  kDVI2PDFProgram,
  kDVI2PDFOption,
  kDVI2PDFWhichPaperSize,
  kDVI2PDFPaperSizeX,
  kDVI2PDFPaperSizeY,
  kDVIOUTIsUseDVIOUT,
  kDVIOUTdvioutPath,
  kDVIOUTIsTellPaperSize,
  kDVIOUTMaximize,
  kDVIOUTWhichPaperSize,
  kDVIOUTPaperSizeFromList,
  kDVIOUTPaperSizeX,
  kDVIOUTPaperSizeY,
  kDVIOUTProgram,
  kDVIOUTArg,
  kPSPreviewProgram,
  kPSPreviewArg,
  kPDFPreviewProgram,
  kPDFPreviewArg,
  kTeXWhichParent,
  kTeXParent,
  kTeXEditor,
};

enum class SettingType { kInt, kString };

// What a first run writes for a setting: nothing, a value (the number of an int setting, the
// text of a string setting), or the program the system opens files of an extension with.
struct FirstRunValue {
  enum Kind { kNothing, kValue, kViewerOf } kind = kNothing;
  int number = 0;
  const char* text = nullptr;  // the text, or the extension (".dvi") of kViewerOf
};

struct SettingRow {
  Setting setting;
  const char* section;
  const char* key;
  SettingType type;
  FirstRunValue first_run;
};

// The rows in the order of `Setting`, which is the order a first run writes them in.
extern const SettingRow kSettingTable[];
extern const size_t kSettingCount;

const SettingRow& RowOf(Setting setting);
