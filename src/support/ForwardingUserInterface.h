// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/UserInterface.h"

// Passes everything on to another UserInterface: a decorator derives from it
// and overrides only what it changes.
class ForwardingUserInterface : public UserInterface {
public:
    explicit ForwardingUserInterface(UserInterface& inner) : m_inner(inner) {}

    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok) override {
        return m_inner.ShowMessage(text, caption, buttons);
    }
    void ShowWaitMessage() override { m_inner.ShowWaitMessage(); }
    void HideWaitMessage() override { m_inner.HideWaitMessage(); }
    void OpenInBrowser(const std::string& path) override { m_inner.OpenInBrowser(path); }
    std::optional<FileChoice> ChooseOpenFile(const std::string& filter, const std::string& initialName) override {
        return m_inner.ChooseOpenFile(filter, initialName);
    }
    std::optional<FileChoice> ChooseSaveFile(const std::string& filter, const std::string& initialName,
                                             bool promptOverwrite) override {
        return m_inner.ChooseSaveFile(filter, initialName, promptOverwrite);
    }
    FolderChoice ChooseFolder(const std::string& title, const std::string& start) override {
        return m_inner.ChooseFolder(title, start);
    }
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override { return m_inner.ChooseFont(initial); }
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override { return m_inner.ChooseColour(initial); }

protected:
    UserInterface& Inner() const { return m_inner; }

private:
    UserInterface& m_inner;
};
