// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// The picture files of one run in the output folder. A picture goes under
// its name only where the folder has no file of that name (case folded, as a
// page may be copied where names are), or one with the same bytes, which is
// used as it is. Otherwise it takes the next name of its sequence, so that
// no page, older or of this run, ever shows other bytes than it did.
class RunPictureNames {
public:
    enum class Sequence {
        kNumbered,  // same.gif, same-2.gif, same-3.gif, ...
        kCopyOf,    // pic.gif, Copy of pic.gif, Copy (1) of pic.gif, ...
    };
    // Returns the name in `folder` (which ends with "/", or is "") that holds
    // `bytes`. Throws FileWriteError when they cannot be written.
    std::string Place(const std::string& folder, const std::string& name, std::string_view bytes, Sequence sequence);

private:
    struct Fingerprint {
        size_t size = 0;
        size_t hash = 0;
        bool operator==(const Fingerprint&) const = default;
    };
    struct Held {
        std::string name;
        Fingerprint print;
    };
    static Fingerprint Of(std::string_view bytes);
    void ListFolder(const std::string& folder);
    std::string Keep(const std::string& folded, const std::string& name, Fingerprint print);

    // What this run wrote or found, by folded name.
    std::map<std::string, Held> m_taken;
    // The folder's names when the run began, by folded name.
    std::multimap<std::string, std::string> m_present;
    std::optional<std::string> m_listed;
};
