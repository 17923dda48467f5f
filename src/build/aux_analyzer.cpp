#include "build/aux_analyzer.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "build/latex_files.h"
#include "build/tex_log.h"
#include "texsource/paths.h"
#include "texsource/scanner.h"
#include "vklib/codepage.h"
#include "vklib/file.h"

namespace {

constexpr const char* kWatchedExtensions[] = {"aux", "toc", "lot", "lof"};
// The files of the job that the check of other files read back leaves out: those watched
// anyway, the tools' outputs (whose change the tool's end tells), MakeIndex's input, and what
// TeX writes and no run reads.
constexpr const char* kNotReadBack[] = {"aux", "toc",      "lot",        "lof",    "bbl", "ind",
                                        "idx", "log",      "dvi",        "pdf",    "xdv", "ps",
                                        "fls", "pressel2", "synctex.gz", "synctex"};
// LuaTeX-ja's ruby reads this file of the job back by Lua, which leaves no trace in the log.
const char kReadByLua[] = "ltjruby";
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

// What the tool that makes a document's bibliography reads: BibTeX reads the bibliography lines
// of the .aux files, the databases they name and the style; Biber (biblatex without \bibdata)
// reads the .bcf and the databases it names.
struct BibliographySources {
  bool biber = false;
  std::string read;                    // what it reads besides the files: lines, or the .bcf
  std::vector<std::string> databases;  // the .bib files
  std::string style;                   // the .bst beside the document; "" for none
  bool behind = false;                 // the .aux or the log tell that the .bbl is behind
};

// From the .aux files of a document, its parent's first; false when it has no bibliography made
// by a tool.
bool ReadBibliographySources(const std::vector<std::string>& aux_files,
                             BibliographySources& sources) {
  BibliographyInput bibliography;
  for (const std::string& aux : aux_files)
    bibliography.Add(aux);
  const PathParts parent = SplitPath(aux_files.front());
  const std::string base = JoinPath(parent.directory, parent.stem);
  if (bibliography.has_data) {
    sources.read = bibliography.lines;
    sources.databases = DatabaseFiles(parent.directory, bibliography.databases);
    if (!bibliography.style.empty())
      sources.style = JoinPath(parent.directory, bibliography.style + ".bst");
    sources.behind = bibliography.KeysDiffer();
    return true;
  }
  // A .bcf that biblatex did not write in this run is left from another time.
  if (!bibliography.biblatex || !vklib::ReadWholeFile(base + ".bcf", sources.read)) return false;
  sources.biber = true;
  sources.databases = DatabaseFiles(parent.directory, BiberDataSources(sources.read));
  std::string log;
  sources.behind = vklib::ReadWholeFile(base + ".log", log) && LogAsksForBiber(log);
  return true;
}

}  // namespace

std::string AuxAnalyzer::AuxFileName(const std::string& path, const std::string& extension) {
  // LaTeX names its files by the stem, whatever the source's extension (main.ltx: main.aux).
  PathParts parts = SplitPath(path);
  return JoinPath(parts.directory, parts.stem + "." + extension);
}

std::vector<std::string> AuxAnalyzer::BibFiles(const std::string& path) {
  BibliographySources sources;
  ReadBibliographySources({AuxFileName(path, "aux")}, sources);
  return sources.databases;
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
  job_files_.clear();
  last_ = Action::kNone;
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
  if ((last == Action::kLaTeX || last == Action::kMakeIndex) && BibliographyDue())
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
  return ReadBackFilesChanged() || changed;
}

bool AuxAnalyzer::ReadBackFilesChanged() {
  const PathParts parent = SplitPath(tracked_.front().path);
  std::map<std::string, std::string> now;
  vklib::FindFile find;
  vklib::FindData entry;
  if (find.First(JoinPath(parent.directory, parent.stem + ".*"))) {
    while (find.Next(entry)) {
      if ((entry.attributes & vklib::kFileAttributeDirectory) != 0) continue;
      std::string extension =
          entry.name.substr(std::min(parent.stem.size() + 1, entry.name.size()));
      vklib::LowerCaseAnsi(extension);
      if (std::find(std::begin(kNotReadBack), std::end(kNotReadBack), extension) !=
          std::end(kNotReadBack))
        continue;
      std::string bytes;
      if (vklib::ReadWholeFile(JoinPath(parent.directory, entry.name), bytes))
        now[entry.name] = Digest(bytes);
    }
  }
  // A file that appeared or went counts as changed, as a missing file reads as an empty one.
  std::vector<std::string> changed;
  for (const auto& [name, digest] : now) {
    auto known = job_files_.find(name);
    if (known == job_files_.end() || known->second != digest) changed.push_back(name);
  }
  for (const auto& [name, digest] : job_files_) {
    if (now.count(name) == 0) changed.push_back(name);
  }
  job_files_ = std::move(now);
  // Before the first run there is no log of this build to ask.
  if (changed.empty() || last_ != Action::kLaTeX) return false;

  TeXLog log;
  ReadTeXLogFile(ParentFile("log"), log);
  for (const std::string& name : changed) {
    std::string extension = SplitPath(name).extension;
    vklib::LowerCaseAnsi(extension);
    if (extension == std::string(".") + kReadByLua) return true;
    for (const std::string& input : log.inputs) {
      if (SplitPath(WithPlatformSeparators(input)).name == name) return true;
    }
  }
  return false;
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

bool AuxAnalyzer::BibliographyDue() {
  std::vector<std::string> aux_files;
  for (const TrackedFile& file : tracked_)
    aux_files.push_back(AuxFileName(file.path, "aux"));
  BibliographySources bibliography;
  if (!ReadBibliographySources(aux_files, bibliography)) return false;
  std::vector<std::string> sources = bibliography.databases;
  if (!bibliography.style.empty()) sources.push_back(bibliography.style);
  // The input is what the tool reads, the databases and the style beside the document included:
  // a database saved while the tool runs leaves a .bbl newer than it, but not the input it read.
  const std::string bbl = ParentFile("bbl");
  std::string input = Digest(bibliography.read);
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
      !bibliography.behind) {
    return false;
  }
  biber_ = bibliography.biber;
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
