// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes convert or fail cleanly; a failure leaves the output alone, and
// what a conversion gives is valid UTF-8 whatever bytes the RTF held.
#include "richtext/RtfTextExtractor.h"
#include "richtext/Utf8Text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rtf(reinterpret_cast<const char*>(data), size);
    std::string text = "sentinel";
    if (!ExtractPlainText(rtf, text)) {
        if (text != "sentinel") std::abort();
        return 0;
    }
    for (std::size_t pos = 0; pos < text.size();)
        if (utf8text::Decode(text, pos) < 0) std::abort();
    return 0;
}
