#include "richtext/RichTextOps.h"

#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RtfTextExtractor.h"

void LoadMarkup(RichEditControl& control, std::string_view markup) {
    // A markup that does not render loads as an empty text.
    control.StreamRtfIn(RenderToRtf(markup).value_or(std::string()));
    control.ScrollToFirstLine();
}

namespace {

// A byte that does not occur in `text` and that the renderer copies as it
// is: it stands for '<' while rendering, so no tag is ever seen.
std::optional<char> UnusedControlByte(std::string_view text) {
    for (char c = 1; c < 9; ++c) {
        if (text.find(c) == std::string_view::npos) return c;
    }
    return std::nullopt;
}

std::string LiteralRtf(std::string_view text) {
    // The markup is a C string; what follows a NUL is never shown.
    text = text.substr(0, text.find('\0'));
    std::string source(text);
    const std::optional<char> stand = UnusedControlByte(text);
    for (char& c : source) {
        if (c == '<') c = stand.value_or(' ');
    }
    std::string rtf = RenderToRtf(source).value_or(std::string());
    if (stand) {
        for (char& c : rtf) {
            if (c == *stand) c = '<';
        }
    }
    return rtf;
}

}  // namespace

std::optional<std::string> LoadMarkupOrLiteral(RichEditControl& control, std::string_view text) {
    std::string failure;
    std::optional<std::string> rtf = RenderToRtf(text, RenderOptions{}, nullptr, &failure);
    if (rtf) {
        control.StreamRtfIn(*rtf);
        control.ScrollToFirstLine();
        return std::nullopt;
    }
    control.StreamRtfIn(LiteralRtf(text));
    control.ScrollToFirstLine();
    return failure;
}

std::string PlainTextOf(const RichEditControl& control) {
    std::string text;
    ExtractPlainText(control.StreamRtfOut(), text);
    return text;
}
