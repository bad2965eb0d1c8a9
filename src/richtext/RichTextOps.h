// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RichEditControl.h"

#include <optional>
#include <string>
#include <string_view>

// What every "load text into a rich edit" does: renders `markup` with the
// default GUI font, black text on white, streams the RTF in replacing all
// (nothing when the markup does not render) and scrolls to the first line.
void LoadMarkup(RichEditControl& control, std::string_view markup);

// As LoadMarkup, for a plain text (a file, a shredded track): every
// character is shown as it is, "<" and "&" included, and line feeds start
// paragraphs.
void LoadPlainText(RichEditControl& control, std::string_view text);

// The words a user sees: the control's RTF reduced to plain text (empty when
// the RTF cannot be converted).
std::string PlainTextOf(const RichEditControl& control);
