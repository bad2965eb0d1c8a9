// SPDX-License-Identifier: GPL-3.0-or-later
// Shredding any bytes: every fragment is the start or end of its word, no
// more characters (grapheme clusters) than asked, and valid UTF-8 never
// comes out cut inside a character.
#include "richtext/Utf8Text.h"
#include "tracks/WordShredder.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> Split(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(' ', from)) != std::string_view::npos; from = at + 1)
        words.push_back(text.substr(from, at - from));
    words.push_back(text.substr(from));
    return words;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();)
        if (utf8text::Decode(text, pos) < 0) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const ShredSettings settings{(data[0] & 1) ? FragmentType::Suffix : FragmentType::Prefix, 3 + (data[0] >> 1) % 3};
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string result = ShredWords(text, settings);
    if (text.starts_with(utf8text::kByteOrderMark)) text.remove_prefix(utf8text::kByteOrderMark.size());

    if (result.empty() || result.back() != ' ') std::abort();
    const auto in = Split(text);
    auto out = Split(std::string_view(result).substr(0, result.size() - 1));
    if (in.size() != out.size()) std::abort();
    for (std::size_t i = 0; i < in.size(); ++i) {
        const bool fits =
            settings.type == FragmentType::Prefix ? in[i].substr(0, out[i].size()) == out[i] : in[i].ends_with(out[i]);
        if (!fits || utf8text::CountGraphemes(out[i]) > static_cast<std::size_t>(settings.size)) std::abort();
    }
    if (IsValidUtf8(text) && !IsValidUtf8(result)) std::abort();
    return 0;
}
