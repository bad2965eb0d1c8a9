// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandInput.h"

#include "support/HugePages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <new>

namespace cli {
namespace {

constexpr std::size_t kBlock = 1u << 20;

// Closes a descriptor we opened.
struct Descriptor {
    int fd;
    bool owned;
    ~Descriptor() {
        if (owned && fd >= 0) ::close(fd);
    }
};

// A buffer of at least `size` bytes, in huge pages where it is that large,
// so that filling it costs a few page faults instead of one per 4 KiB.
std::unique_ptr<char, FreeInputBuffer> AllocateBuffer(std::size_t size) {
    char* data = nullptr;
    if (size >= kHugePageSize) {
        const std::size_t rounded = (size + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
        data = static_cast<char*>(std::aligned_alloc(kHugePageSize, rounded));
        if (data != nullptr) PreferHugePages(data, rounded);
    } else {
        data = static_cast<char*>(std::malloc(size));
    }
    if (data == nullptr) throw std::bad_alloc();
    return std::unique_ptr<char, FreeInputBuffer>(data);
}

// Reads until the end; false on a read error (errno says which).
bool ReadToEnd(int fd, InputText& input, std::size_t capacity) {
    std::size_t used = 0;
    for (;;) {
        if (used == capacity) {
            // Grow: the size was unknown, or the file grew while we read.
            const std::size_t bigger = capacity * 2 + kBlock;
            auto grown = AllocateBuffer(bigger);
            if (used > 0) std::memcpy(grown.get(), input.data.get(), used);
            input.data = std::move(grown);
            capacity = bigger;
        }
        const ssize_t n = ::read(fd, input.data.get() + used, capacity - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    input.size = used;
    return true;
}

}  // namespace

void FreeInputBuffer::operator()(char* data) const { std::free(data); }

std::optional<InputText> ReadInput(const std::string& file, std::string& error) {
    const bool standardInput = file.empty() || file == "-";
    const std::string name = standardInput ? std::string("standard input") : file;
    Descriptor in{standardInput ? STDIN_FILENO : ::open(file.c_str(), O_RDONLY | O_CLOEXEC), !standardInput};
    if (in.fd < 0) {
        error = "cannot open " + name + ": " + std::strerror(errno);
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(in.fd, &info) != 0) {
        error = "cannot read " + name + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (S_ISDIR(info.st_mode)) {
        error = "cannot read " + name + ": it is a folder";
        return std::nullopt;
    }
    // One spare byte, so that a file of the expected size meets its end
    // without growing the buffer.
    const std::size_t expected =
        S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : kBlock;
    InputText input;
    try {
        input.data = AllocateBuffer(expected);  // not zero-filled: read() fills it
        if (!ReadToEnd(in.fd, input, expected)) {
            error = "cannot read " + name + ": " + std::strerror(errno);
            return std::nullopt;
        }
    } catch (const std::bad_alloc&) {
        error = "cannot read " + name + ": not enough memory";
        return std::nullopt;
    }
    return input;
}

bool WriteOutput(std::string_view text) {
    // Whatever the stream buffers first, then the text in one go.
    std::cout.flush();
    std::fflush(stdout);
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace cli
