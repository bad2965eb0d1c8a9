// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every RTF document the program writes must be: 7-bit, one outer
// group that closes at the very end, braces balanced, and read back by both
// of our readers to the same characters. Shared by the tests and the
// renderer's fuzz target.
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"

#include <string>
#include <string_view>

namespace rtfcheck {

// The characters of a text without whitespace and control characters, so
// that the two readers' ways of writing breaks do not count.
inline std::string Visible(std::string_view text) {
    std::string visible;
    for (char c : text)
        if (static_cast<unsigned char>(c) > 0x20 && c != 0x7F) visible += c;
    return visible;
}

// Empty when `rtf` is well formed, else what is wrong with it.
inline std::string Problem(std::string_view rtf) {
    if (rtf.substr(0, 6) != "{\\rtf1") return "does not start with {\\rtf1";
    long depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(rtf[i]);
        if (c >= 0x80) return "byte " + std::to_string(c) + " beyond 7 bits at " + std::to_string(i);
        if (c == '\\') {
            ++i;  // the escaped character or the first letter of a word
            if (i < rtf.size() && static_cast<unsigned char>(rtf[i]) >= 0x80) return "byte beyond 7 bits";
            continue;
        }
        if (c == '{') ++depth;
        if (c == '}' && --depth == 0 && i + 1 != rtf.size())
            return "the document closes early, at " + std::to_string(i);
        if (depth < 0) return "more '}' than '{'";
    }
    if (depth != 0) return "groups left open";
    std::string text;
    if (RtfError e = RtfTextExtractor().Convert(rtf, text); e != RtfError::kOk)
        return std::string("the extractor fails: ") + RtfErrorMessage(e);
    const std::string read = RichDocument::FromRtf(rtf).Text();
    if (Visible(read) != Visible(text)) return "the reader and the extractor see different text";
    return {};
}

}  // namespace rtfcheck
