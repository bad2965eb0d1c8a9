#pragma once
#include "support/UserInterface.h"

#include <functional>

// Passes everything on to another UserInterface but shows a wait box of its
// own: a track window's fill and authors commands show the track's box.
class WaitBoxInterface : public UserInterface {
public:
    WaitBoxInterface(UserInterface& inner, std::function<void()> show, std::function<void()> hide)
        : m_inner(inner), m_show(std::move(show)), m_hide(std::move(hide)) {}

    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok) override {
        return m_inner.ShowMessage(text, caption, buttons);
    }
    void ShowWaitMessage() override { m_show(); }
    void HideWaitMessage() override { m_hide(); }
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
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override {
        return m_inner.ChooseColour(initial);
    }

private:
    UserInterface& m_inner;
    std::function<void()> m_show;
    std::function<void()> m_hide;
};
