// SPDX-License-Identifier: GPL-3.0-or-later
#include "IncludeGraph.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string_view>

namespace fs = std::filesystem;

namespace layers {
namespace {

const std::set<std::string> kQtFolders = {"modules/devices", "resources", "drawing", "ui", "app"};
// Folders whose sub-folders are layers of their own: each loadable module.
const std::set<std::string> kGroupFolders = {"modules"};

// The layer a path ("db/WordsDb.h", "modules/pictures/PictureReducer.h")
// belongs to: its first folder, or its first two inside a group folder.
std::string LayerOf(const std::string& path) {
    const std::size_t slash = path.find('/');
    if (slash == std::string::npos) return {};
    const std::string first = path.substr(0, slash);
    if (!kGroupFolders.count(first)) return first;
    const std::size_t second = path.find('/', slash + 1);
    return second == std::string::npos ? first : path.substr(0, second);
}
// Entry points at the top of src/: above every layer. The command itself
// (main.cpp) is Qt-free; the window program is not.
const std::set<std::string> kQtFreePrograms = {"main.cpp", "commands_main.cpp"};
constexpr int kProgramRank = 1000;

std::optional<int> RankOf(const std::string& folder) {
    const auto& order = Order();
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        for (const std::string& name : order[rank]) {
            if (name == folder) return static_cast<int>(rank);
        }
    }
    return std::nullopt;
}

struct Includer {
    std::string folder;  // empty for a program at the top of src/
    int rank = 0;
    bool qtFree = true;
};

std::optional<Includer> IncluderOf(const fs::path& relative) {
    const std::string first = relative.begin()->string();
    if (relative.has_parent_path()) {
        const std::string folder = LayerOf(relative.generic_string());
        const auto rank = RankOf(folder);
        if (!rank) return std::nullopt;
        return Includer{folder, *rank, kQtFolders.count(folder) == 0};
    }
    return Includer{"", kProgramRank, kQtFreePrograms.count(first) > 0};
}

bool IsQtHeader(const std::string& header) {
    return header.size() > 1 && header[0] == 'Q' &&
           (std::isupper(static_cast<unsigned char>(header[1])) || header.rfind("Qt", 0) == 0);
}

// Why `include` may not be included from `from`; nothing when it may.
std::optional<std::string> Judge(const Includer& from, const std::string& include, bool angled) {
    if (angled) {
        if (from.qtFree && IsQtHeader(include)) return "Qt header in a Qt-free folder";
        return std::nullopt;
    }
    if (include.find('/') == std::string::npos) return std::nullopt;  // beside the includer
    const std::string target = LayerOf(include);
    if (target == from.folder) return std::nullopt;
    const auto rank = RankOf(target);
    if (!rank) return "folder " + target + " is not in the layer order";
    if (from.qtFree && kQtFolders.count(target)) return "Qt folder " + target + " included from a Qt-free one";
    if (*rank == from.rank) return "peer " + target + " in the same layer as " + from.folder;
    if (*rank > from.rank) return "higher layer " + target + " included from " + from.folder;
    return std::nullopt;
}

struct Include {
    std::string header;
    bool angled = false;
};

// `#include "x"` or `#include <x>`, with blanks allowed around the '#'.
std::optional<Include> IncludeOf(std::string_view line) {
    const auto skipBlanks = [&line] {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    };
    skipBlanks();
    if (line.empty() || line.front() != '#') return std::nullopt;
    line.remove_prefix(1);
    skipBlanks();
    if (line.substr(0, 7) != "include") return std::nullopt;
    line.remove_prefix(7);
    skipBlanks();
    if (line.empty() || (line.front() != '"' && line.front() != '<')) return std::nullopt;
    const bool angled = line.front() == '<';
    line.remove_prefix(1);
    const std::size_t end = line.find(angled ? '>' : '"');
    if (end == std::string_view::npos || end == 0) return std::nullopt;
    return Include{std::string(line.substr(0, end)), angled};
}

void CheckFile(const fs::path& root, const fs::path& file, std::vector<Violation>& out) {
    const fs::path relative = file.lexically_relative(root);
    const auto from = IncluderOf(relative);
    if (!from) {
        out.push_back(
            {relative.string(), 0, "", "folder " + LayerOf(relative.generic_string()) + " is not in the layer order"});
        return;
    }
    std::ifstream in(file);
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        const auto include = IncludeOf(text);
        if (!include) continue;
        if (auto why = Judge(*from, include->header, include->angled)) {
            out.push_back({relative.string(), number, include->header, *why});
        }
    }
}

}  // namespace

const std::vector<std::vector<std::string>>& Order() {
    static const std::vector<std::vector<std::string>> order = {
        {"support"},
        {"modules/pictures", "modules/devices"},
        {"db"},
        {"richtext"},
        {"page"},
        {"form"},
        {"composer", "tracks", "wordbooks", "images"},
        {"mainform", "session"},
        {"resources", "drawing"},
        {"cli", "ui"},
        {"app"},
    };
    return order;
}

std::vector<Violation> CheckIncludes(const std::string& sourceRoot) {
    std::vector<Violation> violations;
    const fs::path root(sourceRoot);
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp")) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) CheckFile(root, file, violations);
    return violations;
}

std::string Describe(const std::vector<Violation>& violations) {
    std::string text;
    for (const Violation& v : violations) {
        text += v.file + ":" + std::to_string(v.line) + ": " + v.include + " (" + v.why + ")\n";
    }
    return text;
}

}  // namespace layers
