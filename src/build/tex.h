#pragma once

#include <string>

// The build object: the current file, the parent file of its document, and the steps of the
// tool chain run on them.
class TeX {
 public:
  // Fills the parent and current fields from the current file and the "WhichParent" setting.
  void ResolveParent();

  std::string current_file;  // full path of the open file; empty when none is open

  std::string parent_base;  // parent directory + separator + stem; empty when none was found
  std::string parent_stem;
  std::string parent_extension;  // with its dot
  std::string parent_directory;  // without a trailing separator
  std::string class_options;
  std::string class_name;
  std::string current_base;
  std::string current_stem;
  std::string current_directory;
  std::string current_extension;
};
