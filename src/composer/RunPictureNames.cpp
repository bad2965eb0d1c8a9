// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/RunPictureNames.h"

#include "composer/ImageItems.h"
#include "support/FileCopier.h"
#include "support/SafeFile.h"

#include <dirent.h>

#include <algorithm>
#include <functional>

RunPictureNames::Fingerprint RunPictureNames::Of(std::string_view bytes) {
    return {bytes.size(), std::hash<std::string_view>{}(bytes)};
}

namespace {

std::string Folded(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return name;
}

// Enough for any folder a person keeps; beyond, the run fails and says so.
constexpr int kMaxPictureNames = 100000;

// "same.gif" and 2 give "same-2.gif".
std::string NumberedName(const std::string& name, int n) {
    const size_t dot = name.find_last_of('.');
    const size_t cut = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, cut) + "-" + std::to_string(n) + name.substr(cut);
}

}  // namespace

void RunPictureNames::ListFolder(const std::string& folder) {
    if (m_listed == folder) return;
    m_taken.clear();
    m_present.clear();
    m_listed = folder;
    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!listing) return;  // nothing known: each name is tried as it comes
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") m_present.emplace(Folded(name), name);
    }
    ::closedir(listing);
}

std::string RunPictureNames::Keep(const std::string& folded, const std::string& name, Fingerprint print) {
    m_taken[folded] = {name, print};
    return name;
}

std::string RunPictureNames::Place(const std::string& folder, const std::string& name, std::string_view bytes,
                                   Sequence sequence) {
    ListFolder(folder);
    const Fingerprint print = Of(bytes);
    NewFile file(folder, bytes);
    std::string candidate = name;
    for (int n = 2; n < kMaxPictureNames; ++n) {
        const std::string folded = Folded(candidate);
        if (const auto known = m_taken.find(folded); known != m_taken.end()) {
            if (known->second.print == print) return known->second.name;
        } else {
            // Files from before this run: one with these bytes is used as it is.
            const auto [first, last] = m_present.equal_range(folded);
            for (auto at = first; at != last; ++at) {
                if (FileHolds(folder + at->second, bytes)) return Keep(folded, at->second, print);
            }
            if (first == last) {
                std::string problem;
                switch (file.Name(candidate, problem)) {
                    case NewFile::Naming::kNamed: return Keep(folded, candidate, print);
                    case NewFile::Naming::kFailed: throw FileWriteError(problem);
                    case NewFile::Naming::kTaken:  // made by someone else meanwhile
                        if (FileHolds(folder + candidate, bytes)) return Keep(folded, candidate, print);
                        break;
                }
            }
        }
        candidate = sequence == Sequence::kNumbered ? NumberedName(name, n) : BaseFileName(MakeCopyName(candidate));
    }
    throw FileWriteError("No free name is left for the picture " + name + " in " + folder);
}
