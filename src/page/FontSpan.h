// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RichEditControl.h"

#include <string>

// The markup that opens a text item in the font of a rich text: face, text
// colour and size in whole points, read from the whole text. The selection is
// collapsed to the start afterwards.
std::string FontSpanOf(RichEditControl& text);
