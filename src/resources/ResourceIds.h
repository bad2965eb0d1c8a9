// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbers of the pictures and the cursor the windows ask for. The pictures
// are drawn by code (Pictures.cpp); the numbers keep the windows' names for them.

inline constexpr int IDB_SLIDERTHUMB = 136;
inline constexpr int IDB_SLIDERTRACK = 137;
inline constexpr int IDB_FORMBACKGROUND = 223;
inline constexpr int IDB_DIALOGBACKGROUND = 242;  // wordbook and author dialogs, drawn stretched
inline constexpr int IDB_TRACKBACKGROUND = 278;
inline constexpr int IDB_TITLE = 308;

// The pointing hand over the sliders.
inline constexpr int IDC_HANDCURSOR = 104;
