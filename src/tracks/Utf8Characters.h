#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

namespace tracks {

// Byte offsets at which the characters of `text` start. A well-formed UTF-8
// sequence is one character; every byte of a malformed one counts on its own,
// so any byte string has a complete, non-overlapping division.
std::vector<std::size_t> CharacterStarts(std::string_view text);

}  // namespace tracks
