// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RichDocument.h"

#include "richtext/Utf8Text.h"

#include <algorithm>

namespace {

int CodePoints(const std::string& text) { return static_cast<int>(utf8text::CountCodePoints(text)); }

int ParagraphLength(const Paragraph& paragraph) {
    int n = 0;
    for (const TextRun& run : paragraph.runs) n += CodePoints(run.text);
    return n;
}

// Narrows `mask` to the attributes on which `a` and `b` agree.
unsigned AgreeingMask(const CharFormat& a, const CharFormat& b, unsigned mask) {
    if (a.face != b.face) mask &= ~CharFormat::kFace;
    if (a.heightTwips != b.heightTwips) mask &= ~CharFormat::kSize;
    if (a.textColour != b.textColour) mask &= ~CharFormat::kColour;
    if (a.bold != b.bold) mask &= ~CharFormat::kBold;
    if (a.italic != b.italic) mask &= ~CharFormat::kItalic;
    if (a.underline != b.underline) mask &= ~CharFormat::kUnderline;
    if (!b.Has(CharFormat::kHighlight) || a.highlightColour != b.highlightColour) mask &= ~CharFormat::kHighlight;
    return mask;
}

// Splits the runs of `paragraph` so that [from, to) (paragraph positions)
// is covered by whole runs, and applies `format` to those.
void ApplyToParagraph(Paragraph& paragraph, int from, int to, const CharFormat& format) {
    std::vector<TextRun> result;
    int position = 0;
    for (TextRun& run : paragraph.runs) {
        const int length = CodePoints(run.text);
        const int a = std::clamp(from - position, 0, length);
        const int b = std::clamp(to - position, 0, length);
        position += length;
        if (a >= b) {
            result.push_back(std::move(run));
            continue;
        }
        const std::size_t byteA = utf8text::OffsetOfCodePoint(run.text, a);
        const std::size_t byteB = utf8text::OffsetOfCodePoint(run.text, b);
        if (byteA > 0) result.push_back({run.text.substr(0, byteA), run.format});
        TextRun middle{run.text.substr(byteA, byteB - byteA), run.format};
        ApplyCharFormat(middle.format, format);
        result.push_back(std::move(middle));
        if (byteB < run.text.size()) result.push_back({run.text.substr(byteB), run.format});
    }
    // Neighbours that now look alike become one run.
    std::vector<TextRun> merged;
    for (TextRun& run : result) {
        if (run.text.empty()) continue;
        if (!merged.empty() && merged.back().format == run.format)
            merged.back().text += run.text;
        else
            merged.push_back(std::move(run));
    }
    paragraph.runs = std::move(merged);
}

}  // namespace

void ApplyCharFormat(RunFormat& run, const CharFormat& format) {
    if (format.Has(CharFormat::kFace)) run.face = format.face;
    if (format.Has(CharFormat::kSize)) run.heightTwips = format.heightTwips;
    if (format.Has(CharFormat::kColour)) run.textColour = format.textColour;
    if (format.Has(CharFormat::kBold)) run.bold = format.bold;
    if (format.Has(CharFormat::kItalic)) run.italic = format.italic;
    if (format.Has(CharFormat::kUnderline)) run.underline = format.underline;
    if (format.Has(CharFormat::kHighlight)) {
        run.hasHighlight = true;
        run.highlightColour = format.highlightColour;
    }
}

CharFormat ToCharFormat(const RunFormat& run) {
    CharFormat format;
    format.mask = CharFormat::kAll;
    if (!run.hasHighlight) format.mask &= ~CharFormat::kHighlight;
    format.face = run.face;
    format.heightTwips = run.heightTwips;
    format.textColour = run.textColour;
    format.highlightColour = run.hasHighlight ? run.highlightColour : 0;
    format.bold = run.bold;
    format.italic = run.italic;
    format.underline = run.underline;
    return format;
}

RichDocument::RichDocument() { m_paragraphs.emplace_back(); }

