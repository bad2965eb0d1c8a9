// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

// Picture file names as a page's SRC attribute names them. A browser reads a
// SRC as a URL: "https:x.gif" would be a web address and a newline or tab in
// it would be dropped, so the page would show another file than the one
// beside it.

// True when a browser would take the name's start for a URL scheme: a colon
// before the first slash. The page writes such a name as "./name".
bool ReadsAsUrlScheme(std::string_view name);

// True when the name holds a byte below 0x20 or DEL.
bool HoldsControlCharacter(std::string_view name);

// The name with each control character written as %XX ("a\nb.gif" gives
// "a%0Ab.gif"); every other name is returned as it is. For copies of
// pictures whose names come from elsewhere (a folder, an older library).
std::string SafePictureFileName(const std::string& name);

// The name fit for a one-line message: control characters as \n, \t, \r or
// \xHH, a backslash doubled only when there are any.
std::string ShownFileName(std::string_view name);
