#pragma once
#include "support/ConsoleUserInterface.h"

#include <filesystem>

// The command line's user at a file chooser: the file named on the command
// line is the one chosen. Everything else is as on the console.
class FileArgumentUserInterface : public ConsoleUserInterface {
public:
    FileArgumentUserInterface(std::ostream& err, std::string path) : ConsoleUserInterface(err), m_path(std::move(path)) {}

    std::optional<FileChoice> ChooseOpenFile(const std::string&, const std::string&) override {
        return FileChoice{m_path, std::filesystem::path(m_path).filename().string()};
    }

private:
    std::string m_path;
};
