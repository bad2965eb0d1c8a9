// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SafeFile.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

std::string Reason(int code) { return code ? std::strerror(code) : "unknown error"; }

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A name beside `path` that no other writer (thread or process) picks.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = FolderOf(path);
    const std::string name = path.substr(folder.size());
    return folder + "." + name + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

// A new temporary file beside `path`, its name in `temporary`, open for
// writing with 0666 less the umask, as a file made in place would get; -1
// (errno set) when none can be made.
int OpenTemporary(const std::string& path, std::string& temporary) {
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporaryName(path);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// What a file is made to hold: bytes in memory, or what an open regular file
// holds, copied a piece at a time so that a large file is never held whole.
struct Source {
    std::string_view bytes;
    int from = -1;
    mutable int readError = 0;  // why `from` could not be read
};

bool WriteAll(int fd, const Source& source) {
    if (source.from < 0) return WriteAll(fd, source.bytes);
    char buffer[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(source.from, buffer, sizeof buffer, at);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            source.readError = errno;
            return false;
        }
        if (got == 0) return true;
        if (!WriteAll(fd, std::string_view(buffer, static_cast<std::size_t>(got)))) return false;
        at += got;
    }
}

// What a path like /dev/stdout, /dev/fd/3 or /proc/self/fd/1 names: an open
// descriptor (its links lead through a /proc/<process>/fd folder), and when
// it is one of this process, its number.
struct NamedDescriptor {
    bool any = false;
    int own = -1;
};

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "/proc/<pid>/fd" or "/proc/<pid>/task/<tid>/fd": the process, or -1.
long DescriptorFolderProcess(const std::string& folder) {
    if (folder.rfind("/proc/", 0) != 0 || folder.size() < 9 || folder.compare(folder.size() - 3, 3, "/fd") != 0)
        return -1;
    const std::string process = folder.substr(6, folder.find('/', 6) - 6);
    return AllDigits(process) ? std::atol(process.c_str()) : -1;
}

NamedDescriptor DescriptorNamedBy(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        const std::string folder = FolderOf(path);
        char real[PATH_MAX];
        if (::realpath(folder.empty() ? "." : folder.c_str(), real)) {
            const long process = DescriptorFolderProcess(real);
            if (process >= 0) {
                const std::string number = path.substr(folder.size());
                const bool own = process == static_cast<long>(::getpid()) && AllDigits(number) && number.size() < 9;
                return {true, own ? std::atoi(number.c_str()) : -1};
            }
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), link, sizeof link - 1);
        if (length <= 0) return {};
        const std::string target(link, static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : folder + target;
    }
    return {};
}

bool OpenForWriting(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ((flags & O_ACCMODE) == O_WRONLY || (flags & O_ACCMODE) == O_RDWR);
}

// A pipe whose reader has gone gives EPIPE, and the signal that would end
// the program is held back and dropped.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_before);
    }
    ~PipeSignalHeld() {
        if (!m_wasPending) {
            const timespec now{};
            while (sigtimedwait(&m_pipe, nullptr, &now) == SIGPIPE) {}
        }
        pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    sigset_t m_pipe{};
    sigset_t m_before{};
    bool m_wasPending = false;
};

// The bytes go to `fd` as they are; a block device or a file holds them
// only once synced, a pipe or a terminal has nothing to sync (EINVAL).
int WriteToDescriptor(int fd, const Source& bytes) {
    struct stat opened {};
    if (::fstat(fd, &opened) != 0) return errno;
    int code = 0;
    {
        const PipeSignalHeld held;
        if (!WriteAll(fd, bytes)) code = errno;
    }
    if (!code && (S_ISBLK(opened.st_mode) || S_ISREG(opened.st_mode)) && ::fdatasync(fd) != 0 && errno != EINVAL &&
        errno != EROFS)
        code = errno;
    return code;
}

// A file that is not replaced but written where it is: a device, a named
// pipe, or a file behind another process's descriptor. Its reader (or the
// device) gets the bytes; the node stays what it was.
bool WriteInPlace(const std::string& path, const Source& bytes, bool append, std::string& problem) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (append ? O_APPEND : 0));
    if (fd < 0) {
        problem = "Cannot write the file " + path + ": " + Reason(errno);
        return false;
    }
    int code = WriteToDescriptor(fd, bytes);
    if (::close(fd) != 0 && !code && errno != EINTR) code = errno;
    if (code) problem = "Cannot write the file " + path + ": " + Reason(code);
    return !code;
}

// One of this process's own descriptors is written through, so that the
// bytes land where its other output goes, in order.
bool WriteThrough(int fd, const std::string& path, const Source& bytes, std::string& problem) {
    if (fd == STDOUT_FILENO) std::fflush(stdout);
    if (fd == STDERR_FILENO) std::fflush(stderr);
    const int code = WriteToDescriptor(fd, bytes);
    if (code) problem = "Cannot write the file " + path + ": " + Reason(code);
    return !code;
}

// Whole or not at all: a temporary file, synced, renamed over the target.
bool WriteByRename(const std::string& requested, const std::string& path, const Source& bytes, std::string& problem) {
    std::string temporary;
    int fd = OpenTemporary(path, temporary);
    if (fd < 0) {
        problem = "Cannot write the file " + requested + ": " + Reason(errno);
        return false;
    }
    // A file that was there keeps who may read it.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) ::fchmod(fd, existing.st_mode & 07777);
    bool ok = WriteAll(fd, bytes);
    // On the disk before the rename, so a crash leaves the old file or the new one.
    if (ok && ::fdatasync(fd) != 0 && errno != EINVAL) ok = false;
    int code = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    // The target may have become something else meanwhile; that is never replaced.
    struct stat now {};
    if (ok && ::stat(path.c_str(), &now) == 0 && !S_ISREG(now.st_mode)) {
        ok = false;
        code = S_ISDIR(now.st_mode) ? EISDIR : EEXIST;
    }
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        problem = "Cannot write the file " + requested + ": " + Reason(code);
    }
    return ok;
}

}  // namespace

