// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// What a command shows the user, as a port: the window answers with Qt
// dialogs, the command line prints, tests answer from a script and record.

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

struct FileChoice {
    std::string path;      // full path
    std::string fileName;  // the last component as the dialog reports it
};

// A folder picker's answer: 1 a folder was chosen, 2 cancelled, -1 failure.
struct FolderChoice {
    int result = 2;
    std::string path;
};

struct FontChoice {
    std::string face;
    int pointSizeTenths = 0;   // size in tenths of a point
    std::uint32_t colour = 0;  // 0x00BBGGRR
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual MessageResult ShowMessage(const std::string& text, const std::string& caption,
                                      MessageButtons buttons = MessageButtons::Ok) = 0;
    virtual void ShowWaitMessage() = 0;
    virtual void HideWaitMessage() = 0;
    // Shows a page or document in the user's browser.
    virtual void OpenInBrowser(const std::string& path) = 0;

    // `filter` uses the "Label (*.a)|*.a||" form of the program's dialogs.
    virtual std::optional<FileChoice> ChooseOpenFile(const std::string& filter, const std::string& initialName) = 0;
    virtual std::optional<FileChoice> ChooseSaveFile(const std::string& filter, const std::string& initialName,
                                                     bool promptOverwrite) = 0;
    virtual FolderChoice ChooseFolder(const std::string& title, const std::string& start) = 0;
    virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;
    virtual std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) = 0;
};
