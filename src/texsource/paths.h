#pragma once

#include <string>
#include <string_view>

// Paths as the TeX source analysis handles them: "." components and empty ones are dropped,
// ".." takes back the component before it, and a double-byte character's second byte is never
// taken for a separator. A leading separator (or the "\\" of a network share) is kept.

struct PathParts {
  std::string directory;  // without a trailing separator; empty for a bare name
  std::string name;       // the last component
  std::string stem;       // the name without its extension
  std::string extension;  // from the name's last ".", the dot included; may be empty
};

// Splits at every separator of the platform ("\" and "/" on Windows).
PathParts SplitPath(std::string_view path);

// Whether two paths name the same file: both non-empty and equal once normalized (split at
// every separator of the platform, "\" and "/" alike on Windows, and lower-cased where the
// platform ignores case).
bool SamePath(std::string_view a, std::string_view b);
// That normalized form, for comparing one path with many: "" for an empty path.
std::string PathKey(std::string_view path);

// directory + separator + name, without doubling a separator that ends the directory; the name
// alone when the directory is empty.
std::string JoinPath(const std::string& directory, const std::string& name);

// Whether a path ends in an extension ("." included), whatever the case of its letters. A "."
// is never the second byte of a double-byte character, so the comparison cannot start inside one.
bool HasExtension(std::string_view path, std::string_view extension);

// Whether a path names the same place from any current directory: "/..." on POSIX; "C:\...",
// "\..." or "\\server\..." on Windows (also with "/").
bool IsAbsolutePath(std::string_view path);

// The path in the platform's own separators ("/" becomes "\" on Windows).
std::string WithPlatformSeparators(std::string path);
