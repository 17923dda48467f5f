#pragma once

#include <string_view>

#include "texsource/scanner.h"

// Whether a line holds an effective "\documentclass" or "\documentstyle": one that stands before
// the line's first "%" and first "\verb".
bool IsDocumentClassLine(std::string_view line);

// The class options and class name of a class line, searched over the whole line (comment
// included); a part that does not close on the line comes out empty.
ClassInfo ExtractClassInfo(std::string_view line);
