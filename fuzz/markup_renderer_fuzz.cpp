// Any markup renders without crashing, and every document it renders is
// well formed: 7-bit, braces balanced with one outer group, read by the
// extractor and the document reader to the same characters; what the
// document model writes of it converts too.
#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"
#include "RtfChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view markup(reinterpret_cast<const char*>(data), size);
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
