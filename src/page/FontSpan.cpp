// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/FontSpan.h"
#include "support/HexColour.h"

#include "page/HtmlText.h"

std::string FontSpanOf(RichEditControl& text) {
    text.SelectAll();
    CharFormat format = text.SelectionCharFormat();
    text.CollapseToStart();
    return "<font face='" + EscapeHtml(format.face) + "' color='" + HexColour(format.textColour) +
           "'><span style='font-size:" + std::to_string(format.heightTwips / 20) + "pt;" + "'>";
}
