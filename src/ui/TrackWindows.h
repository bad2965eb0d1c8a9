// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "tracks/TrackSwitchboard.h"

#include <array>
#include <functional>
#include <memory>

class trackview;
class UserInterface;

// The four track windows of the main form, made on first show over the
// form's track states and kept (hidden) until the form goes.
class TrackWindows : public TrackWindowPort {
public:
    TrackWindows(MainFormState& form, UserInterface& ui);
    ~TrackWindows() override;

    // The main form's on/off buttons show the pushed look through this.
    void SetOnOffHandler(std::function<void(int n, bool pushed)> handler) { m_onOffHandler = std::move(handler); }

    bool Exists(int n) const override;
    void Create(int n, const std::string& title, const std::string& databasePath) override;
    void ShowNormalOrRestore(int n) override;
    void Hide(int n) override;
    void SetOnOffPushed(int n, bool pushed) override;

    // The window of track n, or null before its first show.
    trackview* Window(int n) const;
    bool IsOnOffPushed(int n) const;

private:
    static bool Valid(int n) { return n >= 1 && n <= 4; }

    MainFormState& m_form;
    UserInterface& m_ui;
    // Each window's own dialogs belong to it (declared first: the windows go first).
    std::array<std::unique_ptr<UserInterface>, 4> m_windowUis;
    std::array<std::unique_ptr<trackview>, 4> m_windows;
    std::array<bool, 4> m_pushed{};
    std::function<void(int, bool)> m_onOffHandler;
};
