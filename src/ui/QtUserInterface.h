// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/UserInterface.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QUrl;
class QWidget;

// "Label (*.a)|*.a||" as a Qt name filter list.
QString QtFilterFromDialogFilter(const std::string& filter);

// The UserInterface of the window: Qt message boxes and dialogs owned by
// `owner`; the wait box belongs to the main form, so it is reached through
// the two callbacks.
class QtUserInterface : public UserInterface {
public:
    explicit QtUserInterface(QWidget* owner = nullptr) : m_owner(owner) {}

    void SetOwner(QWidget* owner) { m_owner = owner; }
    QWidget* Owner() const { return m_owner; }
    // The same interface for another window: its dialogs and message boxes
    // belong to `owner`, so closing them returns there.
    std::unique_ptr<QtUserInterface> ForWindow(QWidget* owner) const;
    // How a page reaches the browser; tests stand in for it.
    void SetBrowserOpener(std::function<bool(const QUrl&)> opener) { m_opener = std::move(opener); }
    // Folders the file dialogs list as places of their sidebar (the output
    // folder, hidden under ~/.local/share, is hard to reach otherwise).
    void SetPlaces(std::function<std::vector<std::string>()> places) { m_places = std::move(places); }
    void SetWaitHandlers(std::function<void()> show, std::function<void()> hide) {
        m_showWait = std::move(show);
        m_hideWait = std::move(hide);
    }

    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok) override;
    void ShowWaitMessage() override;
    void HideWaitMessage() override;
    void OpenInBrowser(const std::string& path) override;
    std::optional<FileChoice> ChooseOpenFile(const std::string& filter, const std::string& initialName) override;
    std::optional<FileChoice> ChooseSaveFile(const std::string& filter, const std::string& initialName,
                                             bool promptOverwrite) override;
    FolderChoice ChooseFolder(const std::string& title, const std::string& start) override;
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override;

private:
    QWidget* m_owner;
    std::function<bool(const QUrl&)> m_opener;
    std::function<void()> m_showWait;
    std::function<void()> m_hideWait;
    std::function<std::vector<std::string>()> m_places;

    std::optional<FileChoice> RunFileDialog(const QString& caption, const std::string& filter,
                                            const std::string& initialName, bool save, bool promptOverwrite);
};
