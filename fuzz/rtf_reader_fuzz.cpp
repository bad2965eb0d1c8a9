// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read into a document; what the writer makes of it reads back to
// the same RTF, and the extractor accepts it.
#include "richtext/DocumentRichEdit.h"
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rtf(reinterpret_cast<const char*>(data), size);
    DocumentRichEdit edit;
    edit.StreamRtfIn(rtf);
    const std::string written = edit.StreamRtfOut();
    if (RichDocument::FromRtf(written).ToRtf() != written) std::abort();
    std::string text;
    if (!ExtractPlainText(written, text)) std::abort();

    // Formats over a slice chosen by the input.
    const int length = edit.TextLength();
    if (length > 0 && size >= 2) {
        edit.SetSelection(data[0] % (length + 1), data[1] % (length + 1));
        CharFormat format = edit.SelectionCharFormat();
        format.mask = CharFormat::kBold | CharFormat::kColour;
        format.bold = !format.bold;
        format.textColour = 0x123456;
        edit.SetSelectionCharFormat(format);
        if (edit.TextLength() != length) std::abort();
    }
    return 0;
}
