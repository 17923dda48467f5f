#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A directory of its own for each fuzzing process, for the files a target writes.
const std::string& FuzzDirectory();
void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size);
