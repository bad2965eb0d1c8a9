// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/DocumentRichEdit.h"
#include "richtext/RichEditControl.h"

#include <QKeySequence>
#include <QList>
#include <QTextEdit>

#include <vector>

// The main text area of the window: a QTextEdit that the program drives
// through the RichEditControl port. A RichDocument is kept equal to what the
// widget shows: the user's edits are read back into it before any operation,
// and every change made through the port is shown from it.
class QtRichEdit : public QTextEdit, public RichEditControl {
    Q_OBJECT
public:
    explicit QtRichEdit(QWidget* parent = nullptr);

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
    void ReadBackIfEdited() const;
    void ShowDocument();
    int QtPosition(int characterIndex) const;
    int CharacterIndex(int qtPosition) const;

    mutable DocumentRichEdit m_core;
    mutable bool m_edited = false;
    bool m_showing = false;
    bool m_focusFromRightClick = false;
    bool m_typingUndo = false;
    std::vector<int> m_tabStopsTwips;
    QList<QKeySequence> m_reservedKeys;
};
