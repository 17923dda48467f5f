#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// What the analysing build reads in the files a LaTeX run leaves: the part of an .aux file that
// the next run acts on, a request for another run in the .log, and what the .aux files tell
// BibTeX.

// The lines of an .aux file that a later LaTeX run acts on, each ended by "\n". Left out are
// the lines that only BibTeX reads (\citation, \bibdata, \bibstyle), that copy into the watched
// .toc, .lof and .lot (\@writefile), that bring in an .aux file watched itself (\@input, when
// `watched` says so of the file it names, as written), and that a rerun does not act on: \relax,
// the checkpoints of \include (\@setckpt) and the page count (\@abspage@last; where something
// needs it, LaTeX asks for a rerun in its log).
std::string PartReadByLaTeX(std::string_view aux,
                            const std::function<bool(std::string_view)>& watched);

// Whether a LaTeX log asks for another run, as "Rerun to get cross-references right",
// "Table widths have changed. Rerun LaTeX." or "Please rerun LaTeX." do, also where TeX broke
// the message over two lines of the log.
bool LogAsksForRerun(std::string_view log);

// Whether a LaTeX log asks for Biber, as biblatex does when its bibliography is missing or out
// of date ("Please (re)run Biber on the file:").
bool LogAsksForBiber(std::string_view log);

// The data sources (.bib files) a Biber control file (.bcf) names, in the ANSI code page, as
// written: relative to the document's directory unless absolute.
std::vector<std::string> BiberDataSources(std::string_view bcf);

// What the .aux files of a document tell BibTeX, gathered file by file in the order BibTeX
// reads them.
struct BibliographyInput {
  bool has_data = false;  // a \bibdata line was seen
  bool biblatex = false;  // biblatex wrote the file (its \abx@aux@ lines)
  std::string lines;  // the \citation lines that cite a key first, \bibdata and \bibstyle, in order
  std::set<std::string> cited;         // the keys of \citation, each key of a list by itself
  std::set<std::string> entries;       // the keys of \bibcite
  std::vector<std::string> databases;  // the names in \bibdata
  std::string style;                   // the name in \bibstyle

  // Adds what one .aux file holds, in any encoding TextFile reads; nothing when it cannot be
  // read.
  void Add(const std::string& aux_path);
  // Whether a cited key has no entry, or an entry no citation; every entry may stand uncited
  // where "*" is cited (\nocite{*}).
  bool KeysDiffer() const;
};
