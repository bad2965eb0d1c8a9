// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RichEditControl.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The content of a rich text area: paragraphs of formatted runs plus a
// selection. Text is UTF-8; inside a run '\t' is a tab and '\v' a line break
// within the paragraph. Positions count characters (code points), each
// paragraph break counting one, as a rich edit counts them.

struct RunFormat {
    std::string face = "MS Shell Dlg";
    int heightTwips = 240;         // points x 20
    std::uint32_t textColour = 0;  // 0x00BBGGRR
    bool hasHighlight = false;
    std::uint32_t highlightColour = 0;  // 0x00BBGGRR, with hasHighlight
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const RunFormat&) const = default;
};

enum class ParagraphAlignment { kLeft, kCentre, kRight, kJustify };

struct TextRun {
    std::string text;
    RunFormat format;
};

struct Paragraph {
    std::vector<TextRun> runs;
    RunFormat markFormat;  // format of the paragraph mark (the insertion format of an empty paragraph)
    ParagraphAlignment alignment = ParagraphAlignment::kLeft;
};

class RichDocument {
public:
    RichDocument();

    // Reads RTF (ours, the renderer's, or a word processor's) into a new
    // document. Text that does not start with "{\rtf" is taken as plain
    // text. Never fails on malformed input: it reads what it can.
    static RichDocument FromRtf(std::string_view rtf);
    // Writes RTF that FromRtf and ExtractPlainText read back to the same
    // text (and, for FromRtf, the same formats).
    std::string ToRtf() const;

    // At least one paragraph, always.
    const std::vector<Paragraph>& Paragraphs() const { return m_paragraphs; }
    std::vector<Paragraph>& MutableParagraphs() { return m_paragraphs; }
    // Replaces everything by one empty paragraph in `format`.
    void Clear(const RunFormat& format = RunFormat{});
    // Replaces the paragraphs (an empty list becomes one empty paragraph).
    void SetParagraphs(std::vector<Paragraph> paragraphs);

    // Paragraphs joined by '\n' (line breaks kept as '\v').
    std::string Text() const;
    int Length() const;

    // Selection [start, end), clamped and ordered.
    void SetSelection(int start, int end);
    int SelectionStart() const { return m_selStart; }
    int SelectionEnd() const { return m_selEnd; }

    // Attributes uniform over [start, end); the insertion format at `start`
    // when the range holds no character.
    CharFormat UniformFormat(int start, int end) const;
    // Applies the attributes named in format.mask to [start, end); an empty
    // range sets the paragraph mark format there (the insertion format).
    void ApplyFormat(int start, int end, const CharFormat& format);
    void ApplyFormatToAll(const CharFormat& format);

    std::uint32_t BackgroundColour() const { return m_background; }
    void SetBackgroundColour(std::uint32_t colour) { m_background = colour; }

private:
    std::vector<Paragraph> m_paragraphs;
    int m_selStart = 0;
    int m_selEnd = 0;
    std::uint32_t m_background = 0xFFFFFF;
};

// Sets the attributes of `format.mask` on `run`.
void ApplyCharFormat(RunFormat& run, const CharFormat& format);
// The full CharFormat (mask kAll, or without kHighlight when none) of a run.
CharFormat ToCharFormat(const RunFormat& run);
