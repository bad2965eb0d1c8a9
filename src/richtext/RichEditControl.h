// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The operations the program performs on a rich text area, as a port: the
// core implements it over RichDocument, the window over a QTextEdit.

// Character format of a range. Reading: `mask` tells which attributes are
// uniform over the range (as a rich edit reports them). Writing: only the
// attributes named in `mask` are applied.
struct CharFormat {
    enum Mask : unsigned {
        kFace = 1u << 0,
        kSize = 1u << 1,
        kColour = 1u << 2,
        kBold = 1u << 3,
        kItalic = 1u << 4,
        kUnderline = 1u << 5,
        kHighlight = 1u << 6,
        kAll = (1u << 7) - 1,
    };
    unsigned mask = 0;
    std::string face;                   // font family name, e.g. "Courier"
    int heightTwips = 0;                // points x 20
    std::uint32_t textColour = 0;       // 0x00BBGGRR
    std::uint32_t highlightColour = 0;  // 0x00BBGGRR, meaningful with kHighlight
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool Has(Mask m) const { return (mask & m) != 0; }
};

class RichEditControl {
public:
    virtual ~RichEditControl() = default;

    // Replaces the whole content with the RTF text. Returns false when the
    // text is not RTF the reader accepts (the content is then unchanged).
    virtual bool StreamRtfIn(std::string_view rtf) = 0;
    virtual std::string StreamRtfOut() const = 0;

    // Length in characters (a paragraph break counts as one).
    virtual int TextLength() const = 0;
    // Selection in characters; end -1 means the end of the text.
    virtual void SetSelection(int start, int end) = 0;
    virtual void SelectAll() = 0;
    virtual void CollapseToStart() = 0;

    // Attributes uniform over the selection (the insertion format when empty).
    virtual CharFormat SelectionCharFormat() const = 0;
    virtual void SetSelectionCharFormat(const CharFormat& format) = 0;
    // Applies to the whole text and to text typed afterwards.
    virtual void SetDefaultCharFormat(const CharFormat& format) = 0;

    virtual void SetBackgroundColour(std::uint32_t colour) = 0;
    virtual std::uint32_t BackgroundColour() const = 0;

    virtual void ScrollToFirstLine() = 0;
};
