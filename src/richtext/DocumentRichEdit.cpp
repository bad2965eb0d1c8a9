// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/DocumentRichEdit.h"

using Change = RichEditView::Change;

DocumentRichEdit::~DocumentRichEdit() {
    if (m_view) m_view->TextGone();
}

bool DocumentRichEdit::StreamRtfIn(std::string_view rtf) {
    TakeUserEdits();
    const std::uint32_t background = m_document.BackgroundColour();
    m_document = RichDocument::FromRtf(rtf);
    m_document.SetBackgroundColour(background);
    Show(Change::kText);
    return true;
}

std::string DocumentRichEdit::StreamRtfOut() const {
    TakeUserEdits();
    return m_document.ToRtf();
}

int DocumentRichEdit::TextLength() const {
    TakeUserEdits();
    return m_document.Length();
}

void DocumentRichEdit::SetSelection(int start, int end) {
    TakeUserEdits();
    m_document.SetSelection(start, end);
    Show(Change::kSelection);
}

void DocumentRichEdit::SelectAll() { SetSelection(0, -1); }

void DocumentRichEdit::CollapseToStart() {
    TakeUserEdits();
    m_document.SetSelection(m_document.SelectionStart(), m_document.SelectionStart());
    Show(Change::kSelection);
}

CharFormat DocumentRichEdit::SelectionCharFormat() const {
    TakeUserEdits();
    return m_document.UniformFormat(m_document.SelectionStart(), m_document.SelectionEnd());
}

void DocumentRichEdit::SetSelectionCharFormat(const CharFormat& format) {
    TakeUserEdits();
    m_document.ApplyFormat(m_document.SelectionStart(), m_document.SelectionEnd(), format);
    Show(Change::kText);
}

void DocumentRichEdit::SetDefaultCharFormat(const CharFormat& format) {
    TakeUserEdits();
    m_document.ApplyFormatToAll(format);
    Show(Change::kText);
}

void DocumentRichEdit::SetBackgroundColour(std::uint32_t colour) {
    TakeUserEdits();
    m_document.SetBackgroundColour(colour);
    Show(Change::kText);
}

std::uint32_t DocumentRichEdit::BackgroundColour() const { return m_document.BackgroundColour(); }

void DocumentRichEdit::ScrollToFirstLine() {
    m_firstVisibleLine = 0;
    Show(Change::kScroll);
}
