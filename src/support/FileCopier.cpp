// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FileCopier.h"

#include "support/FolderListing.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

int CodeOf(const std::error_code& ec) { return ec.value() != 0 ? ec.value() : EIO; }

// The folder's own name: "a/b/" and "a/b" give "b"; "/" gives "".
std::string LastElement(std::string path) {
    while (!path.empty() && path.back() == '/') path.pop_back();
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Canonical(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::path(path), ec);
    return ec ? path : p.lexically_normal().string();
}

constexpr int kMaxCopyNames = 10000;

// Anything of that name, also a link to nothing, takes it.
bool NameIsTaken(const std::string& path) {
    struct stat held {};
    return ::lstat(path.c_str(), &held) == 0 || errno != ENOENT;
}

}  // namespace

CFExeption::CFExeption(int code) : m_message(std::strerror(code)), m_code(code) {}

FileCopier::PathKind FileCopier::KindOf(const std::string& path, int* errorCode) {
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    if (errorCode) *errorCode = ec.value();
    if (st.type() == fs::file_type::not_found) return PathKind::Missing;
    if (ec) return PathKind::Error;
    return st.type() == fs::file_type::directory ? PathKind::Folder : PathKind::File;
}

bool FileCopier::SafeCopy(const std::string& source, const std::string& destination) {
    bool ok = true;
    try {
        CopyDispatch(source, destination);
    } catch (const CFExeption& e) {
        m_lastErrorText = e.Message();
        m_lastErrorCode = e.Code();
        ok = false;
    }
    m_folderDepthLimit = -1;
    m_copyRoot.clear();
    return ok;
}

void FileCopier::CopyDispatch(const std::string& source, const std::string& destination) {
    int sourceError = 0, destinationError = 0;
    PathKind from = KindOf(source, &sourceError);
    PathKind to = KindOf(destination, &destinationError);
    if (from == PathKind::Missing) throw CFExeption(source + " not found");
    if (to == PathKind::Missing) throw CFExeption(destination + " not found");
    if (from == PathKind::Error) throw CFExeption(sourceError ? sourceError : EIO);
    if (to == PathKind::Error) throw CFExeption(destinationError ? destinationError : EIO);

    if (from == PathKind::Folder && to == PathKind::File) throw CFExeption("Wrong operation");
    if (from == PathKind::Folder) {
        CopyFolderIntoFolder(source, destination);
    } else if (to == PathKind::File) {
        CopyOneFile(source, destination);
    } else {
        CopyOneFile(source, WithSlash(destination) + fs::path(source).filename().string());
    }
}

void FileCopier::CopyFolderIntoFolder(std::string source, std::string destination) {
    source = WithSlash(source);
    destination = WithSlash(destination);
    bool readable = false;
    FindEntries(source + "*.*", &readable);
    if (!readable) throw CFExeption(source + " not found");

    std::string name = LastElement(source);
    if (!name.empty()) {
        destination += name + "/";
        // A folder copied into its own parent is already there.
        if (Canonical(destination) == Canonical(source)) return;
        std::error_code ec;
        if (!fs::create_directory(destination, ec) && ec) throw CFExeption(CodeOf(ec));
    }
    m_copyRoot = Canonical(destination);
    CopyFolderTree(source + "*.*", destination);
}

void FileCopier::CopyFolderTree(const std::string& source, const std::string& destination) {
    for (const FolderEntry& entry : FindEntries(source)) {
        if (!entry.isFolder) {
            CopyOneFile(entry.fullPath, destination + entry.name);
            continue;
        }
        if (m_folderDepthLimit == 0) continue;
        if (!m_copyRoot.empty() && Canonical(entry.fullPath) == m_copyRoot) continue;
        std::string target = destination + entry.name + "/";
        if (KindOf(target) == PathKind::Missing) {
            std::error_code ec;
            if (!fs::create_directory(target, ec)) throw CFExeption(CodeOf(ec));
        }
        if (m_folderDepthLimit > 0) --m_folderDepthLimit;
        CopyFolderTree(entry.fullPath + "/*.*", target);
    }
}

void FileCopier::CopyOneFile(const std::string& source, const std::string& destination) {
    std::error_code ec;
    if (m_overwrite) {
        fs::copy_file(source, destination, fs::copy_options::overwrite_existing, ec);
    } else {
        std::string target = destination;
        // Looked at, not opened: a named pipe of that name would wait for a writer.
        for (int tries = 0; NameIsTaken(target); ++tries) {
            if (tries == kMaxCopyNames) throw CFExeption("No free name for a copy of " + destination);
            target = MakeCopyName(target);
        }
        fs::copy_file(source, target, fs::copy_options::none, ec);
    }
    if (ec) throw CFExeption(CodeOf(ec));
}

std::string MakeCopyName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = file.find_last_of('.');
    std::string base = dot == std::string::npos ? file : file.substr(0, dot);
    std::string ext = dot == std::string::npos ? std::string() : file.substr(dot);

    static const std::string kCopyOf = "Copy of ";
    if (base.find("Copy ") == std::string::npos) return folder + kCopyOf + base + ext;
    size_t open = base.find('(');
    if (open == std::string::npos)
        return folder + "Copy (1) of " + base.substr(std::min(base.size(), kCopyOf.size())) + ext;
    size_t close = base.find(')');
    if (close == std::string::npos) return folder + kCopyOf + base + ext;

    // Read wide and saturating: a name may hold any number.
    const long long previous =
        open < close ? std::strtoll(base.substr(open + 1, close - open - 1).c_str(), nullptr, 10) : 0;
    // The last number there is: a new sequence starts on this name.
    if (previous == LLONG_MAX) return folder + kCopyOf + base + ext;
    std::string rest = base.substr(std::min(base.size(), close + 1 + 4));
    return folder + "Copy (" + std::to_string(previous + 1) + ") of " + rest + ext;
}

bool SameFileContent(const std::string& a, const std::string& b) {
    std::error_code ec1, ec2;
    if (!fs::is_regular_file(a, ec1) || !fs::is_regular_file(b, ec2)) return false;
    if (fs::file_size(a, ec1) != fs::file_size(b, ec2) || ec1 || ec2) return false;
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    if (!fa || !fb) return false;
    char ba[65536], bb[65536];
    while (fa && fb) {
        fa.read(ba, sizeof ba);
        fb.read(bb, sizeof bb);
        if (fa.gcount() != fb.gcount() || std::memcmp(ba, bb, static_cast<size_t>(fa.gcount())) != 0) return false;
    }
    return fa.eof() && fb.eof();
}
