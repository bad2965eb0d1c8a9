// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// A copier failure: a message and the system error code (0 when the copier
// itself detected the problem).
class CFExeption {
public:
    explicit CFExeption(std::string message) : m_message(std::move(message)) {}
    // From a system error code (errno); the message is the system's text.
    explicit CFExeption(int code);

    const std::string& Message() const { return m_message; }
    int Code() const { return m_code; }

private:
    std::string m_message;
    int m_code = 0;
};

// Copies files and folder trees. In overwrite mode a file of the same name in
// the destination is replaced; in keep-existing mode the copy goes under the
// next free "Copy of" name instead.
class FileCopier {
public:
    enum class PathKind { Missing, Error, Folder, File };

    void SetOverwrite(bool overwrite) { m_overwrite = overwrite; }
    // How many folder levels below the first are descended (-1: no limit).
    void SetFolderDepthLimit(int limit) { m_folderDepthLimit = limit; }

    // Copies a file or folder into a file or folder; never throws. On failure
    // the last-error fields hold the reason.
    bool SafeCopy(const std::string& source, const std::string& destination);

    // Copies what the search `source` finds (a folder path, or "folder/*.*")
    // into `destination`, which must end with "/". Throws CFExeption.
    void CopyFolderTree(const std::string& source, const std::string& destination);
    // Copies one file according to the mode. Throws CFExeption.
    void CopyOneFile(const std::string& source, const std::string& destination);

    const std::string& LastErrorText() const { return m_lastErrorText; }
    int LastErrorCode() const { return m_lastErrorCode; }

    static PathKind KindOf(const std::string& path, int* errorCode = nullptr);

private:
    void CopyDispatch(const std::string& source, const std::string& destination);
    void CopyFolderIntoFolder(std::string source, std::string destination);

    std::string m_lastErrorText = "No error";
    int m_lastErrorCode = 0;
    bool m_overwrite = false;
    int m_folderDepthLimit = -1;
    // The folder a folder copy creates, never descended into, so a copy of a
    // folder into itself does not copy its own copy.
    std::string m_copyRoot;
};

// The next "Copy of" name: pic.gif -> Copy of pic.gif -> Copy (1) of pic.gif
// -> Copy (2) of pic.gif ...
std::string MakeCopyName(const std::string& path);

// True when both paths name regular files with the same bytes.
bool SameFileContent(const std::string& a, const std::string& b);
