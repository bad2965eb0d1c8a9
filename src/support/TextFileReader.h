#pragma once
#include <cstddef>
#include <string>

// Reads the start of a text file for Open: no more lines than the command
// takes and never more than a few megabytes, so a huge file does not freeze
// the window. Folders, unreadable files and binary files are refused with a
// message naming the file.
struct TextFileStart {
    bool ok = false;
    std::string text;      // the first lines, each with its line end as in the file
    std::string problem;   // why nothing was read (ok false)
    std::string notice;    // something the user should know about what was read (ok true)
};

inline constexpr std::size_t kTextFileReadLimit = 4u << 20;

TextFileStart ReadTextFileStart(const std::string& path, int maxLines, std::size_t byteLimit = kTextFileReadLimit);
