// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/InstalledFile.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string InstalledFile(const std::string& name, const char* chosenBy) {
    if (chosenBy != nullptr) {
        const char* chosen = std::getenv(chosenBy);
        if (chosen != nullptr && *chosen != '\0') return chosen;
    }
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return name;
    const fs::path beside = self.parent_path() / name;
    if (fs::exists(beside, error)) return beside.string();
    return (self.parent_path() / TARVEX4_WINDOW_FROM_BIN / name).lexically_normal().string();
}
