// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/HtmlText.h"

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string EscapeFileNameForSrc(std::string_view name) {
    std::string encoded;
    for (char c : name) {
        switch (c) {
            case '%': encoded += "%25"; break;
            case '#': encoded += "%23"; break;
            case '?': encoded += "%3F"; break;
            default: encoded += c;
        }
    }
    return EscapeHtml(encoded);
}
