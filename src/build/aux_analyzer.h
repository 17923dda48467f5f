#pragma once

#include <map>
#include <string>
#include <vector>

// A file whose auxiliary files are watched: the parent file, or a file it brings in with
// \include. The snapshots map an extension ("aux") to the file's bytes as last read; a missing
// key means the file did not exist then.
struct TrackedFile {
  std::string path;
  std::map<std::string, std::string> snapshots;
};

// Decides, before the first run and after every action of a TeX-to-DVI build, what to do next:
// "latex\n" + parent path when an auxiliary file changed (or right after MakeIndex or BibTeX),
// "makeindex\n" + path when an index file exists, "bibtex\n" + path when the citations and the
// bibliography entries disagree, or "" when the document is stable. MakeIndex and BibTeX are
// each asked for once per build.
class AuxAnalyzer {
 public:
  // Resets everything, takes the first snapshot, and answers a LaTeX run of the parent path.
  std::string Start(const std::string& parent_path);
  // The answer after an action has been carried out.
  std::string Next();

  // The auxiliary file of a source for an extension: "C:\doc\main.tex" (or "C:\doc\main.ltx"),
  // "aux" gives "C:\doc\main.aux".
  static std::string AuxFileName(const std::string& path, const std::string& extension);
  // The bibliography databases the .aux of a source names in "\bibdata", each with ".bib"
  // appended unless it has an extension, relative to the source's directory unless absolute.
  static std::vector<std::string> BibFiles(const std::string& path);

 private:
  bool Changed();
  bool NeedsMakeIndex();
  bool NeedsBibTeX();
  std::string Answer(const char* action) const;

  bool force_latex_ = false;
  bool makeindex_done_ = false;
  bool bibtex_done_ = false;
  std::vector<TrackedFile> tracked_;
  std::vector<char> buffer_ = std::vector<char>(4096);  // kept between queries
};
