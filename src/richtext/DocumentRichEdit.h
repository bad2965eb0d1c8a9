// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RichDocument.h"
#include "richtext/RichEditControl.h"

// What shows a DocumentRichEdit to the user (a window's text widget). The
// document stays the one text: before the port reads or changes it, the view
// puts in what the user typed and chose; after a change, the view shows it.
class RichEditView {
public:
    enum class Change { kText, kSelection, kScroll };
    virtual void TakeUserEdits() const = 0;
    virtual void ShowChange(Change change) = 0;
    // The document is going away; the view stops showing it.
    virtual void TextGone() = 0;

protected:
    ~RichEditView() = default;
};

// The rich edit control of the core (command line, tests, and the text a
// window shows): the port over a RichDocument.
class DocumentRichEdit : public RichEditControl {
public:
    DocumentRichEdit() = default;
    ~DocumentRichEdit() override;
    // A view shows one document; a copy is not shown anywhere.
    DocumentRichEdit(const DocumentRichEdit&) = delete;
    DocumentRichEdit& operator=(const DocumentRichEdit&) = delete;

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

    // The document as it is, without asking the view (the view's own access).
    RichDocument& Document() { return m_document; }
    const RichDocument& Document() const { return m_document; }

    // The one view showing this text, or none.
    void SetView(RichEditView* view) { m_view = view; }
    RichEditView* View() const { return m_view; }

private:
    void TakeUserEdits() const {
        if (m_view) m_view->TakeUserEdits();
    }
    void Show(RichEditView::Change change) {
        if (m_view) m_view->ShowChange(change);
    }

    RichDocument m_document;
    int m_firstVisibleLine = 0;
    RichEditView* m_view = nullptr;
};
