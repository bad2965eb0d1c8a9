// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "form/MainFormState.h"
#include "session/Session.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The session options of `tarvex4 go`: --session, --seed last, --count and
// --save-session. Bad values throw CLI::ValidationError (exit status 2).
namespace gosession {

// The session of --session FILE; nothing when FILE is empty. A file that
// cannot be read ends the command with status 1.
std::optional<Session> Load(const std::string& path);

// --seed: a number, or "last" for the session's seed; nothing when not given.
std::optional<std::uint32_t> ParseSeed(const std::string& text, const std::optional<Session>& session);

// Page n of a --count run: "collage1.html" gives collage1.html, collage2.html,
// ...; "party.html" gives party1.html, party2.html, ...
std::string NumberedPageName(const std::string& fileName, int n);

// The track windows a saved session shows: as the opened session had them,
// unless an option turned the track on or off (a track turned on is shown).
std::array<bool, 4> WindowsOpen(const MainFormState& state, const std::optional<Session>& session);

}  // namespace gosession
