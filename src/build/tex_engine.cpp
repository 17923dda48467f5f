#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "build/build_host.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "texsource/paths.h"

namespace {

// The format file's name without ".fmt" is the program that loads it ("platex.fmt": platex); a
// name without the extension is taken as the program itself.
std::string ProgramOfFormat(std::string format) {
  if (HasExtension(format, ".fmt")) format.resize(format.size() - 4);
  return format;
}

// Whether an option text holds one of `words`, each word of the text taken up to its "=": so an
// option tells the encoding itself ("-kanji=sjis", "-S").
bool HoldsOneOf(std::string_view option, std::initializer_list<std::string_view> words) {
  while (!option.empty()) {
    const std::string_view word = option.substr(0, option.find(' '));
    option.remove_prefix(std::min(option.size(), word.size() + 1));
    if (std::find(words.begin(), words.end(), word.substr(0, word.find('='))) != words.end())
      return true;
  }
  return false;
}

// Where the document names its engine, for the user.
std::string WhereNamed(const DocumentEngine& engine) {
  switch (engine.source) {
    case DocumentEngine::kComment:
      return SplitPath(engine.file).name + "のコメント「" + engine.sign + "」";
    case DocumentEngine::kClassOption:
      return "文書クラスのオプション " + engine.sign;
    case DocumentEngine::kClass:
      return "文書クラス " + engine.sign;
    case DocumentEngine::kPackage:
      return "パッケージ " + engine.sign;
    case DocumentEngine::kNone:
      break;
  }
  return std::string();
}

}  // namespace

std::string TeX::TeXProgram() const {
  if (!document_engine.program.empty()) return document_engine.program;
  return GetIniInt(Setting::kTeX2DVIIsUsingFormat) != 0
             ? ProgramOfFormat(GetIniString(Setting::kTeX2DVIFormatFile))
             : GetIniString(Setting::kTeX2DVIProgram);
}

std::string TeX::SourceFile() const {
  // An output file stands for the .tex file of its stem, which TeX is given.
  return IsOutputExtension(parent_extension) ? parent_base + ".tex"
                                             : parent_base + parent_extension;
}

std::string TeX::KanjiArgument(Setting option) const {
  const EngineTraits* engine = EngineOf(TeXProgram());
  if (engine == nullptr || !engine->ptex || source_encoding == nullptr ||
      HoldsOneOf(GetIniString(option), {"-kanji", "--kanji"}))
    return std::string();
  return std::string(" -kanji=") + source_encoding->kanji;
}

std::string TeX::IndexArgument() const {
  const EngineTraits* engine = EngineOf(TeXProgram());
  if (engine == nullptr ||
      HoldsOneOf(GetIniString(Setting::kMakeIndexOption), {"-S", "-E", "-J", "-U"}))
    return std::string();
  if (!engine->ptex) return " -U";
  return source_encoding != nullptr ? std::string(" ") + source_encoding->mendex : std::string();
}

void TeX::TellEngine() {
  std::string where = WhereNamed(document_engine);
  const std::string kanji = KanjiArgument(Setting::kTeX2DVIOption);
  if (!kanji.empty()) {
    if (!where.empty()) where += "，";
    where += SplitPath(SourceFile()).name + "の文字コード " + source_encoding->name;
  }
  if (where.empty()) return;
  host_.ReportLine(TeXProgram() + kanji + "を使います（" + where + "）．");
}

std::string TeX::PdfEngine() const {
  const EngineTraits* engine = EngineOf(TeXProgram());
  return engine != nullptr && engine->makes_pdf ? engine->program : std::string();
}
