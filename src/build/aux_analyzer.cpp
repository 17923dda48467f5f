#include "build/aux_analyzer.h"

#include <string_view>

#include "build/latex_files.h"
#include "texsource/paths.h"
#include "texsource/scanner.h"
#include "vklib/file.h"

namespace {

constexpr const char* kWatchedExtensions[] = {"aux", "toc", "lot", "lof"};
// The document's BuildState beside its .aux: "main.pressel2".
const char kStateExtension[] = "pressel2";

// The files of the databases named in \bibdata: ".bib" appended unless a name has an extension,
// relative to the document's directory unless absolute.
std::vector<std::string> DatabaseFiles(const std::string& directory,
                                       const std::vector<std::string>& names) {
  std::vector<std::string> files;
  for (const std::string& name : names) {
    std::string file = WithPlatformSeparators(name);
    if (SplitPath(file).extension.empty()) file += ".bib";
    files.push_back(IsAbsolutePath(file) ? file : JoinPath(directory, file));
  }
  return files;
}

}  // namespace

std::string AuxAnalyzer::AuxFileName(const std::string& path, const std::string& extension) {
  // LaTeX names its files by the stem, whatever the source's extension (main.ltx: main.aux).
  PathParts parts = SplitPath(path);
  return JoinPath(parts.directory, parts.stem + "." + extension);
}

std::vector<std::string> AuxAnalyzer::BibFiles(const std::string& path) {
  BibliographyInput input;
  input.Add(AuxFileName(path, "aux"));
  return DatabaseFiles(SplitPath(path).directory, input.databases);
}

std::string AuxAnalyzer::Answer(Action action) {
  last_ = action;
  switch (action) {
    case Action::kLaTeX:
      latex_due_ = false;
      return "latex\n" + tracked_.front().path;
    case Action::kMakeIndex:
      return "makeindex\n" + tracked_.front().path;
    case Action::kBibTeX:
      return "bibtex\n" + tracked_.front().path;
    case Action::kNone:
      break;
  }
  return std::string();
}

std::string AuxAnalyzer::Start(const std::string& parent_path) {
  tracked_.clear();
  tracked_.push_back({parent_path, {}});
  std::vector<IncludeRecord> includes;
  BuildIncludeList(includes, parent_path);
  // A file read with \input writes into its parent's .aux: only \include brings an .aux.
  for (const IncludeRecord& record : includes) {
    if (record.kind == kIncludedByInclude) tracked_.push_back({record.path, {}});
  }
  Changed();
  state_ = ReadBuildState(ParentFile(kStateExtension));
  latex_due_ = tool_succeeded_ = false;
  index_tried_.clear();
  bibliography_tried_.clear();
  return Answer(Action::kLaTeX);
}

std::string AuxAnalyzer::Next() {
  const Action last = last_;
  if (last == Action::kLaTeX) latex_due_ = Changed() || LogAsksForRerun();
  if (last == Action::kMakeIndex || last == Action::kBibTeX) ToolEnded();
  // The tools that a LaTeX run made due run before the next LaTeX run, MakeIndex first.
  if (last == Action::kLaTeX && MakeIndexDue()) return Answer(Action::kMakeIndex);
  if ((last == Action::kLaTeX || last == Action::kMakeIndex) && BibTeXDue())
    return Answer(Action::kBibTeX);
  return Answer(latex_due_ ? Action::kLaTeX : Action::kNone);
}

bool AuxAnalyzer::Changed() {
  const std::string directory = SplitPath(tracked_.front().path).directory;
  // An \@input of a tracked file's .aux needs no rerun of its own: that .aux is watched.
  auto watched = [&](std::string_view name) {
    const std::string aux = JoinPath(directory, WithPlatformSeparators(std::string(name)));
    for (const TrackedFile& file : tracked_) {
      if (SamePath(aux, AuxFileName(file.path, "aux"))) return true;
    }
    return false;
  };
  bool changed = false;
  std::string bytes;
  for (TrackedFile& file : tracked_) {
    for (const char* extension : kWatchedExtensions) {
      // A file that cannot be read counts as missing, and a missing one as empty: an empty
      // list of figures reads back as no list at all.
      if (!vklib::ReadWholeFile(AuxFileName(file.path, extension), bytes)) bytes.clear();
      if (std::string_view(extension) == "aux") bytes = PartReadByLaTeX(bytes, watched);
      std::string snapshot = Digest(bytes);
      std::string& known = file.snapshots[extension];
      if (!known.empty() && known != snapshot) changed = true;
      known = std::move(snapshot);
    }
  }
  return changed;
}

bool AuxAnalyzer::LogAsksForRerun() const {
  std::string log;
  return vklib::ReadWholeFile(ParentFile("log"), log) && ::LogAsksForRerun(log);
}

bool AuxAnalyzer::MakeIndexDue() {
  const std::string input = DigestOf("idx");
  if (input.empty() || input == index_tried_) return false;
  if (input == state_.index && vklib::FileExists(ParentFile("ind"))) return false;
  index_tried_ = tool_input_ = input;
  output_before_ = DigestOf("ind");
  return true;
}

bool AuxAnalyzer::BibTeXDue() {
  BibliographyInput bibliography;
  for (const TrackedFile& file : tracked_)
    bibliography.Add(AuxFileName(file.path, "aux"));
  if (!bibliography.has_data) return false;
  const std::string bbl = ParentFile("bbl");
  const std::string directory = SplitPath(bbl).directory;
  std::vector<std::string> sources = DatabaseFiles(directory, bibliography.databases);
  if (!bibliography.style.empty())
    sources.push_back(JoinPath(directory, bibliography.style + ".bst"));
  // The input is what BibTeX reads, the databases and the style beside the document included:
  // a database saved while BibTeX runs leaves a .bbl newer than it, but not the input it read.
  std::string input = Digest(bibliography.lines);
  const vklib::FileStamp made = vklib::StampOf(bbl);
  bool newer_source = false;
  for (const std::string& source : sources) {
    std::string bytes;
    input += vklib::ReadWholeFile(source, bytes) ? Digest(bytes) : std::string();
    newer_source = newer_source || vklib::StampOf(source).write_time > made.write_time;
  }
  input = Digest(input);
  if (input == bibliography_tried_) return false;
  if (vklib::FileExists(bbl) && input == state_.bibliography && !newer_source &&
      !bibliography.KeysDiffer()) {
    return false;
  }
  bibliography_tried_ = tool_input_ = input;
  output_before_ = DigestOf("bbl");
  return true;
}

void AuxAnalyzer::ToolEnded() {
  const bool index = last_ == Action::kMakeIndex;
  if (DigestOf(index ? "ind" : "bbl") != output_before_) latex_due_ = true;
  if (tool_succeeded_) {
    (index ? state_.index : state_.bibliography) = tool_input_;
    WriteBuildState(ParentFile(kStateExtension), state_);
  }
  tool_succeeded_ = false;
}

std::string AuxAnalyzer::ParentFile(const char* extension) const {
  return AuxFileName(tracked_.front().path, extension);
}

std::string AuxAnalyzer::DigestOf(const char* extension) const {
  std::string bytes;
  return vklib::ReadWholeFile(ParentFile(extension), bytes) ? Digest(bytes) : std::string();
}
