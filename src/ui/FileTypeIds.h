// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/StandardIds.h"

// The dialog that asks how the main text is saved.
inline constexpr int IDD_FILETYPE = 106;
inline constexpr int IDC_PLAINTEXT = 1041;
inline constexpr int IDC_RICHTEXT = 1042;