// A link is followed, so the file it names is replaced and the link stays.
std::string ReplacedFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

namespace {

bool WriteReplacing(const std::string& requested, const Source& bytes, std::string& problem) {
    struct stat target {};
    if (::stat(requested.c_str(), &target) != 0)
        return WriteByRename(requested, ReplacedFile(requested), bytes, problem);
    const NamedDescriptor descriptor = DescriptorNamedBy(requested);
    if (descriptor.own >= 0 && OpenForWriting(descriptor.own))
        return WriteThrough(descriptor.own, requested, bytes, problem);
    if (S_ISDIR(target.st_mode)) {
        problem = "Cannot write the file " + requested + ": it is a folder";
        return false;
    }
    if (S_ISSOCK(target.st_mode)) {
        problem = "Cannot write the file " + requested + ": it is a socket, which cannot be opened as a file";
        return false;
    }
    if (!S_ISREG(target.st_mode)) return WriteInPlace(requested, bytes, false, problem);
    // A file another program opened for us keeps what was written to it before.
    if (descriptor.any) return WriteInPlace(requested, bytes, true, problem);
    return WriteByRename(requested, ReplacedFile(requested), bytes, problem);
}

}  // namespace

bool WriteFileReplacing(const std::string& requested, std::string_view bytes, std::string& problem) {
    return WriteReplacing(requested, Source{bytes}, problem);
}

bool CopyFileReplacing(const std::string& from, const std::string& to, std::string& problem) {
    // A named pipe or a device would be waited on, or read without end.
    const int fd = ::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = "Cannot read the file " + from + ": " + (fd < 0 ? Reason(errno) : "it is not a regular file");
        if (fd >= 0) ::close(fd);
        return false;
    }
    const Source source{{}, fd};
    const bool copied = WriteReplacing(to, source, problem);
    ::close(fd);
    if (source.readError) problem = "Cannot read the file " + from + ": " + Reason(source.readError);
    return copied;
}

bool MakeFolder(const std::string& folder, std::string& problem) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && std::filesystem::is_directory(folder, error)) return true;
    problem = "Cannot create the folder " + folder + ": " +
              (error ? error.message() : std::string("a file of that name is in the way"));
    return false;
}

bool FileHolds(const std::string& path, std::string_view bytes) {
    // Not blocking: a named pipe of that name is simply not the file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct stat held {};
    bool same =
        ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && static_cast<std::size_t>(held.st_size) == bytes.size();
    char buffer[65536];
    while (same && !bytes.empty()) {
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, bytes.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || std::memcmp(buffer, bytes.data(), static_cast<std::size_t>(got)) != 0) {
            same = false;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(got));
    }
    // The file may have grown since it was measured.
    if (same && ::read(fd, buffer, 1) != 0) same = false;
    ::close(fd);
    return same;
}

NewFile::NewFile(std::string folder, std::string_view bytes) : m_folder(std::move(folder)), m_bytes(bytes) {}

NewFile::~NewFile() {
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
}

bool NewFile::WriteTemporary(const std::string& path, std::string& problem) {
    if (!m_temporary.empty()) return true;
    std::string temporary;
    int fd = OpenTemporary(path, temporary);
    if (fd < 0) {
        problem = "Cannot write the file " + path + ": " + Reason(errno);
        return false;
    }
    // Synced once, whichever name it gets.
    bool ok = WriteAll(fd, m_bytes) && (::fdatasync(fd) == 0 || errno == EINVAL);
    int code = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        problem = "Cannot write the file " + path + ": " + Reason(code);
        return false;
    }
    m_temporary = temporary;
    return true;
}

// Where links cannot be made (some shared or FAT folders): the file is
// created exclusively and written in place.
NewFile::Naming NewFile::CreateExclusively(const std::string& path, std::string& problem) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) return Naming::kTaken;
    bool ok = fd >= 0 && WriteAll(fd, m_bytes) && (::fdatasync(fd) == 0 || errno == EINVAL);
    int code = ok ? 0 : errno;
    if (fd >= 0 && ::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok) return Naming::kNamed;
    if (fd >= 0) ::unlink(path.c_str());
    problem = "Cannot write the file " + path + ": " + Reason(code);
    return Naming::kFailed;
}

NewFile::Naming NewFile::Name(const std::string& name, std::string& problem) {
    const std::string path = m_folder + name;
    if (m_direct) return CreateExclusively(path, problem);
    if (!WriteTemporary(path, problem)) return Naming::kFailed;
    if (::link(m_temporary.c_str(), path.c_str()) == 0) return Naming::kNamed;
    if (errno == EEXIST) return Naming::kTaken;
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK) {
        problem = "Cannot write the file " + path + ": " + Reason(errno);
        return Naming::kFailed;
    }
    if (::renameat2(AT_FDCWD, m_temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
        m_temporary.clear();
        return Naming::kNamed;
    }
    if (errno == EEXIST) return Naming::kTaken;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        problem = "Cannot write the file " + path + ": " + Reason(errno);
        return Naming::kFailed;
    }
    ::unlink(m_temporary.c_str());
    m_temporary.clear();
    m_direct = true;
    return CreateExclusively(path, problem);
}
