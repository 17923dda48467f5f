#include "texsource/engine.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "texsource/paths.h"
#include "texsource/preamble.h"
#include "texsource/root_comment.h"
#include "texsource/tex_text.h"
#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/text_file.h"

namespace {

// Each engine also by the name of its LaTeX's development release ("uplatex-dev").
constexpr EngineTraits kEngines[] = {
    {"platex", false, true},      {"uplatex", false, false},     {"lualatex", true, false},
    {"xelatex", true, false},     {"pdflatex", true, false},     {"latex", false, false},
    {"platex-dev", false, true},  {"uplatex-dev", false, false}, {"lualatex-dev", true, false},
    {"xelatex-dev", true, false}, {"pdflatex-dev", true, false}, {"latex-dev", false, false},
};

// What in a preamble names an engine, in the order the signs are weighed.
struct Sign {
  DocumentEngine::Source kind;
  const char* name;
  const char* program;
};

constexpr DocumentEngine::Source kOption = DocumentEngine::kClassOption;
constexpr DocumentEngine::Source kClass = DocumentEngine::kClass;
constexpr DocumentEngine::Source kPackage = DocumentEngine::kPackage;

constexpr Sign kSigns[] = {
    {kOption, "uplatex", "uplatex"},
    {kClass, "ujarticle", "uplatex"},
    {kClass, "ujreport", "uplatex"},
    {kClass, "ujbook", "uplatex"},
    {kClass, "utarticle", "uplatex"},
    {kClass, "utreport", "uplatex"},
    {kClass, "utbook", "uplatex"},
    {kOption, "lualatex", "lualatex"},
    {kClass, "ltjsarticle", "lualatex"},
    {kClass, "ltjsreport", "lualatex"},
    {kClass, "ltjsbook", "lualatex"},
    {kClass, "ltjarticle", "lualatex"},
    {kClass, "ltjreport", "lualatex"},
    {kClass, "ltjbook", "lualatex"},
    {kClass, "ltjtarticle", "lualatex"},
    {kClass, "ltjtreport", "lualatex"},
    {kClass, "ltjtbook", "lualatex"},
    {kPackage, "luatexja", "lualatex"},
    {kOption, "xelatex", "xelatex"},
    {kPackage, "zxjatype", "xelatex"},
    {kPackage, "xeCJK", "xelatex"},
    {kOption, "platex", "platex"},
    // Last, what works with one engine only, where pLaTeX is sure to fail: XeTeX's driver option
    // and packages, the CJK packages of pdfLaTeX, and fontspec, which LuaLaTeX reads as well as
    // XeLaTeX does.
    {kOption, "xetex", "xelatex"},
    {kPackage, "xltxtra", "xelatex"},
    {kPackage, "xunicode", "xelatex"},
    {kPackage, "bxcjkjatype", "pdflatex"},
    {kPackage, "CJKutf8", "pdflatex"},
    {kPackage, "CJK", "pdflatex"},
    {kPackage, "fontspec", "lualatex"},
};

constexpr LegacyEncoding kShiftJis = {"sjis", "-S", "Shift_JIS"};
constexpr LegacyEncoding kEucJp = {"euc", "-E", "EUC-JP"};
constexpr LegacyEncoding kIso2022Jp = {"jis", "-J", "ISO-2022-JP"};

// The engine a "% !TEX program" comment or a "%#!" line names; null for any other line.
const EngineTraits* EngineOfComment(std::string_view line) {
  for (std::string_view key : {"program", "ts-program"}) {
    std::string_view named = TeXCommentValue(line, key);
    if (!named.empty()) return EngineOf(named);
  }
  line = Trimmed(line);
  if (line.substr(0, 3) != "%#!") return nullptr;
  line = Trimmed(line.substr(3));
  return EngineOf(line.substr(0, line.find_first_of(" \t")));
}

// What of the preamble shows a sign; empty where nothing does. A package sign also stands for
// the packages named after it ("luatexja-preset" loads luatexja).
std::string SignIn(const Sign& sign, const Preamble& preamble) {
  const std::vector<std::string>& options = preamble.class_options;
  switch (sign.kind) {
    case kOption:
      return std::find(options.begin(), options.end(), sign.name) != options.end() ? sign.name : "";
    case kClass:
      return preamble.class_name == sign.name ? sign.name : "";
    default:
      for (const std::string& package : preamble.packages) {
        const std::string family = std::string(sign.name) + "-";
        if (package == sign.name || package.compare(0, family.size(), family) == 0) return package;
      }
      return std::string();
  }
}

}  // namespace

const EngineTraits* EngineOf(std::string_view program) {
  std::string name = SplitPath(program).name;
  if (HasExtension(name, ".exe")) name.resize(name.size() - 4);
  vklib::LowerCaseAnsi(name);
  for (const EngineTraits& engine : kEngines) {
    if (name == engine.program) return &engine;
  }
  return nullptr;
}

DocumentEngine EngineNamedBy(const std::string& source, const std::string& opened) {
  std::vector<std::string> files = {source};
  if (!SamePath(opened, source)) files.push_back(opened);
  for (const std::string& file : files) {
    for (const std::string& line : LeadingLines(file)) {
      if (const EngineTraits* engine = EngineOfComment(line))
        return {DocumentEngine::kComment, engine->program, std::string(Trimmed(line)), file};
    }
  }
  const Preamble preamble = ReadPreamble(source);
  for (const Sign& sign : kSigns) {
    if (std::string shown = SignIn(sign, preamble); !shown.empty())
      return {sign.kind, sign.program, shown, source};
  }
  return {};
}

const LegacyEncoding* LegacyEncodingOf(const std::string& source) {
  vklib::UniqueFile file(vklib::OpenFile(source, "rb"));
  if (!file) return nullptr;
  std::vector<unsigned char> sample(vklib::TextFile::kSampleSize);
  sample.resize(std::fread(sample.data(), 1, sample.size(), file.get()));
  vklib::TextFile detector;
  detector.Detect(sample.data(), sample.size());
  switch (detector.Code()) {
    case vklib::kEncodingEucJp:
      return &kEucJp;
    case vklib::kEncodingIso2022Jp:
      return &kIso2022Jp;
    case vklib::kEncodingShiftJis: {
      // ASCII reads as Shift_JIS too, and so may a short UTF-8 file: pTeX is told only of text
      // that is Shift_JIS and nothing else.
      const bool high_bytes = std::any_of(sample.begin(), sample.end(),
                                          [](unsigned char byte) { return byte >= 0x80; });
      return high_bytes && !vklib::TextFile::IsUtf8Sample(sample.data(), sample.size()) ? &kShiftJis
                                                                                        : nullptr;
    }
    default:
      return nullptr;
  }
}
