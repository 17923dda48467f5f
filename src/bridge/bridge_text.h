#pragma once

#include <string>
#include <vector>

// The bridge's own texts: arguments and kpsewhich's search paths between Linux and Windows.

// Wide text in a code page (CP_UTF8, CP_ACP).
std::string Narrow(unsigned code_page, const std::wstring& wide);

// Whether kpsewhich is asked for a search path (its answer then needs Windows paths).
bool IsPathQuery(const std::vector<std::wstring>& arguments);

// A search path as kpsewhich prints it on Linux ("/a:/b//" on one line) in the form Windows
// programs read it ("Z:\a;Z:\b\\").
std::string WindowsSearchPath(const std::string& unix_search_path);
