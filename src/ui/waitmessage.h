// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

// The modeless "please wait" box shown while a collage or a fill is built.
class waitmessage : public QDialog {
    Q_OBJECT
public:
    explicit waitmessage(QWidget* parent = nullptr);
    static QString Text() { return QStringLiteral("Processing edit request..."); }
    // Shows the box over the middle of `owner` (placed on first use) and draws
    // it before the work it announces starts.
    void ShowOver(QWidget* owner, bool place);
};

// The wait box a window shows over itself: made on first use and placed over
// the window's middle then; later it comes back where it was.
class WindowWaitBox {
public:
    explicit WindowWaitBox(QWidget* owner) : m_owner(owner) {}

    void Show();
    // False when there was no box to hide.
    bool Hide();
    waitmessage* Box() const { return m_box; }
    bool Made() const { return m_box != nullptr; }

private:
    QWidget* m_owner;
    waitmessage* m_box = nullptr;  // a child of the window
};
