// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/DocumentRichEdit.h"

bool DocumentRichEdit::StreamRtfIn(std::string_view rtf) {
    const std::uint32_t background = m_document.BackgroundColour();
    m_document = RichDocument::FromRtf(rtf);
    m_document.SetBackgroundColour(background);
    return true;
}

std::string DocumentRichEdit::StreamRtfOut() const { return m_document.ToRtf(); }

int DocumentRichEdit::TextLength() const { return m_document.Length(); }

void DocumentRichEdit::SetSelection(int start, int end) { m_document.SetSelection(start, end); }

void DocumentRichEdit::SelectAll() { m_document.SetSelection(0, -1); }

void DocumentRichEdit::CollapseToStart() {
    m_document.SetSelection(m_document.SelectionStart(), m_document.SelectionStart());
}

CharFormat DocumentRichEdit::SelectionCharFormat() const {
    return m_document.UniformFormat(m_document.SelectionStart(), m_document.SelectionEnd());
}

void DocumentRichEdit::SetSelectionCharFormat(const CharFormat& format) {
    m_document.ApplyFormat(m_document.SelectionStart(), m_document.SelectionEnd(), format);
}

void DocumentRichEdit::SetDefaultCharFormat(const CharFormat& format) { m_document.ApplyFormatToAll(format); }

void DocumentRichEdit::SetBackgroundColour(std::uint32_t colour) { m_document.SetBackgroundColour(colour); }

std::uint32_t DocumentRichEdit::BackgroundColour() const { return m_document.BackgroundColour(); }

void DocumentRichEdit::ScrollToFirstLine() { m_firstVisibleLine = 0; }