void RichDocument::Clear(const RunFormat& format) {
    m_paragraphs.assign(1, Paragraph{});
    m_paragraphs[0].markFormat = format;
    m_selStart = m_selEnd = 0;
}

void RichDocument::SetParagraphs(std::vector<Paragraph> paragraphs) {
    m_paragraphs = std::move(paragraphs);
    if (m_paragraphs.empty()) m_paragraphs.emplace_back();
    SetSelection(m_selStart, m_selEnd);
}

std::string RichDocument::Text() const {
    std::string text;
    for (std::size_t i = 0; i < m_paragraphs.size(); ++i) {
        if (i > 0) text += '\n';
        for (const TextRun& run : m_paragraphs[i].runs) text += run.text;
    }
    return text;
}

int RichDocument::Length() const {
    int n = static_cast<int>(m_paragraphs.size()) - 1;
    for (const Paragraph& paragraph : m_paragraphs) n += ParagraphLength(paragraph);
    return n;
}

void RichDocument::SetSelection(int start, int end) {
    const int length = Length();
    if (end < 0 || end > length) end = length;
    start = std::clamp(start, 0, length);
    if (start > end) std::swap(start, end);
    m_selStart = start;
    m_selEnd = end;
}

CharFormat RichDocument::UniformFormat(int start, int end) const {
    CharFormat result;
    bool any = false;
    int position = 0;
    for (const Paragraph& paragraph : m_paragraphs) {
        for (const TextRun& run : paragraph.runs) {
            const int length = CodePoints(run.text);
            if (length > 0 && position < end && position + length > start) {
                CharFormat format = ToCharFormat(run.format);
                if (!any) {
                    result = format;
                    any = true;
                } else {
                    result.mask = AgreeingMask(result, format, result.mask);
                }
            }
            position += length;
        }
        ++position;  // the paragraph mark
        if (position > end) break;
    }
    if (any) return result;

    // No character in range: the format text typed at `start` would get.
    position = 0;
    for (const Paragraph& paragraph : m_paragraphs) {
        const int length = ParagraphLength(paragraph);
        if (start <= position + length) {
            const TextRun* chosen = nullptr;
            int runStart = position;
            for (const TextRun& run : paragraph.runs) {
                const int runLength = CodePoints(run.text);
                if (runLength == 0) continue;
                if (chosen == nullptr || runStart < start) chosen = &run;
                runStart += runLength;
                if (runStart >= start) break;
            }
            return ToCharFormat(chosen ? chosen->format : paragraph.markFormat);
        }
        position += length + 1;
    }
    return ToCharFormat(m_paragraphs.back().markFormat);
}

void RichDocument::ApplyFormat(int start, int end, const CharFormat& format) {
    int position = 0;
    for (Paragraph& paragraph : m_paragraphs) {
        const int length = ParagraphLength(paragraph);
        const bool last = &paragraph == &m_paragraphs.back();
        const bool touches = start == end ? (start >= position && start <= position + length)
                                          : (start <= position + length && end > position);
        if (touches) {
            if (start < end) ApplyToParagraph(paragraph, start - position, end - position, format);
            // The mark takes the format when it is selected (the last one
            // when the range reaches the end), or when the paragraph is
            // empty (its insertion format).
            if (end > position + length || length == 0 || (last && start < end && end >= position + length))
                ApplyCharFormat(paragraph.markFormat, format);
        }
        position += length + 1;
        if (position > end) break;
    }
}

void RichDocument::ApplyFormatToAll(const CharFormat& format) {
    for (Paragraph& paragraph : m_paragraphs) {
        for (TextRun& run : paragraph.runs) ApplyCharFormat(run.format, format);
        ApplyCharFormat(paragraph.markFormat, format);
        // Runs may now share one format.
        std::vector<TextRun> merged;
        for (TextRun& run : paragraph.runs) {
            if (!merged.empty() && merged.back().format == run.format)
                merged.back().text += run.text;
            else
                merged.push_back(std::move(run));
        }
        paragraph.runs = std::move(merged);
    }
}
