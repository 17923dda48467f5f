#include "texsource/paths.h"

#include <vector>

#include "vklib/codepage.h"
#include "vklib/file.h"

namespace {

// A path's root and its components, as views into the path (which must outlive them).
struct Normalized {
  std::string root;  // the separators that start the path
  std::vector<std::string_view> components;
};

Normalized Normalize(std::string_view path, std::string_view separators) {
  Normalized result;
  auto is_separator = [&](size_t i) { return separators.find(path[i]) != std::string_view::npos; };
  size_t pos = 0;
  while (pos < path.size() && is_separator(pos) && result.root.size() < vklib::kPathRootMax) {
    result.root += vklib::kPathSeparator;
    ++pos;
  }
  size_t start = pos;
  auto finish_component = [&](size_t end) {
    const std::string_view component = path.substr(start, end - start);
    if (component == "..") {
      if (!result.components.empty()) result.components.pop_back();
    } else if (!component.empty() && component != ".") {
      result.components.push_back(component);
    }
  };
  while (pos < path.size()) {
    size_t length = vklib::CharLength(path, pos);
    if (length == 1 && is_separator(pos)) {
      finish_component(pos);
      start = pos + 1;
    }
    pos += length;
  }
  finish_component(path.size());
  return result;
}

std::string Join(const Normalized& parts, size_t count) {
  std::string joined = parts.root;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) joined += vklib::kPathSeparator;
    joined += parts.components[i];
  }
  return joined;
}

}  // namespace

PathParts SplitPath(std::string_view path) {
  Normalized parts = Normalize(path, vklib::kPathSeparators);
  PathParts result;
  if (parts.components.empty()) return result;
  result.directory =
      parts.components.size() > 1 ? Join(parts, parts.components.size() - 1) : std::string();
  if (parts.components.size() == 1 && !parts.root.empty()) result.directory = parts.root;
  result.name = parts.components.back();
  size_t dot = result.name.rfind('.');
  result.stem = result.name.substr(0, dot);
  result.extension = dot == std::string::npos ? std::string() : result.name.substr(dot);
  return result;
}

bool SamePath(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return false;
  return PathKey(a) == PathKey(b);
}

std::string PathKey(std::string_view path) {
  if (path.empty()) return std::string();
  Normalized parts = Normalize(path, vklib::kPathSeparators);
  std::string key = Join(parts, parts.components.size());
  if (vklib::kPathsIgnoreCase) vklib::LowerCaseAnsi(key);
  return key;
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  // The last character, not the last byte: "表" ends in the byte of "\\".
  size_t last = std::string::npos;
  for (size_t i = 0; i < directory.size(); i += vklib::CharLength(directory, i))
    last = i;
  if (last != std::string::npos && directory[last] == vklib::kPathSeparator &&
      vklib::CharLength(directory, last) == 1) {
    return directory + name;
  }
  return directory + vklib::kPathSeparator + name;
}

bool HasExtension(std::string_view path, std::string_view extension) {
  if (path.size() < extension.size()) return false;
  std::string tail(path.substr(path.size() - extension.size()));
  std::string wanted(extension);
  vklib::LowerCaseAnsi(tail);
  vklib::LowerCaseAnsi(wanted);
  return tail == wanted;
}

bool IsAbsolutePath(std::string_view path) {
  auto is_separator = [](char c) {
    return std::string_view(vklib::kPathSeparators).find(c) != std::string_view::npos;
  };
  if (!path.empty() && is_separator(path[0])) return true;
  // A drive letter with its root; "C:name" is relative to that drive's current directory.
  return vklib::kDriveLetters && path.size() >= 3 && path[1] == ':' && is_separator(path[2]);
}

std::string WithPlatformSeparators(std::string path) {
  for (size_t i = 0; i < path.size(); i += vklib::CharLength(path, i)) {
    if (path[i] == '/') path[i] = vklib::kPathSeparator;
  }
  return path;
}
