// Any markup renders without crashing; what renders loads into a document
// whose RTF the extractor always accepts.
#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view markup(reinterpret_cast<const char*>(data), size);
    RenderOptions options;
    options.twipsPerPixel = size > 0 ? 1 + data[0] % 30 : 15;
    std::uint32_t background = 0;
    auto rtf = RenderToRtf(markup, options, &background);
    if (!rtf) return 0;
    std::string written = RichDocument::FromRtf(*rtf).ToRtf();
    std::string text;
    if (!ExtractPlainText(written, text)) std::abort();
    return 0;
}
