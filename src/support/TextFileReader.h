// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>

// Reads the start of a text file for Open: no more lines than the command
// takes and never more than a few megabytes, so a huge file does not freeze
// the window. Folders, pipes, devices, unreadable files and binary files are
// refused with a message naming the file.
struct TextFileStart {
    bool ok = false;
    std::string text;     // the first lines, each with its line end as in the file
    std::string problem;  // why nothing was read (ok false)
    std::string notice;   // something the user should know about what was read (ok true)
};

inline constexpr std::size_t kTextFileReadLimit = 4u << 20;

TextFileStart ReadTextFileStart(const std::string& path, int maxLines, std::size_t byteLimit = kTextFileReadLimit);

// Opens `path` (links followed) for reading only when it is a regular file.
// A pipe, a device or a folder is refused without waiting on it or reading
// from it. Returns the descriptor (close-on-exec), or -1 with `why` set to
// the reason alone, without the path ("it is a folder", or the system's
// reason such as "No such file or directory").
int OpenRegularFile(const std::string& path, std::string& why);

enum class WholeFile { kRead, kCannotRead, kTooLarge };

// The whole of a regular file of at most `limit` bytes. The limit is checked
// while reading, so a file whose size changes or cannot be told still stops
// at limit + 1 bytes. `why` is set as for OpenRegularFile when not kRead.
WholeFile ReadRegularFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& why);
