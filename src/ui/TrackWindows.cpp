#include "ui/TrackWindows.h"

#include "form/MainFormState.h"
#include "ui/trackview.h"

TrackWindows::TrackWindows(MainFormState& form, UserInterface& ui) : m_form(form), m_ui(ui) {}

TrackWindows::~TrackWindows() = default;

bool TrackWindows::Exists(int n) const { return Window(n) != nullptr; }

void TrackWindows::Create(int n, const std::string& title, const std::string& databasePath) {
    if (!Valid(n) || Exists(n)) return;
    TrackState& track = m_form.m_tracks[static_cast<std::size_t>(n - 1)];
    m_windows[static_cast<std::size_t>(n - 1)] =
        std::make_unique<trackview>(track, m_ui, QString::fromStdString(title));
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
