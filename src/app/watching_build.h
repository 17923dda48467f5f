#pragma once

#include <functional>
#include <string>

class TeX;

// Builds the current file of `tex`, then builds it again whenever a file the document reads has
// changed and the files have been quiet for 300 ms, until an interruption (Ctrl+C). `build`
// resolves the parent and runs the steps; `say` shows a line of our own, one before each new
// build among them.
void BuildWhileWatching(TeX& tex, const std::function<void()>& build,
                        const std::function<void(const std::string&)>& say);
