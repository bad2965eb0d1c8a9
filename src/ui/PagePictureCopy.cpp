// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PagePictureCopy.h"

#include "composer/ImageItems.h"
#include "support/SafeFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

namespace {

namespace fs = std::filesystem;

std::string WithSlash(const std::string& folder) {
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.insert(it->path().filename().string());
    return names;
}

class Copier {
public:
    Copier(const std::string& from, const std::string& to) : m_from(WithSlash(from)), m_to(WithSlash(to)) {}

    // The name in the new folder; throws FileWriteError naming the file.
    std::string Copy(const std::string& file) {
        if (file.empty()) return file;
        if (const auto done = m_renamed.find(file); done != m_renamed.end()) return done->second;
        const std::string source = m_from + file;
        std::error_code error;
        if (!fs::exists(source, error)) return m_renamed[file] = file;
        if (!fs::is_regular_file(source, error))
            throw FileWriteError("The picture " + source + " could not be copied into " + m_to +
                                 ": it is not a regular file.");
        std::ifstream in(source, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in && !in.eof())
            throw FileWriteError("The picture " + source + " could not be read to copy it into " + m_to + ".");
        // Letters keep their folder (artfonts/stampkit/a.gif), which names
        // their set; a name that climbs out of the page's folder goes beside it.
        const fs::path relative(file);
        const bool climbs = relative.is_absolute() || std::any_of(relative.begin(), relative.end(),
                                                                  [](const fs::path& part) { return part == ".."; });
        const std::string under = climbs ? std::string() : WithSlash(relative.parent_path().generic_string());
        const std::string folder = m_to + under;
        MakeFolder(folder);
        // What the folder held before is never removed on a failure.
        const auto [before, fresh] = m_before.try_emplace(folder);
        if (fresh) before->second = NamesIn(folder);
        const std::string placed =
            m_names[folder].Place(folder, BaseFileName(file), bytes.str(), RunPictureNames::Sequence::kNumbered);
        if (!before->second.count(placed)) m_made.push_back(folder + placed);
        return m_renamed[file] = under + placed;
    }

    const std::vector<std::string>& Made() const { return m_made; }
    void Undo() {
        std::error_code error;
        for (const std::string& made : m_made) fs::remove(made, error);
        m_made.clear();
        // The folders made for letters, deepest first, and only if left empty.
        for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder) fs::remove(*folder, error);
    }

private:
    std::string m_from;
    std::string m_to;
    std::map<std::string, std::set<std::string>> m_before;
    std::vector<std::string> m_made;
    std::map<std::string, std::string> m_renamed;
    std::map<std::string, RunPictureNames> m_names;
    std::vector<std::string> m_folders;  // made by this copy, outermost first

    void MakeFolder(const std::string& folder) {
        std::error_code error;
        if (fs::is_directory(folder, error)) return;
        std::vector<fs::path> missing;
        for (fs::path at = fs::path(folder).parent_path(); !at.empty() && !fs::exists(at, error); at = at.parent_path())
            missing.push_back(at);
        if (!fs::create_directories(folder, error) && error)
            throw FileWriteError("The folder " + folder + " could not be made: " + error.message() + ".");
        for (auto at = missing.rbegin(); at != missing.rend(); ++at) m_folders.push_back(at->string());
    }
};

// The letter tags with each SRC named by `rename`, in one pass, so a new
// name is never taken for an old one.
template <class Rename>
std::string RenamedLetters(const std::string& html, Rename rename) {
    constexpr std::string_view kSrc = "SRC='";
    std::string out;
    size_t from = 0;
    for (size_t at = html.find(kSrc); at != std::string::npos; at = html.find(kSrc, from)) {
        at += kSrc.size();
        const size_t end = html.find('\'', at);
        if (end == std::string::npos) break;
        out += html.substr(from, at - from) + rename(html.substr(at, end - at));
        from = end;
    }
    return out + html.substr(from);
}

}  // namespace

bool CopyPagePictures(collage::Collage& collage, const std::string& fromFolder, const std::string& toFolder,
                      std::vector<std::string>& made, std::string& problem) {
    Copier copier(fromFolder, toFolder);
    collage::Collage copied = collage;
    try {
        for (collage::Item& item : copied.items) {
            if (item.kind == collage::ItemKind::kPicture) {
                item.file = copier.Copy(item.file);
            } else if (item.kind == collage::ItemKind::kLetters) {
                item.lettersHtml = RenamedLetters(item.lettersHtml,
                                                  [&copier](const std::string& letter) { return copier.Copy(letter); });
            }
        }
    } catch (const FileWriteError& error) {
        copier.Undo();
        problem = error.what();
        return false;
    }
    // The scripts every page loads, so it still drags in a browser; one the
    // folder has already is its own (GO puts them there) and stays.
    for (const char* script : {"artfonts/canvas.js", "artfonts/wz_dragdrop.js"}) {
        std::error_code error;
        if (fs::exists(WithSlash(toFolder) + script, error)) continue;
        try {
            copier.Copy(script);
        } catch (const FileWriteError& failure) {
            copier.Undo();
            problem = failure.what();
            return false;
        }
    }
    collage = copied;
    made = copier.Made();
    return true;
}
