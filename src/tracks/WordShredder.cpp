// SPDX-License-Identifier: GPL-3.0-or-later
#include "tracks/WordShredder.h"

#include "form/TrackState.h"
#include "richtext/Utf8Text.h"

#include <algorithm>

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Plain ASCII without a carriage return: one character per byte.
bool OneCharacterPerByte(std::string_view text) { return IsAscii(text) && text.find('\r') == std::string_view::npos; }

std::string_view Fragment(std::string_view word, const ShredSettings& settings) {
    const auto size = static_cast<std::size_t>(settings.size);
    if (word.size() <= size) return word;  // no more characters than bytes
    if (settings.type == FragmentType::Prefix) {
        std::size_t end = 0;
        for (std::size_t taken = 0; taken < size && end < word.size(); ++taken) end = utf8text::GraphemeEnd(word, end);
        return word.substr(0, end);
    }
    if (OneCharacterPerByte(word)) return word.substr(word.size() - size);
    const std::size_t characters = utf8text::CountGraphemes(word);
    if (characters <= size) return word;
    std::size_t start = 0;
    for (std::size_t skipped = 0; skipped < characters - size; ++skipped) start = utf8text::GraphemeEnd(word, start);
    return word.substr(start);
}

}  // namespace

std::string ShredWords(std::string_view text, const ShredSettings& settings) {
    std::string result;
    result.reserve(text.size() + 1);
    AppendShreddedWords(result, text, settings);
    return result;
}

void AppendShreddedWords(std::string& out, std::string_view text, const ShredSettings& settings) {
    // A byte-order mark is no letter of the first word.
    if (text.starts_with(utf8text::kByteOrderMark)) text.remove_prefix(utf8text::kByteOrderMark.size());
    std::size_t from = 0;
    while (true) {
        const std::size_t space = text.find(' ', from);
        const std::string_view word =
            text.substr(from, space == std::string_view::npos ? std::string_view::npos : space - from);
        out += Fragment(word, settings);
        out += ' ';
        if (space == std::string_view::npos) break;
        from = space + 1;
    }
}

ShredSettings ShredSettingsOf(const TrackState& track) {
    const Setting& size = settings::kFragmentSize;
    ShredSettings shred;
    shred.size = std::clamp(track.m_fragmentSize, size.minimum, size.maximum);
    shred.type = track.m_fragmentType == TrackState::kSuffix ? FragmentType::Suffix : FragmentType::Prefix;
    return shred;
}
