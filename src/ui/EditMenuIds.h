// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pop-up "Edit" menu of a text area, on the main form and in every track
// window.
inline constexpr int IDR_EDIT_POPUP = 213;
inline constexpr int ID_POPUP_CUT = 32776;
inline constexpr int ID_POPUP_COPY = 32777;
inline constexpr int ID_POPUP_PASTE = 32778;
