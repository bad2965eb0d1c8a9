// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Reading the installed source files the data is built from.
namespace datasrc {

// The whole file; throws std::runtime_error naming the file when it cannot be read.
std::string ReadFile(const std::string& path);
// A gzip (or dictzip) compressed file, uncompressed.
std::string ReadGzipFile(const std::string& path);
// Output of a command run through the shell; throws when it fails.
std::string ReadCommandOutput(const std::string& command);

std::vector<std::string_view> SplitLines(std::string_view text);
// Fields separated by runs of blanks (space, tab, CR).
std::vector<std::string_view> SplitBlanks(std::string_view text);
std::string_view Trim(std::string_view text);
// Runs of white space become one space; leading and trailing ones go.
std::string CollapseSpaces(std::string_view text);
int CountWords(std::string_view text);
bool IsLowerWord(std::string_view word, std::size_t minLength = 3);

}  // namespace datasrc
