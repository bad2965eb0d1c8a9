// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/Settings.h"

std::string SettingHelp(const Setting& s) {
    std::string help(s.help);
    if (s.type == SettingType::kText && !s.initialText.empty())
        return help + " (default " + std::string(s.initialText) + ")";
    if (s.type != SettingType::kNumber) return help;
    help += " " + std::to_string(s.minimum) + ".." + std::to_string(s.maximum);
    if (!s.choices.empty()) help += " or the entry's text";
    help += " (default " + std::to_string(s.initial);
    if (!s.choices.empty()) help += ", \"" + std::string(s.choices[static_cast<std::size_t>(s.initial)]) + "\"";
    return help + ")";
}
