// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

struct MainFormState;

// The four track windows as the main form sees them. Tracks are numbered
// 1..4 here, as on the form's buttons. The window implements this over Qt;
// tests record the calls.
class TrackWindowPort {
public:
    virtual ~TrackWindowPort() = default;

    virtual bool Exists(int n) const = 0;
    // Creates the (hidden) window of track n over the form's track state.
    virtual void Create(int n, const std::string& title, const std::string& databasePath) = 0;
    // Shows the window normally when hidden, restores it when minimised.
    virtual void ShowNormalOrRestore(int n) = 0;
    virtual void Hide(int n) = 0;
    // The green "on" look of the track's on/off button on the main form.
    virtual void SetOnOffPushed(int n, bool pushed) = 0;
};

// Window title of track n, "VANTELO TEXT INPUT TRACK n".
std::string TrackWindowTitle(int n);

// Show-track button of track n (1..4): turns the track on and shows its
// window, creating it on first use. Other numbers are ignored.
void ShowTrack(MainFormState& form, TrackWindowPort& windows, int n);

// On/off button of track n: tracks 2..4 hide their window (if any) and stop
// being mixed. Track 1 has no off switch; its button keeps the "on" look.
void TrackOnOff(MainFormState& form, TrackWindowPort& windows, int n);
