// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/UserInterface.h"

#include <ostream>
#include <string>

// The file:// URL of a local file: the path made absolute and every byte
// but letters, digits, "-._~" and "/" percent-encoded. A browser given a
// bare path could take a folder named "https:" for a web address.
std::string FileUrl(const std::string& path);

// The UserInterface of the command line: messages go to the error stream,
// every chooser is cancelled, the wait box is nothing, and a page is only
// opened in the browser when the caller asked for it (and TARVEX4_NO_OPEN is
// not set).
class ConsoleUserInterface : public UserInterface {
public:
    explicit ConsoleUserInterface(std::ostream& err, bool openPages = false) : m_err(err), m_openPages(openPages) {}

    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok) override;
    void ShowWaitMessage() override {}
    void HideWaitMessage() override {}
    void OpenInBrowser(const std::string& path) override;

    std::optional<FileChoice> ChooseOpenFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<FileChoice> ChooseSaveFile(const std::string&, const std::string&, bool) override {
        return std::nullopt;
    }
    FolderChoice ChooseFolder(const std::string&, const std::string&) override { return FolderChoice{}; }
    std::optional<FontChoice> ChooseFont(const FontChoice&) override { return std::nullopt; }
    std::optional<std::uint32_t> ChooseColour(std::uint32_t) override { return std::nullopt; }

    int MessageCount() const { return m_messages; }

private:
    std::ostream& m_err;
    bool m_openPages;
    int m_messages = 0;
};
