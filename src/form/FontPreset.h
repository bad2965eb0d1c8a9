// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RichEditControl.h"
#include "support/UserInterface.h"

// The font dialog's preset from the attributes uniform over a text: a mixed
// face, size or colour is left blank, a mixed style is off.
FontChoice FontPresetFrom(const CharFormat& uniform);
