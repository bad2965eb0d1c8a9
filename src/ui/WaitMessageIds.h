// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "please wait" box shown while a long command runs.
inline constexpr int IDD_WAITMESSAGE = 104;
