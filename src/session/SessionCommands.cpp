// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/SessionCommands.h"

#include <filesystem>

namespace {

// The save dialog adds no extension; a name typed without one gets ".vantelo"
// so that the open dialog's filter finds it again.
std::string WithExtension(const std::string& path) {
    if (std::filesystem::path(path).has_extension()) return path;
    return path + kSessionExtension;
}

std::string JoinedList(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

}  // namespace

std::optional<std::string> SaveSessionCommand(const MainFormState& form, UserInterface& ui,
                                              const std::array<bool, 4>& windowsOpen, const std::string& currentName) {
    const std::string offered = (currentName.empty() ? std::string("session") : currentName) + kSessionExtension;
    std::optional<FileChoice> choice = ui.ChooseSaveFile(kSessionFilter, offered, true);
    if (!choice || choice->path.empty()) return std::nullopt;
    const std::string path = WithExtension(choice->path);
    try {
        WriteSessionFile(path, CaptureSession(form, windowsOpen));
    } catch (const SessionError& e) {
        ui.ShowMessage(e.what(), kSaveSessionCaption);
        return std::nullopt;
    }
    return SessionName(path);
}

std::optional<std::string> OpenSessionCommand(MainFormState& form, UserInterface& ui, TrackWindowPort& windows) {
    std::optional<FileChoice> choice = ui.ChooseOpenFile(kSessionFilter, "");
    if (!choice || choice->path.empty()) return std::nullopt;
    Session session;
    try {
        session = ReadSessionFile(choice->path);
    } catch (const SessionError& e) {
        ui.ShowMessage(e.what(), kOpenSessionCaption);
        return std::nullopt;
    } catch (const std::exception& e) {
        // Whatever the file holds, the window goes on.
        ui.ShowMessage("Cannot open the session " + choice->path + ": " + e.what() + ".", kOpenSessionCaption);
        return std::nullopt;
    }
    const std::string name = SessionName(choice->path);
    OpenSession(session, name, form, ui, windows);
    return name;
}

void OpenSession(const Session& session, const std::string& name, MainFormState& form, UserInterface& ui,
                 TrackWindowPort& windows) {
    // A track window starts its track at the start values when it is made,
    // so every window is made (hidden) before the session's values go in.
    for (int n = 1; n <= 4; ++n) {
        if (windows.Exists(n)) continue;
        form.m_tracks[static_cast<size_t>(n - 1)].SetDatabasePath(form.DatabasePath());
        windows.Create(n, TrackWindowTitle(n), form.DatabasePath());
    }
    const std::vector<std::string> skipped = ApplySession(session, form);
    for (int n = 1; n <= 4; ++n) {
        if (session.tracks[static_cast<size_t>(n - 1)].windowOpen) {
            windows.ShowNormalOrRestore(n);
        } else {
            windows.Hide(n);
        }
        windows.SetOnOffPushed(n, form.m_trackWindowOpen[static_cast<size_t>(n - 1)]);
    }
    std::string problems;
    if (!skipped.empty()) problems = JoinedList(skipped) + " could not be read; what was shown there before was kept.";
    const std::vector<std::string> damaged = UnbalancedTexts(session);
    if (!damaged.empty()) {
        if (!problems.empty()) problems += "\n";
        problems += JoinedList(damaged) + " " + (damaged.size() == 1 ? "is" : "are") +
                    " damaged (the RTF braces do not balance); the part that could be read is shown.";
    }
    // One message for all of it.
    if (!problems.empty()) ui.ShowMessage("The session " + name + " was opened, but " + problems, kOpenSessionCaption);
}
