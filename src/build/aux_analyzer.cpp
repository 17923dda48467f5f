#include "build/aux_analyzer.h"

#include <set>
#include <string_view>

#include "texsource/paths.h"
#include "texsource/scanner.h"
#include "vklib/codepage.h"
#include "vklib/file.h"
#include "vklib/text_file.h"

namespace {

constexpr const char* kWatchedExtensions[] = {"aux", "toc", "lot", "lof"};

// A first LaTeX run of a document without cross references leaves exactly this in a new .aux.
const char kEmptyAux[] = "\\relax \n";

// The text between "command" and the next "}", if the line holds both.
bool Argument(std::string_view line, std::string_view command, std::string& argument,
              size_t* close_at = nullptr) {
  size_t at = vklib::FindText(line, command);
  if (at == std::string_view::npos) return false;
  size_t open = at + command.size();
  size_t close = vklib::FindText(line, "}", open);
  if (close == std::string_view::npos) return false;
  argument.assign(line.substr(open, close - open));
  if (close_at != nullptr) *close_at = close;
  return true;
}

// The keys of a citation list: split at commas, blanks around each key trimmed.
std::vector<std::string_view> SplitKeys(std::string_view list) {
  std::vector<std::string_view> keys;
  while (true) {
    size_t comma = list.find(',');
    std::string_view key = list.substr(0, comma);
    while (!key.empty() && key.front() == ' ')
      key.remove_prefix(1);
    while (!key.empty() && key.back() == ' ')
      key.remove_suffix(1);
    keys.push_back(key);
    if (comma == std::string_view::npos) return keys;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace

std::string AuxAnalyzer::AuxFileName(const std::string& path, const std::string& extension) {
  // LaTeX names its files by the stem, whatever the source's extension (main.ltx: main.aux).
  PathParts parts = SplitPath(path);
  return JoinPath(parts.directory, parts.stem + "." + extension);
}

std::vector<std::string> AuxAnalyzer::BibFiles(const std::string& path) {
  std::vector<std::string> files;
  vklib::TextFile aux;
  if (!aux.Open(AuxFileName(path, "aux"))) return files;
  const std::string directory = SplitPath(path).directory;
  char line_buffer[4096];
  while (size_t length = aux.ReadLine(line_buffer, sizeof line_buffer - 1)) {
    std::string databases;
    if (!Argument(std::string_view(line_buffer, length), "\\bibdata{", databases)) continue;
    for (std::string_view name : SplitKeys(databases)) {
      if (name.empty()) continue;
      std::string file = WithPlatformSeparators(std::string(name));
      if (SplitPath(file).extension.empty()) file += ".bib";
      files.push_back(IsAbsolutePath(file) ? file : JoinPath(directory, file));
    }
  }
  return files;
}

std::string AuxAnalyzer::Answer(const char* action) const {
  return std::string(action) + "\n" + tracked_.front().path;
}

std::string AuxAnalyzer::Start(const std::string& parent_path) {
  force_latex_ = makeindex_done_ = bibtex_done_ = false;
  tracked_.clear();
  tracked_.push_back({parent_path, {}});
  std::vector<IncludeRecord> includes;
  BuildIncludeList(includes, parent_path);
  // A file read with \input writes into its parent's .aux: only \include brings an .aux.
  for (const IncludeRecord& record : includes) {
    if (record.kind == kIncludedByInclude) tracked_.push_back({record.path, {}});
  }
  Changed();
  tracked_.front().snapshots.emplace("aux", kEmptyAux);
  return Answer("latex");
}

std::string AuxAnalyzer::Next() {
  if (Changed()) return Answer("latex");
  if (NeedsMakeIndex()) return Answer("makeindex");
  if (NeedsBibTeX()) return Answer("bibtex");
  return std::string();
}

bool AuxAnalyzer::Changed() {
  if (force_latex_) {
    force_latex_ = false;
    return true;
  }
  bool changed = false;
  for (TrackedFile& file : tracked_) {
    for (const char* extension : kWatchedExtensions) {
      auto snapshot = file.snapshots.find(extension);
      // Text mode, as TeX's own files are read: CR LF counts as LF.
      vklib::UniqueFile stream(vklib::OpenFile(AuxFileName(file.path, extension), "r"));
      if (!stream) {
        if (snapshot != file.snapshots.end()) {
          file.snapshots.erase(snapshot);
          changed = true;
        }
        continue;
      }
      std::string content;
      size_t count;
      while ((count = std::fread(buffer_.data(), 1, buffer_.size(), stream.get())) > 0) {
        content.append(buffer_.data(), count);
      }
      if (snapshot == file.snapshots.end()) {
        changed = true;
        file.snapshots.emplace(extension, std::move(content));
      } else if (snapshot->second != content) {
        changed = true;
        snapshot->second = std::move(content);
      }
    }
  }
  return changed;
}

bool AuxAnalyzer::NeedsMakeIndex() {
  if (makeindex_done_) return false;
  if (!vklib::FileExists(AuxFileName(tracked_.front().path, "idx"))) return false;
  force_latex_ = makeindex_done_ = true;
  return true;
}

bool AuxAnalyzer::NeedsBibTeX() {
  if (bibtex_done_) return false;
  bool bibdata_seen = false;
  std::set<std::string> cited, entries;
  for (const TrackedFile& file : tracked_) {
    vklib::TextFile aux;
    if (!aux.Open(AuxFileName(file.path, "aux"))) continue;
    char line_buffer[4096];
    while (size_t length = aux.ReadLine(line_buffer, 4095)) {
      std::string_view line(line_buffer, length);
      if (vklib::FindText(line, "\\bibdata{") != std::string_view::npos) bibdata_seen = true;
      std::string key;
      size_t close = 0;
      if (Argument(line, "\\bibcite{", key, &close)) {
        entries.insert(key);
        line = line.substr(0, close);
      }
      // \cite{a,b} writes one \citation{a,b}, and each key gets its own \bibcite.
      if (Argument(line, "\\citation{", key)) {
        for (std::string_view cited_key : SplitKeys(key))
          cited.insert(std::string(cited_key));
      }
    }
  }
  if (!bibdata_seen || cited == entries) return false;
  force_latex_ = bibtex_done_ = true;
  return true;
}
