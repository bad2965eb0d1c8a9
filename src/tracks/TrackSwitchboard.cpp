// SPDX-License-Identifier: GPL-3.0-or-later
#include "tracks/TrackSwitchboard.h"

#include "form/MainFormState.h"

namespace {
bool IsTrackNumber(int n) { return n >= 1 && n <= 4; }
}  // namespace

std::string TrackWindowTitle(int n) { return "VANTELO TEXT INPUT TRACK " + std::to_string(n); }

void ShowTrack(MainFormState& form, TrackWindowPort& windows, int n) {
    if (!IsTrackNumber(n)) return;
    windows.SetOnOffPushed(n, true);
    form.m_trackWindowOpen[n - 1] = true;
    if (!windows.Exists(n)) {
        const std::string databasePath = form.DatabasePath();
        form.m_tracks[n - 1].SetDatabasePath(databasePath);
        windows.Create(n, TrackWindowTitle(n), databasePath);
    }
    windows.ShowNormalOrRestore(n);
}

void TrackOnOff(MainFormState& form, TrackWindowPort& windows, int n) {
    // Track 1 stays on: the button is given back its "on" look so that it
    // keeps telling the truth after the click released it.
    if (n == 1) {
        windows.SetOnOffPushed(1, form.m_trackWindowOpen[0]);
        return;
    }
    if (!IsTrackNumber(n)) return;
    if (windows.Exists(n)) windows.Hide(n);
    form.m_trackWindowOpen[n - 1] = false;
    windows.SetOnOffPushed(n, false);
}
