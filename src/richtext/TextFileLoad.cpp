// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/TextFileLoad.h"

#include "richtext/RichTextOps.h"
#include "support/TextFileReader.h"
#include "support/UserInterface.h"

#include <sstream>

bool LoadTextFileInto(RichEditControl& text, UserInterface& ui, const std::string& path, int maxLines,
                      std::string (*collect)(std::istream&)) {
    const TextFileStart start = ReadTextFileStart(path, maxLines);
    if (!start.ok) {
        ui.ShowMessage(start.problem + " The text is left as it was.", kOpenErrorCaption);
        return false;
    }
    std::istringstream lines(start.text);
    const std::string collected = collect(lines);
    text.SelectAll();
    LoadPlainText(text, collected);
    if (!start.notice.empty()) ui.ShowMessage(start.notice, kOpenErrorCaption);
    return true;
}
