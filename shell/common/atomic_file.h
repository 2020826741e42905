// Writing a file so that it is either wholly the old or wholly the new one.
#pragma once

#include <string>

// Creates `dir` and its missing parents (mode 0755). True when it exists.
bool makeDirectories(const std::string& dir);

// Writes `bytes` to a temporary file in the folder of `path`, flushes it to
// disk and renames it over `path`. On failure the old file is untouched, the
// temporary file is removed and `error` says what failed.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// Reads a whole file. On failure `error` says why.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& error);
