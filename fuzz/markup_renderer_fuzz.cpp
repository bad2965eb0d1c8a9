// SPDX-License-Identifier: GPL-3.0-or-later
// Any markup renders without crashing, and every document it renders is
// well formed: 7-bit, braces balanced with one outer group, read by the
// extractor and the document reader to the same characters; what the
// document model writes of it converts too. Any text rendered as plain text
// reads back as that very text.
#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"
#include "RtfChecks.h"
#include "richtext/Utf8Text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Valid UTF-8 with no control character but tab and line feed: the text a
// plain-text rendering must give back unchanged.
bool IsPlainText(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const long cp = utf8text::Decode(text, pos);
        if (cp < 0 || (cp < 0x20 && cp != '\t' && cp != '\n') || cp == 0x7F) return false;
    }
    return true;
}

void CheckLiteral(std::string_view text) {
    const std::string rtf = RenderLiteralToRtf(text);
    if (std::string problem = rtfcheck::Problem(rtf); !problem.empty()) {
        std::fprintf(stderr, "plain-text RTF is not well formed: %s\n", problem.c_str());
        std::abort();
    }
    std::string back;
    if (!ExtractPlainText(rtf, back)) std::abort();
    if (IsPlainText(text) && back != text) {
        std::fprintf(stderr, "plain text changed\n");
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view markup(reinterpret_cast<const char*>(data), size);
    CheckLiteral(markup);
    RenderOptions options;
    options.twipsPerPixel = size > 0 ? 1 + data[0] % 30 : 15;
    // The base face as --face gives it: any bytes, here the markup's first line.
    options.baseFont.face = std::string(markup.substr(0, markup.find('\n')).substr(0, 40));
    std::uint32_t background = 0;
    auto rtf = RenderToRtf(markup, options, &background);
    if (!rtf) return 0;
    if (std::string problem = rtfcheck::Problem(*rtf); !problem.empty()) {
        std::fprintf(stderr, "rendered RTF is not well formed: %s\n", problem.c_str());
        std::abort();
    }
    std::string written = RichDocument::FromRtf(*rtf).ToRtf();
    std::string text;
    if (!ExtractPlainText(written, text)) std::abort();
    return 0;
}
