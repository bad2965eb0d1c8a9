#include "support/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Reason(int code) { return code ? std::strerror(code) : "unknown error"; }

// A name beside `path` that no other writer (thread or process) picks.
std::string TemporaryName(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

// A link is followed, so the file it names is replaced and the link stays.
std::string ReplacedFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

bool WriteFileReplacing(const std::string& requested, std::string_view bytes, std::string& problem) {
    const std::string path = ReplacedFile(requested);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporaryName(path);
        // 0666 less the umask, as a file made in place would get.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
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

bool CopyFileReplacing(const std::string& from, const std::string& to, std::string& problem) {
    std::ifstream in(from, std::ios::binary);
    std::ostringstream bytes;
    if (in) bytes << in.rdbuf();
    if (!in || in.bad()) {
        problem = "Cannot read the file " + from + ": " + Reason(errno);
        return false;
    }
    return WriteFileReplacing(to, bytes.str(), problem);
}

bool MakeFolder(const std::string& folder, std::string& problem) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && std::filesystem::is_directory(folder, error)) return true;
    problem = "Cannot create the folder " + folder + ": " +
              (error ? error.message() : std::string("a file of that name is in the way"));
    return false;
}
