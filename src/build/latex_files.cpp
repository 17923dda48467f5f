#include "build/latex_files.h"

#include <algorithm>

#include "texsource/tex_text.h"
#include "vklib/codepage.h"
#include "vklib/text_file.h"

namespace {

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

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

// A log's text with its lines joined, so that a message TeX broke over two lines reads whole.
std::string WithoutLineEnds(std::string_view log) {
  std::string joined;
  std::remove_copy_if(log.begin(), log.end(), std::back_inserter(joined),
                      [](char c) { return c == '\n' || c == '\r'; });
  return joined;
}

bool ReadOnlyByOthers(std::string_view line, const std::function<bool(std::string_view)>& watched) {
  for (std::string_view start :
       {"\\citation{", "\\bibdata{", "\\bibstyle{", "\\@writefile{toc}", "\\@writefile{lof}",
        "\\@writefile{lot}", "\\@setckpt{", "\\gdef \\@abspage@last{"}) {
    if (StartsWith(line, start)) return true;
  }
  while (!line.empty() && line.back() == ' ')
    line.remove_suffix(1);
  if (line == "\\relax") return true;
  const std::string_view input = "\\@input{";
  return StartsWith(line, input) && line.back() == '}' &&
         watched(line.substr(input.size(), line.size() - input.size() - 1));
}

}  // namespace

std::string PartReadByLaTeX(std::string_view aux,
                            const std::function<bool(std::string_view)>& watched) {
  std::string part;
  while (!aux.empty()) {
    size_t end = aux.find('\n');
    std::string_view line = aux.substr(0, end);
    aux.remove_prefix(end == std::string_view::npos ? aux.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!ReadOnlyByOthers(line, watched)) part.append(line).append("\n");
  }
  return part;
}

bool LogAsksForRerun(std::string_view log) {
  const std::string joined = WithoutLineEnds(log);
  // Not "rerun LaTeX afterwards", which waits for BibTeX or Biber: LaTeX runs after them when
  // they change the bibliography.
  for (std::string_view request : {"Rerun to ", "Rerun LaTeX", "Please rerun LaTeX"}) {
    if (joined.find(request) != std::string::npos) return true;
  }
  return false;
}

bool LogAsksForBiber(std::string_view log) {
  return WithoutLineEnds(log).find("run Biber on the file") != std::string::npos;
}

std::vector<std::string> BiberDataSources(std::string_view bcf) {
  std::vector<std::string> sources;
  const std::string_view open = "<bcf:datasource", close = "</bcf:datasource>";
  // Each search goes on from where the last one stopped: the file is read once.
  for (size_t at = bcf.find(open); at != std::string_view::npos; at = bcf.find(open, at)) {
    const size_t name = bcf.find('>', at);
    const size_t end = name == std::string_view::npos ? name : bcf.find(close, name);
    if (end == std::string_view::npos) break;
    const std::string_view tag = bcf.substr(at, name - at);
    std::string source;
    if (tag.find("type=\"file\"") != std::string_view::npos &&
        vklib::MultiByteToAnsi(vklib::kCodePageUtf8, bcf.substr(name + 1, end - name - 1), source))
      sources.push_back(source);
    at = end + close.size();
  }
  return sources;
}

void BibliographyInput::Add(const std::string& aux_path) {
  vklib::TextFile aux;
  if (!aux.Open(aux_path)) return;
  char buffer[4096];
  while (size_t length = aux.ReadLine(buffer, sizeof buffer - 1)) {
    std::string_view line(buffer, length);
    biblatex = biblatex || StartsWith(line, "\\abx@aux@");
    std::string argument;
    size_t close = 0;
    if (Argument(line, "\\bibcite{", argument, &close)) {
      entries.insert(argument);
      line = line.substr(0, close);
    }
    bool for_bibtex = false;
    // \cite{a,b} writes one \citation{a,b}, and each key gets its own \bibcite. A key cited
    // again (as a cross-referenced entry's \cite in the .bbl does) changes nothing BibTeX writes.
    if (Argument(line, "\\citation{", argument)) {
      for (std::string_view key : SplitList(argument))
        for_bibtex = cited.insert(std::string(key)).second || for_bibtex;
    }
    if (Argument(line, "\\bibdata{", argument)) {
      has_data = for_bibtex = true;
      for (std::string_view name : SplitList(argument)) {
        if (!name.empty()) databases.emplace_back(name);
      }
    }
    if (Argument(line, "\\bibstyle{", argument)) {
      style = argument;
      for_bibtex = true;
    }
    if (for_bibtex) lines.append(line);
  }
}

bool BibliographyInput::KeysDiffer() const {
  if (cited.count("*") == 0) return cited != entries;
  return std::any_of(cited.begin(), cited.end(),
                     [&](const std::string& key) { return key != "*" && entries.count(key) == 0; });
}
