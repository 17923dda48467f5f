#include "build/tex.h"
#include "settings/settings.h"
#include "settings/stored_choices.h"
#include "texsource/parent.h"
#include "texsource/paths.h"
#include "texsource/root_comment.h"

bool TeX::IsOutputExtension(const std::string& extension) {
  return HasExtension(extension, ".dvi") || HasExtension(extension, ".ps") ||
         HasExtension(extension, ".pdf");
}

void TeX::ResolveParent() {
  FindParent();
  ReadDocumentEngine();
}

void TeX::ReadDocumentEngine() {
  document_engine = DocumentEngine();
  source_encoding = nullptr;
  if (parent_base.empty()) return;
  const std::string source = SourceFile();
  document_engine =
      EngineNamedBy(source, IsOutputExtension(current_extension) ? source : current_file);
  source_encoding = LegacyEncodingOf(source);
}

void TeX::FindParent() {
  PathParts current = SplitPath(current_file);
  current_directory = current.directory;
  current_stem = current.stem;
  current_extension = current.extension;
  current_base = JoinPath(current_directory, current_stem);

  // A .dvi, .ps or .pdf file (or a .TEX one) is its own parent. The class line of the .tex
  // file of the same stem beside a .dvi, .ps or .pdf file gives the paper size.
  if (current_extension != ".tex") {
    parent_base = current_base;
    parent_directory = current_directory;
    parent_stem = current_stem;
    parent_extension = current_extension;
    ClassInfo info;
    if (IsOutputExtension(current_extension)) ScanTeXFile(current_base + ".tex", info);
    class_options = info.options;
    class_name = info.name;
    return;
  }

  std::string parent;
  ClassInfo info;
  switch (ParentChoiceOf(GetIniInt(Setting::kTeXWhichParent))) {
    case ParentChoice::kOpenFile:
      if (!SamePath(FindParentFile(current_file, info), current_file)) info = ClassInfo();
      parent = current_file;
      break;
    case ParentChoice::kGiven:
      parent = GetIniString(Setting::kTeXParent);
      break;
    case ParentChoice::kInfer:
      // A root the source names for itself comes before any search.
      parent = RootNamedIn(current_file);
      if (parent.empty())
        parent = FindParentFile(current_file, info);
      else
        ScanTeXFile(parent, info);
      break;
  }
  class_options = info.options;
  class_name = info.name;
  if (parent.empty()) {
    parent_base.clear();
    return;
  }
  PathParts parts = SplitPath(parent);
  parent_directory = parts.directory;
  parent_stem = parts.stem;
  parent_extension = parts.extension;
  parent_base = JoinPath(parent_directory, parent_stem);
}
