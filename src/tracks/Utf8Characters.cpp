#include "tracks/Utf8Characters.h"

namespace tracks {
namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length a lead byte announces, or 1 for a byte that cannot start a sequence.
std::size_t AnnouncedLength(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 1;
}

// Second-byte ranges that rule out overlong forms, surrogates and code
// points above U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xE0: return second >= 0xA0 && second <= 0xBF;
        case 0xED: return second >= 0x80 && second <= 0x9F;
        case 0xF0: return second >= 0x90 && second <= 0xBF;
        case 0xF4: return second >= 0x80 && second <= 0x8F;
        default: return IsContinuation(second);
    }
}

std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = AnnouncedLength(lead);
    if (length == 1 || at + length > text.size()) return 1;
    if (!SecondByteFits(lead, static_cast<unsigned char>(text[at + 1]))) return 1;
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) return 1;
    }
    return length;
}

}  // namespace

std::vector<std::size_t> CharacterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    starts.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); at += SequenceLength(text, at)) starts.push_back(at);
    return starts;
}

}  // namespace tracks
