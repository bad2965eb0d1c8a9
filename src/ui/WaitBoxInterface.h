// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/ForwardingUserInterface.h"

#include <functional>

// Passes everything on to another UserInterface but shows a wait box of its
// own: a track window's fill and authors commands show the track's box.
class WaitBoxInterface : public ForwardingUserInterface {
public:
    WaitBoxInterface(UserInterface& inner, std::function<void()> show, std::function<void()> hide)
            : ForwardingUserInterface(inner), m_show(std::move(show)), m_hide(std::move(hide)) {}

    void ShowWaitMessage() override { m_show(); }
    void HideWaitMessage() override { m_hide(); }

private:
    std::function<void()> m_show;
    std::function<void()> m_hide;
};
