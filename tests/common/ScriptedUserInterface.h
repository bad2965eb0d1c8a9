// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/UserInterface.h"

#include <deque>
#include <vector>

// A UserInterface that answers from queues filled beforehand and records
// everything shown: the user of a test.
class ScriptedUserInterface : public UserInterface {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageButtons buttons;
    };

    // Answers, consumed front first; when a queue is empty the user cancels
    // (messages: the first button, i.e. Ok or Yes).
    std::deque<MessageResult> messageAnswers;
    std::deque<std::optional<FileChoice>> openAnswers;
    std::deque<std::optional<FileChoice>> saveAnswers;
    std::deque<FolderChoice> folderAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::deque<std::optional<std::uint32_t>> colourAnswers;

    // What was shown.
    std::vector<Message> messages;
    std::vector<std::string> openedPages;
    std::vector<std::string> folderTitles;
    std::vector<std::string> saveInitialNames;
    std::vector<std::string> openInitialNames;
    std::vector<FontChoice> fontPresets;
    int waitShown = 0;
    int waitHidden = 0;
    bool waitVisible = false;

    MessageResult ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok) override {
        messages.push_back({text, caption, buttons});
        if (!messageAnswers.empty()) return Pop(messageAnswers);
        return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel ? MessageResult::Ok
                                                                                    : MessageResult::Yes;
    }
    void ShowWaitMessage() override {
        ++waitShown;
        waitVisible = true;
    }
    void HideWaitMessage() override {
        ++waitHidden;
        waitVisible = false;
    }
    void OpenInBrowser(const std::string& path) override { openedPages.push_back(path); }

    std::optional<FileChoice> ChooseOpenFile(const std::string&, const std::string& initialName) override {
        openInitialNames.push_back(initialName);
        return openAnswers.empty() ? std::nullopt : Pop(openAnswers);
    }
    std::optional<FileChoice> ChooseSaveFile(const std::string&, const std::string& initialName, bool) override {
        saveInitialNames.push_back(initialName);
        return saveAnswers.empty() ? std::nullopt : Pop(saveAnswers);
    }
    FolderChoice ChooseFolder(const std::string& title, const std::string&) override {
        folderTitles.push_back(title);
        return folderAnswers.empty() ? FolderChoice{} : Pop(folderAnswers);
    }
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override {
        fontPresets.push_back(initial);
        return fontAnswers.empty() ? std::nullopt : Pop(fontAnswers);
    }
    std::optional<std::uint32_t> ChooseColour(std::uint32_t) override {
        return colourAnswers.empty() ? std::nullopt : Pop(colourAnswers);
    }

private:
    template <class Q>
    static typename Q::value_type Pop(Q& q) {
        auto v = std::move(q.front());
        q.pop_front();
        return v;
    }
};
