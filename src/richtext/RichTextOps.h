#pragma once
#include "richtext/RichEditControl.h"

#include <optional>
#include <string>
#include <string_view>

// What every "load text into a rich edit" does: renders `markup` with the
// default GUI font, black text on white, streams the RTF in replacing all
// (nothing when the markup does not render) and scrolls to the first line.
void LoadMarkup(RichEditControl& control, std::string_view markup);

// As LoadMarkup, for a text loaded from a file: when the text does not
// render as markup (a closing tag with no open group, as in a file that
// quotes some HTML), the same text is loaded with every character shown as
// it is, no tag taken. Returns the reason the markup was not applied, or
// nothing when it was.
std::optional<std::string> LoadMarkupOrLiteral(RichEditControl& control, std::string_view text);

// The words a user sees: the control's RTF reduced to plain text (empty when
// the RTF cannot be converted).
std::string PlainTextOf(const RichEditControl& control);
