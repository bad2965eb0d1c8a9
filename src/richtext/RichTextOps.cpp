// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RichTextOps.h"

#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RtfTextExtractor.h"

void LoadMarkup(RichEditControl& control, std::string_view markup) {
    // A markup that does not render loads as an empty text.
    control.StreamRtfIn(RenderToRtf(markup).value_or(std::string()));
    control.ScrollToFirstLine();
}

void LoadPlainText(RichEditControl& control, std::string_view text) {
    control.StreamRtfIn(RenderLiteralToRtf(text));
    control.ScrollToFirstLine();
}

std::string PlainTextOf(const RichEditControl& control) {
    std::string text;
    ExtractPlainText(control.StreamRtfOut(), text);
    return text;
}
