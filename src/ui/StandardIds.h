// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The buttons any dialog can have.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
