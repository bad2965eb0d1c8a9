// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/DocumentRichEdit.h"
#include "richtext/RichEditControl.h"

#include <QKeySequence>
#include <QList>
#include <QTextEdit>

#include <vector>

// A text area of the windows: a QTextEdit that shows a DocumentRichEdit, its
// own or one that outlives it (the form's text). The document is the text:
// the user's edits are read back into it before the program reads or changes
// it, and every change made through the document's port is shown from it.
// The widget is also the port, over the document it shows.
class QtRichEdit : public QTextEdit, public RichEditControl, private RichEditView {
    Q_OBJECT
public:
    explicit QtRichEdit(QWidget* parent = nullptr);
    ~QtRichEdit() override;

    // Shows `text` from now on; what the widget showed before stays in the
    // document it came from. The widget lets go of `text` when either goes.
    void ShowText(DocumentRichEdit& text);
    DocumentRichEdit& Text() const { return *m_core; }

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

    // Tab stops in twips, for the text typed or loaded from now on.
    void SetTabStopsTwips(const std::vector<int>& twips);
    // The document the widget shows, read back from the widget now.
    const RichDocument& Document() const;

    // Keys the window's commands own: the widget lets them through to the
    // window's shortcuts instead of acting on them itself.
    void SetReservedKeys(const QList<QKeySequence>& keys) { m_reservedKeys = keys; }

    // The widget's own undo and redo of typing (Ctrl+Z, Ctrl+Y); off by
    // default. Text put in by the program starts a new history.
    void SetTypingUndo(bool on);

    // True once after the widget got the focus from a right-button press.
    bool TakeFocusFromRightClick();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void TakeUserEdits() const override;
    void ShowChange(Change change) override;
    void TextGone() override;
    void ShowDocument();
    void ShowSelection();
    int QtPosition(int characterIndex) const;
    int CharacterIndex(int qtPosition) const;

    DocumentRichEdit m_ownCore;
    DocumentRichEdit* m_core = &m_ownCore;
    mutable bool m_edited = false;
    bool m_showing = false;
    bool m_focusFromRightClick = false;
    bool m_typingUndo = false;
    std::vector<int> m_tabStopsTwips;
    QList<QKeySequence> m_reservedKeys;
};
