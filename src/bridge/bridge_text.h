#pragma once

#include <string>
#include <vector>

// Under Wine, the texts that cross from the window to a Linux program and back: its command line
// (UTF-8 here) and the search paths kpsewhich prints. Unix paths come from Wine (wine_unix.h).

// The Linux program for the name a Windows command line gives: the same name without ".exe",
// ".bat", ".cmd" or ".com" (Ghostscript's ps2pdf for "ps2pdf.bat"), or a path made a Unix one.
std::string LinuxProgram(const std::string& program);

// An argument for a Linux program: an absolute Windows path, alone or after "=", becomes the
// Unix path of the same file; a relative path that starts with ".\" (a file name that starts
// with "-", passed as a path) starts with "./".
std::string UnixArgument(const std::string& argument);

// Whether kpsewhich is asked for a search path (its answer then needs Windows paths).
bool IsPathQuery(const std::vector<std::string>& arguments);

// A search path as kpsewhich prints it on Linux ("/a:/b//" on one line, UTF-8) in the form
// Windows programs read it ("Z:\a;Z:\b\\", in the ANSI code page).
std::string WindowsSearchPath(const std::string& unix_search_path);
