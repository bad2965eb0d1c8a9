// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Input and output of the text commands (markup2rtf, rtf2text, shred): the
// whole input in one buffer, the whole output in one write.
namespace cli {

// Frees an input buffer (it comes from malloc or aligned_alloc).
struct FreeInputBuffer {
    void operator()(char* data) const;
};

struct InputText {
    std::unique_ptr<char, FreeInputBuffer> data;
    std::size_t size = 0;

    std::string_view View() const { return {data.get(), size}; }
};

// Reads FILE, or standard input when `file` is empty or "-": a file of known
// size straight into a buffer of that size, a pipe in large blocks. On
// failure returns nothing and `error` says why ("cannot open X: ...",
// "X is a folder", ...).
std::optional<InputText> ReadInput(const std::string& file, std::string& error);

// Writes all of `text` to standard output; false when it cannot.
bool WriteOutput(std::string_view text);

}  // namespace cli
