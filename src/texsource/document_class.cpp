#include "texsource/document_class.h"

#include <algorithm>
#include <string>

#include "vklib/codepage.h"

namespace {

constexpr size_t kNone = std::string_view::npos;

}  // namespace

bool IsDocumentClassLine(std::string_view line) {
  size_t cut = std::min(vklib::FindText(line, "%"), vklib::FindText(line, "\\verb"));
  size_t document_class = vklib::FindText(line, "\\documentclass");
  if (document_class != kNone && document_class < cut) return true;
  size_t document_style = vklib::FindText(line, "\\documentstyle");
  return document_style != kNone && document_style < cut;
}

ClassInfo ExtractClassInfo(std::string_view line) {
  // What the expressions \\document(class|style)\[([^\]]*)\] and
  // \\document(class|style)[^\{]*\{([^\}]*)\} find, searched from the left a character at a
  // time (the second byte of "従" is no "]"): the first command decides, since any later one
  // could close only where it closes. (A library's expressions walk such a run of characters by
  // recursion, which a long line takes past the end of the stack.)
  auto first_command = [&](std::string_view after) {
    return std::min(vklib::FindText(line, std::string("\\documentclass").append(after)),
                    vklib::FindText(line, std::string("\\documentstyle").append(after)));
  };
  constexpr size_t kCommand = 14;  // "\documentclass", "\documentstyle"
  ClassInfo info;
  if (size_t at = first_command("["); at != kNone) {
    const size_t open = at + kCommand;
    if (size_t close = vklib::FindText(line, "]", open + 1); close != kNone) {
      info.options = line.substr(open + 1, close - open - 1);
    }
  }
  if (size_t at = first_command(""); at != kNone) {
    if (size_t open = vklib::FindText(line, "{", at + kCommand); open != kNone) {
      if (size_t close = vklib::FindText(line, "}", open + 1); close != kNone) {
        info.name = line.substr(open + 1, close - open - 1);
      }
    }
  }
  return info;
}
