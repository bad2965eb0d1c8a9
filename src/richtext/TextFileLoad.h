// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "richtext/RichEditControl.h"

#include <istream>
#include <string>

class UserInterface;

inline constexpr const char* kOpenErrorCaption = "VANTELO open error";

// Loads `path` into `text` as Open does: the first `maxLines` lines gathered
// by `collect`, as plain text: every character shown as it is, none taken as
// markup. A folder, an unreadable or a binary file is refused with a message and the text left as it was (false).
bool LoadTextFileInto(RichEditControl& text, UserInterface& ui, const std::string& path, int maxLines,
                      std::string (*collect)(std::istream&));
