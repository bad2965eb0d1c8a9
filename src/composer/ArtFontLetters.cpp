#include "composer/ArtFontLetters.h"

const char* ArtFontPrefix(int styleIndex) {
    switch (styleIndex) {
        case 3: return "artfonts/ransomnote/";
        case 4: return "artfonts/lcd/";
        case 5: return "artfonts/metal/";
        default: return "artfonts/stampkit/";
    }
}

namespace {

// Bytes of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

}  // namespace

std::string BuildArtFontLetters(std::string_view text, int styleIndex) {
    const std::string prefix = ArtFontPrefix(styleIndex);
    std::string result;
    result.reserve(text.size() * (prefix.size() + 20));
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        result += "<IMG SRC='";
        result += prefix;
        if (c >= 'a' && c <= 'z') {
            result += static_cast<char>(c);
            result += ".gif'>";
            ++i;
            continue;
        }
        result += "space.gif'>";
        size_t length = SequenceLength(c);
        // A truncated or malformed sequence is taken byte by byte.
        for (size_t k = 1; k < length; ++k) {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                length = 1;
                break;
            }
        }
        i += length;
    }
    result += "<BR>";
    return result;
}
