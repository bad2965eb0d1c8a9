// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TrackWindows.h"

#include "form/MainFormState.h"
#include "ui/QtUserInterface.h"
#include "ui/trackview.h"

TrackWindows::TrackWindows(MainFormState& form, UserInterface& ui) : m_form(form), m_ui(ui) {}

TrackWindows::~TrackWindows() = default;

bool TrackWindows::Exists(int n) const { return Window(n) != nullptr; }

void TrackWindows::Create(int n, const std::string& title, const std::string& databasePath) {
    if (!Valid(n) || Exists(n)) return;
    const auto i = static_cast<std::size_t>(n - 1);
    TrackState& track = m_form.m_tracks[i];
    // The window's dialogs and message boxes are its own, not the main form's:
    // closing them returns to the track window.
    QtUserInterface* own = nullptr;
    if (auto* qt = dynamic_cast<QtUserInterface*>(&m_ui)) {
        auto ui = qt->ForWindow(nullptr);
        own = ui.get();
        m_windowUis[i] = std::move(ui);
    }
    UserInterface& ui = own ? *own : m_ui;
    m_windows[i] = std::make_unique<trackview>(track, ui, QString::fromStdString(title));
    if (own) own->SetOwner(m_windows[i].get());
    track.SetDatabasePath(databasePath);
}

void TrackWindows::ShowNormalOrRestore(int n) {
    if (trackview* window = Window(n)) window->ShowNormalOrRestore();
}

void TrackWindows::Hide(int n) {
    if (trackview* window = Window(n)) window->hide();
}

void TrackWindows::SetOnOffPushed(int n, bool pushed) {
    if (!Valid(n)) return;
    m_pushed[static_cast<std::size_t>(n - 1)] = pushed;
    if (m_onOffHandler) m_onOffHandler(n, pushed);
}

trackview* TrackWindows::Window(int n) const {
    return Valid(n) ? m_windows[static_cast<std::size_t>(n - 1)].get() : nullptr;
}

bool TrackWindows::IsOnOffPushed(int n) const { return Valid(n) && m_pushed[static_cast<std::size_t>(n - 1)]; }
