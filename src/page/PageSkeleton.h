// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// The fixed parts of the collage page.
namespace page {

// Title, capture script (when asked), body, capture link (when asked), the
// drag script and the opening of the page container up to its colour.
std::string Head(bool captureCode);
// After the colour: closes the container's opening tag.
inline constexpr const char* kContainerOpenEnd = "'>";
// Closes the container and makes every listed item draggable and resizable.
std::string Tail(const std::string& dragItemIds);

}  // namespace page
