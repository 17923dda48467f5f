#pragma once

#include <map>
#include <string>
#include <vector>

#include "build/build_state.h"

// A file whose auxiliary files are watched: the parent file, or a file it brings in with
// \include. The snapshots map an extension ("aux") to a digest of what a LaTeX run reads back
// from that file; a missing file reads as an empty one.
struct TrackedFile {
  std::string path;
  std::map<std::string, std::string> snapshots;
};

// Decides, before the first run and after every action of a TeX-to-DVI build, what to do next,
// each answer the action word, "\n" and the parent path, or "" when the document is finished:
// - the first action is a LaTeX run;
// - after a LaTeX run, the tools that are due run back to back: MakeIndex when the .ind is
//   missing or the .idx is not the one that made it; BibTeX (with \bibdata in the .aux) when
//   the .bbl is missing or older than a .bib file (or the .bst beside the document), when the
//   cited keys and the \bibcite keys differ, or when what BibTeX reads (the bibliography lines
//   of the .aux files, and those .bib and .bst files) is not what made the .bbl; for biblatex
//   with Biber (a .bcf, and no \bibdata), the same with what Biber reads (the .bcf and the .bib
//   files it names), and where the log asks for Biber in place of the keys;
// - then LaTeX again, when the last LaTeX run changed what the next one reads back (the .aux,
//   .toc, .lot, .lof of the parent and of each \include'd file, and any other file of the job
//   that its log shows LaTeX reading, as hyperref's .out or beamer's .nav), when its log asks for
//   a rerun, or when a tool changed its output; else the document is finished.
// Within one build a tool never runs twice on the same input. What made the .ind and the .bbl is
// kept in the document's BuildState once the tool has succeeded (ToolSucceeded).
class AuxAnalyzer {
 public:
  // Resets everything, takes the first snapshot, and answers a LaTeX run of the parent path.
  std::string Start(const std::string& parent_path);
  // The answer after an action has been carried out.
  std::string Next();
  // Tells that the tool of the last answer ended with exit code 0 (before the Next that follows
  // it): its input is recorded as what made its output.
  void ToolSucceeded() { tool_succeeded_ = true; }
  // Whether the bibliography of the last "bibtex" answer is Biber's to make (biblatex).
  bool BibliographyByBiber() const { return biber_; }

  // The auxiliary file of a source for an extension: "C:\doc\main.tex" (or "C:\doc\main.ltx"),
  // "aux" gives "C:\doc\main.aux".
  static std::string AuxFileName(const std::string& path, const std::string& extension);
  // The bibliography databases the .aux of a source names in "\bibdata" (or its .bcf, for
  // Biber), each with ".bib" appended unless it has an extension, relative to the source's
  // directory unless absolute.
  static std::vector<std::string> BibFiles(const std::string& path);

 private:
  enum class Action { kNone, kLaTeX, kMakeIndex, kBibTeX };

  std::string Answer(Action action);
  // Takes a new snapshot; whether anything a LaTeX run reads back differs from the last one.
  bool Changed();
  // Takes a new snapshot of the parent's other files of the job; whether one that the last run
  // read back changed.
  bool ReadBackFilesChanged();
  bool LogAsksForRerun() const;
  bool MakeIndexDue();
  bool BibliographyDue();
  // After MakeIndex or BibTeX: LaTeX is due when the tool changed its output; its input is
  // recorded when it succeeded.
  void ToolEnded();
  std::string ParentFile(const char* extension) const;
  // A digest of a file of the parent's; "" when there is none.
  std::string DigestOf(const char* extension) const;

  std::vector<TrackedFile> tracked_;
  std::map<std::string, std::string> job_files_;  // name: digest
  BuildState state_;
  Action last_ = Action::kNone;
  bool latex_due_ = false;
  bool tool_succeeded_ = false;
  bool biber_ = false;
  std::string tool_input_;     // what the tool of the last answer reads, as a digest
  std::string output_before_;  // its output before it ran, as a digest
  // The inputs each tool has run on in this build, whatever came of it.
  std::string index_tried_;
  std::string bibliography_tried_;
};
