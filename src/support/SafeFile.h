// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

// Writes a whole file so that a reader never finds it half written: the bytes
// go to a temporary file in the same folder, which is then renamed over the
// target. Until the rename the old file (if any) stays whole; on any failure
// the temporary file is removed and the target is untouched.
//
// Returns false and says why in `problem` (naming the file) on failure.
// A file that was there keeps its permissions; a link keeps pointing at the
// file, which is replaced.
//
// What is not a regular file is never replaced: a device or a named pipe
// (also behind /dev/stdout or /dev/fd/N) is written where it is, a file
// behind an open descriptor is added to, and a folder or a socket is refused.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& problem);

// The same for a copy of the file `from`.
bool CopyFileReplacing(const std::string& from, const std::string& to, std::string& problem);

// Creates `folder` and the folders above it when missing; false, with the
// folder named in `problem`, when it cannot be made.
bool MakeFolder(const std::string& folder, std::string& problem);

// True when `path` is a regular file holding exactly `bytes`.
bool FileHolds(const std::string& path, std::string_view bytes);

// Bytes that go into a folder under a name no file there has: they are
// written and synced once, then given names in turn until one is free. A
// name that is taken is never replaced, even by a writer racing this one.
class NewFile {
public:
    // `bytes` must outlive this object.
    NewFile(std::string folder, std::string_view bytes);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    enum class Naming { kNamed, kTaken, kFailed };
    // Makes folder/name hold the bytes, unless something has that name
    // (kTaken). kFailed says why in `problem`.
    Naming Name(const std::string& name, std::string& problem);

private:
    bool WriteTemporary(const std::string& path, std::string& problem);
    Naming CreateExclusively(const std::string& path, std::string& problem);

    std::string m_folder;
    std::string_view m_bytes;
    std::string m_temporary;
    bool m_direct = false;
};

// A write the program could not make; carries the text for the user.
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
