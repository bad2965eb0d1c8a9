// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ConsoleUserInterface.h"

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

std::string FileUrl(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string full = error ? path : absolute.string();
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : full) {
        const unsigned char b = static_cast<unsigned char>(c);
        const bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            url += c;
        } else {
            url += '%';
            url += kHex[b >> 4];
            url += kHex[b & 0x0F];
        }
    }
    return url;
}

MessageResult ConsoleUserInterface::ShowMessage(const std::string& text, const std::string& caption,
                                                MessageButtons buttons) {
    ++m_messages;
    m_err << caption << ": " << text << '\n';
    // Nobody can answer: the first button stands.
    return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel ? MessageResult::Ok
                                                                                : MessageResult::Yes;
}

void ConsoleUserInterface::OpenInBrowser(const std::string& path) {
    const char* noOpen = std::getenv("TARVEX4_NO_OPEN");
    if (!m_openPages || (noOpen && *noOpen && std::string(noOpen) != "0")) return;
    // xdg-open returns at once; the browser keeps running on its own.
    std::string program = "xdg-open";
    std::string url = FileUrl(path);
    char* argv[] = {program.data(), url.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    } else {
        m_err << "Cannot start xdg-open to show " << path << '\n';
    }
}
