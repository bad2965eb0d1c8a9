// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "TestFiles.h"

// What the real program (TARVEX4_EXE) did: its exit status, stdout, stderr.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// `text` as one shell word (the tests' paths hold no single quote).
inline std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// Runs `prefix tarvex4 arguments` through the shell, `arguments` already
// quoted; `prefix` may set limits ("ulimit -f 8;"). Its stderr goes through a
// file in `work`. No page is handed to a browser, and leaks are not reported
// (the tests check the program's answers, the sanitizers its memory).
inline ProgramRun RunTarvex4(const std::string& arguments, const std::filesystem::path& work,
                             const std::string& prefix = "") {
    static int serial = 0;
    const std::filesystem::path err = work / ("stderr-" + std::to_string(serial++) + ".txt");
    const std::string command = prefix + " TARVEX4_NO_OPEN=1 ASAN_OPTIONS=detect_leaks=0 exec " + Quoted(TARVEX4_EXE) +
                                " " + arguments + " 2>" + Quoted(err.string());
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(err);
    std::error_code ignored;
    std::filesystem::remove(err, ignored);
    return run;
}
