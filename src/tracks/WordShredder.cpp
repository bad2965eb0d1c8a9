#include "tracks/WordShredder.h"

#include "form/TrackState.h"
#include "richtext/Utf8Text.h"

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::string_view Fragment(std::string_view word, const ShredSettings& settings) {
    const auto size = static_cast<std::size_t>(settings.size);
    if (word.size() <= size) return word;  // no more characters than bytes
    if (settings.type == FragmentType::Prefix) {
        // The first `size` characters: the word is longer exactly when they end before it does.
        if (IsAscii(word.substr(0, size))) return word.substr(0, size);
        return word.substr(0, utf8text::OffsetOfCodePoint(word, size));
    }
    if (IsAscii(word)) return word.substr(word.size() - size);
    const std::size_t characters = utf8text::CountCodePoints(word);
    if (characters <= size) return word;
    return word.substr(utf8text::OffsetOfCodePoint(word, characters - size));
}

}  // namespace

std::string ShredWords(std::string_view text, const ShredSettings& settings) {
    std::string result;
    result.reserve(text.size() + 1);
    AppendShreddedWords(result, text, settings);
    return result;
}

void AppendShreddedWords(std::string& out, std::string_view text, const ShredSettings& settings) {
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
    ShredSettings settings;
    settings.size = track.m_fragmentSizeRadio[2] ? 5 : track.m_fragmentSizeRadio[1] ? 4 : 3;
    const bool suffix = track.m_fragmentTypeRadio[1] && !track.m_fragmentTypeRadio[0];
    settings.type = suffix ? FragmentType::Suffix : FragmentType::Prefix;
    return settings;
}
