#pragma once

#include <string>
#include <string_view>

// The TeX engines Pressel2 knows, and which one a document is written for as far as its source
// tells.

struct EngineTraits {
  const char* program;  // "uplatex"
  bool makes_pdf;       // writes the PDF itself, and no DVI
  bool ptex;            // pTeX: reads Shift_JIS, EUC-JP or JIS sources when told with -kanji
};

// The engine a TeX program is, by its name (its directory, ".exe" and the case of its letters
// aside); null for a program that is not one of the engines.
const EngineTraits* EngineOf(std::string_view program);

// The engine a document names, and where it does so; no program when it names none.
struct DocumentEngine {
  enum Source { kNone, kComment, kClassOption, kClass, kPackage };
  Source source = kNone;
  std::string program;
  std::string sign;  // the comment's line, or the option, the class or the package
  std::string file;  // the file of the comment
};

// The first of these that names an engine:
// 1. among the first 20 lines of the source, then of the opened file: a comment
//    "% !TEX program = NAME" (or "TS-program"), or a "%#!" line whose first word is the name;
//    a name that is no engine is passed over (a document never starts another program);
// 2. the source's class line and preamble: the option uplatex or a upLaTeX class (ujarticle,
//    utbook, ...); the option lualatex, a LuaTeX-ja class (ltjsarticle, ...) or luatexja loaded;
//    the option xelatex, or zxjatype or xeCJK loaded; the option platex; then what only one
//    engine reads: the option xetex, xltxtra or xunicode loaded (XeLaTeX), bxcjkjatype, CJKutf8
//    or CJK (pdfLaTeX), and fontspec (LuaLaTeX).
DocumentEngine EngineNamedBy(const std::string& source, const std::string& opened);

// A Japanese encoding that pTeX reads only when told so, and how its tools are told.
struct LegacyEncoding {
  const char* kanji;   // the value of platex's and pbibtex's -kanji: "sjis"
  const char* mendex;  // mendex's option: "-S"
  const char* name;    // for the user: "Shift_JIS"
};

// The encoding of a source as Pressel2 reads it, when it is Shift_JIS, EUC-JP or ISO-2022-JP;
// null for any other (ASCII and UTF-8 among them) or when the source cannot be read.
const LegacyEncoding* LegacyEncodingOf(const std::string& source);
