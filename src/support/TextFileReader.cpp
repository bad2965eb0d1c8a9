// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TextFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <algorithm>

namespace {

// `end`, or the start of a UTF-8 character that `end` would cut in two.
std::size_t CharacterBoundary(const std::string& text, std::size_t end) {
    std::size_t lead = end;
    while (lead > 0 && end - lead < 4 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead == 0) return end;
    const unsigned char first = static_cast<unsigned char>(text[lead - 1]);
    const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return lead - 1 + length > end ? lead - 1 : end;
}

const char* NotRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISFIFO(mode)) return "it is a pipe, not a regular file";
    if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
    return "it is a device, not a regular file";
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

// Appends up to `want` bytes; the count read, 0 at the end, -1 on an error.
ssize_t ReadSome(int fd, std::string& into, std::size_t want) {
    const std::size_t old = into.size();
    into.resize(old + want);
    ssize_t got = 0;
    do {
        got = ::read(fd, into.data() + old, want);
    } while (got < 0 && errno == EINTR);
    into.resize(old + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    return got;
}

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

int OpenRegularFile(const std::string& path, std::string& why) {
    // Looked at before it is opened: opening a device can already do something.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        why = NotRegularReason(info.st_mode);
        return -1;
    }
    // Not blocking, so that a pipe put there since is not waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = NotRegularReason(info.st_mode);
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

WholeFile ReadRegularFile(const std::string& path, std::size_t limit, std::string& bytes, std::string& why) {
    bytes.clear();
    const Descriptor fd(OpenRegularFile(path, why));
    if (fd.Get() < 0) return WholeFile::kCannotRead;
    for (;;) {
        // One byte past the limit tells a file of exactly the limit from a longer one.
        const std::size_t want = std::min(kChunk, limit + 1 - bytes.size());
        const ssize_t got = ReadSome(fd.Get(), bytes, want);
        if (got < 0) {
            why = std::strerror(errno);
            return WholeFile::kCannotRead;
        }
        if (bytes.size() > limit) {
            bytes.clear();
            return WholeFile::kTooLarge;
        }
        if (got == 0) return WholeFile::kRead;
    }
}

TextFileStart ReadTextFileStart(const std::string& path, int maxLines, std::size_t byteLimit) {
    TextFileStart start;
    std::string why;
    const Descriptor fd(OpenRegularFile(path, why));
    if (fd.Get() < 0) {
        start.problem = why == "it is a folder"       ? path + " is a folder, not a text file."
                        : why.rfind("it is ", 0) == 0 ? path + " is not a text file: " + why + "."
                                                      : path + " cannot be opened: " + why + ".";
        return start;
    }
    std::string& text = start.text;
    int lines = 0;
    std::size_t scanned = 0;
    bool ended = false;
    while (lines < maxLines && text.size() < byteLimit && !ended) {
        const ssize_t got = ReadSome(fd.Get(), text, std::min(kChunk, byteLimit - text.size()));
        if (got < 0) {
            start.problem = path + " cannot be read.";
            return start;
        }
        ended = got == 0;
        for (; scanned < text.size(); ++scanned) {
            if (text[scanned] == '\n' && ++lines == maxLines) {
                text.resize(scanned + 1);
                break;
            }
        }
    }
    if (text.find('\0') != std::string::npos) {
        start.problem = path + " is not a text file: it holds binary data.";
        return start;
    }
    std::string next;
    if (lines < maxLines && text.size() >= byteLimit && !ended && ReadSome(fd.Get(), next, 1) > 0) {
        text.resize(CharacterBoundary(text, text.size()));
        start.notice = "Only the first " + std::to_string(byteLimit >> 20) + " MB of " + path + " were read.";
    }
    start.ok = true;
    return start;
}
