// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "form/MainFormState.h"
#include "session/Session.h"
#include "support/UserInterface.h"
#include "tracks/TrackSwitchboard.h"

#include <array>
#include <optional>
#include <string>

// File > "Save Session..." and "Open Session...": the whole setup of the
// main form and the tracks to a "*.vantelo" file and back.

inline constexpr const char* kSessionFilter = "VANTELO session (*.vantelo)|*.vantelo||";
inline constexpr const char* kSaveSessionCaption = "Save Session";
inline constexpr const char* kOpenSessionCaption = "Open Session";

// Asks for a file (offering `currentName`, the open session's name) and
// writes the session. `windowsOpen` tells which track windows are on screen.
// Returns the saved session's name; nothing when cancelled or not written
// (a failure is shown to the user).
std::optional<std::string> SaveSessionCommand(const MainFormState& form, UserInterface& ui,
                                              const std::array<bool, 4>& windowsOpen, const std::string& currentName);

// Asks for a session file and opens it: every setting, the texts and the
// track windows. A file that cannot be read leaves the form as it was and
// says why. Returns the opened session's name.
std::optional<std::string> OpenSessionCommand(MainFormState& form, UserInterface& ui, TrackWindowPort& windows);

// Opens `session` in the form: the state, each track's window shown or hidden
// and its on/off button as the session has them. Texts that could not be
// read are reported, once, in a message box.
void OpenSession(const Session& session, const std::string& name, MainFormState& form, UserInterface& ui,
                 TrackWindowPort& windows);
