#pragma once

#include <string>

// POSIX only: writing a small file that other programs read at the same time (the settings
// file), so that none of them ever sees it cut short. Paths are UTF-8.
namespace vklib::posix {

// The file a path names, through any links, a link to no file yet included: such a link gets
// its target written, it is never replaced by a plain file.
std::string LinkTarget(const std::string& path);

// Gives a file new bytes at once: they go to a new file beside it, which then takes its name,
// with the old file's permissions. Only where the directory refuses new files is it written in
// place; a full disk fails the write and leaves the old file whole.
bool ReplaceFile(const std::string& path, const std::string& bytes);

// Makes a file of these bytes where there is none: whole, and never over a file that came
// meanwhile.
enum class NewFile { kCreated, kExisted, kFailed };
NewFile CreateNewFile(const std::string& path, const std::string& bytes);

}  // namespace vklib::posix
