// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RichDocument.h"
#include "richtext/RichEditControl.h"

// The rich edit control of the core (command line, tests): the port over a
// RichDocument.
class DocumentRichEdit : public RichEditControl {
public:
    DocumentRichEdit() = default;

    bool StreamRtfIn(std::string_view rtf) override;
    std::string StreamRtfOut() const override;

    int TextLength() const override;
    void SetSelection(int start, int end) override;
    void SelectAll() override;
    void CollapseToStart() override;

    CharFormat SelectionCharFormat() const override;
    void SetSelectionCharFormat(const CharFormat& format) override;
    void SetDefaultCharFormat(const CharFormat& format) override;

    void SetBackgroundColour(std::uint32_t colour) override;
    std::uint32_t BackgroundColour() const override;

    void ScrollToFirstLine() override;
    // First line shown; 0 after ScrollToFirstLine (a fresh control shows line 0).
    int FirstVisibleLine() const { return m_firstVisibleLine; }
    void SetFirstVisibleLine(int line) { m_firstVisibleLine = line; }

    RichDocument& Document() { return m_document; }
    const RichDocument& Document() const { return m_document; }

private:
    RichDocument m_document;
    int m_firstVisibleLine = 0;
};
