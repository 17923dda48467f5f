#include "build/editor_command.h"
#include "build/run_failure.h"
#include "build/source_location.h"
#include "build/tex.h"
#include "settings/settings.h"
#include "texsource/paths.h"
#include "vklib/association.h"
#include "vklib/command_line.h"
#include "vklib/file.h"
#include "vklib/viewer.h"

bool TeX::OpenLocation(const std::string& text) {
  SourceLocation at;
  if (!ParseLocation(text, at)) return false;
  // The build's tools run in the parent's directory, and name files from there.
  const std::string& directory = parent_directory.empty() ? current_directory : parent_directory;
  std::string path = WithPlatformSeparators(at.file);
  if (!IsAbsolutePath(path)) path = JoinPath(directory, path);
  if (!vklib::FileExists(path) || vklib::IsDirectory(path)) return false;

  const std::string editor = GetIniString(Setting::kTeXEditor);
  const std::vector<std::string> words = vklib::SplitCommandLine(editor);
  if (words.empty()) {
    vklib::SystemError error;
    if (!vklib::OpenWithAssociation(path, directory, error)) Message(OpenFailureText(path, error));
    return true;
  }
  const std::string program = vklib::LaunchablePath(words.front());
  std::string command, refusal;
  if (!EditorCommandLine(editor, program, vklib::LaunchedFilePath(program, path), at.line, command,
                         refusal)) {
    Message(refusal);
    return true;
  }
  LaunchViewer(command, "Pressel2");
  return true;
}
