// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/GoSession.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <filesystem>
#include <iostream>

namespace gosession {

std::optional<Session> Load(const std::string& path) {
    if (path.empty()) return std::nullopt;
    try {
        return ReadSessionFile(path);
    } catch (const SessionError& e) {
        // The option was right; the file is what failed.
        std::cerr << "tarvex4 go: " << e.what() << '\n';
        throw CLI::RuntimeError(1);
    }
}

std::optional<std::uint32_t> ParseSeed(const std::string& text, const std::optional<Session>& session) {
    if (text.empty()) return std::nullopt;
    if (text == "last") {
        if (!session) throw CLI::ValidationError("--seed", "'last' needs --session FILE");
        if (!session->lastSeed)
            throw CLI::ValidationError("--seed", "'last': the session holds no seed (GO was never pressed in it)");
        return session->lastSeed;
    }
    const bool digits = text.size() <= 10 &&
                        std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
    if (!digits || std::stoull(text) > 0xFFFFFFFFull)
        throw CLI::ValidationError("--seed", "'" + text + "' is not a number from 0 to 4294967295 or 'last'");
    return static_cast<std::uint32_t>(std::stoull(text));
}

std::string NumberedPageName(const std::string& fileName, int n) {
    const std::filesystem::path name(fileName);
    std::string stem = name.stem().string();
    while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back()))) stem.pop_back();
    return stem + std::to_string(n) + name.extension().string();
}

std::array<bool, 4> WindowsOpen(const MainFormState& state, const std::optional<Session>& session) {
    std::array<bool, 4> open = state.m_trackWindowOpen;
    if (!session) return open;
    for (size_t i = 0; i < open.size(); ++i) {
        if (state.m_trackWindowOpen[i] == session->tracks[i].on) open[i] = session->tracks[i].windowOpen;
    }
    return open;
}

}  // namespace gosession
