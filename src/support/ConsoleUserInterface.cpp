#include "support/ConsoleUserInterface.h"

#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

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
    char* argv[] = {program.data(), const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    } else {
        m_err << "Cannot start xdg-open to show " << path << '\n';
    }
}
