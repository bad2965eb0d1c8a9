// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Ctarvex4Doc.h"
#include "form/MainFormState.h"
#include "ui/QtUserInterface.h"

#include <QStringList>

#include <memory>

class CMainFrame;
class Ctarvex4View;

// Starts the program: data folder, document, frame and form, in that order.
class Ctarvex4App {
public:
    Ctarvex4App();
    ~Ctarvex4App();

    // `arguments` without the program name. False when start-up fails (a
    // document argument that cannot be read); the message is shown already.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* Frame() const { return m_frame.get(); }
    Ctarvex4View* View() const;
    MainFormState& State() { return *m_state; }

private:
    std::unique_ptr<MainFormState> m_state;
    QtUserInterface m_ui;
    Ctarvex4Doc m_document;
    std::unique_ptr<CMainFrame> m_frame;
};
