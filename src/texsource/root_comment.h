#pragma once

#include <string>
#include <string_view>
#include <vector>

// The comments among a source's first lines in which TeX editors let a file tell how its
// document is built:
//   % !TEX root = ../main.tex
//   % !TEX program = uplatex

// The whole lines among the first 20 of a source, in any encoding TextFile reads (a line too long
// for the reader's buffer is no such line); none when it cannot be read.
std::vector<std::string> LeadingLines(const std::string& path);

// The value of a "% !TEX key = value" line, with "!TEX" and the key (lower-case ASCII) in any
// case and blanks anywhere, the value's blanks trimmed; empty for any other line.
std::string_view TeXCommentValue(std::string_view line, std::string_view key);

// The root file a source names for itself in its first lines, as many TeX editors let a chapter
// say where its document starts. The path is relative to the source's directory unless it is
// absolute, may use "/" or "\", and gets ".tex" when it has no extension. Empty when no such
// comment names an existing file.
std::string RootNamedIn(const std::string& path);
