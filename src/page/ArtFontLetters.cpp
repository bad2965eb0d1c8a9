// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/ArtFontLetters.h"

#include "richtext/Utf8Text.h"

#include <utf8proc.h>

const char* ArtFontPrefix(int styleIndex) {
    switch (styleIndex) {
        case 3: return "artfonts/ransomnote/";
        case 4: return "artfonts/lcd/";
        case 5: return "artfonts/metal/";
        default: return "artfonts/stampkit/";
    }
}

namespace {

bool IsLowerAsciiLetter(utf8proc_int32_t cp) { return cp >= 'a' && cp <= 'z'; }

// The letters a to z that spell a Latin letter: its own, or its base
// letter's when it carries marks (é, Ö, ç), two for the letters that stand
// for two (ß, æ, œ, ĳ). Empty for anything that is not a Latin letter.
std::string LatinSpelling(std::string_view cluster) {
    std::size_t pos = 0;
    const long first = utf8text::Decode(cluster, pos);
    if (first < 0) return {};
    const utf8proc_category_t category = utf8proc_category(static_cast<utf8proc_int32_t>(first));
    if (category < UTF8PROC_CATEGORY_LU || category > UTF8PROC_CATEGORY_LO) return {};
    // Neither æ nor œ decomposes: they are letters of their own that the
    // pictures spell as the two they are made of.
    switch (first) {
        case 0xC6:
        case 0xE6: return "ae";
        case 0x152:
        case 0x153: return "oe";
        default: break;
    }
    // Compatibility decomposition (ĳ to ij), case folding (ß to ss) and no marks.
    const auto options =
        static_cast<utf8proc_option_t>(UTF8PROC_COMPAT | UTF8PROC_DECOMPOSE | UTF8PROC_CASEFOLD | UTF8PROC_STRIPMARK);
    std::string spelling;
    pos = 0;
    while (pos < cluster.size()) {
        const long cp = utf8text::Decode(cluster, pos);
        if (cp < 0) return {};
        utf8proc_int32_t parts[8];
        int boundary = 0;
        const utf8proc_ssize_t n =
            utf8proc_decompose_char(static_cast<utf8proc_int32_t>(cp), parts, 8, options, &boundary);
        if (n < 0 || n > 8) return {};
        for (utf8proc_ssize_t k = 0; k < n; ++k) {
            if (!IsLowerAsciiLetter(parts[k])) return {};
            spelling += static_cast<char>(parts[k]);
        }
    }
    return spelling;
}

void AppendPicture(std::string& out, const std::string& prefix, std::string_view name) {
    out += "<IMG SRC='";
    out += prefix;
    out += name;
    out += ".gif'>";
}

}  // namespace

std::string BuildArtFontLetters(std::string_view text, int styleIndex) {
    const std::string prefix = ArtFontPrefix(styleIndex);
    std::string result;
    result.reserve(text.size() * (prefix.size() + 20));
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t end = utf8text::GraphemeEnd(text, i);
        const std::string_view cluster = text.substr(i, end - i);
        i = end;
        char c = cluster[0];
        if (cluster.size() == 1 && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (cluster.size() == 1 && c >= 'a' && c <= 'z') {
            AppendPicture(result, prefix, std::string_view(&c, 1));
            continue;
        }
        const std::string spelling = cluster.size() == 1 ? std::string() : LatinSpelling(cluster);
        if (spelling.empty()) {
            AppendPicture(result, prefix, "space");
            continue;
        }
        for (const char& letter : spelling) AppendPicture(result, prefix, std::string_view(&letter, 1));
    }
    result += "<BR>";
    return result;
}
