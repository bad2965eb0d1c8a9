// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the letter pictures and the picture library as GIF files, or a
// contact sheet of what was built. Usage:
//   tarvex4_draw_pictures draw fonts=<fonts.txt> artfonts=<dir> library=<dir> manifest=<file>
//   tarvex4_draw_pictures sheet artfonts=<dir> db=<words6.db> out=<prefix>
#include "ContactSheet.h"
#include "LetterSets.h"
#include "LibraryPictures.h"
#include "Palette.h"
#include "Drawing.h"

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> ParseArguments(int argc, char** argv, std::initializer_list<const char*> needed) {
    std::map<std::string, std::string> args;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        const auto eq = a.find('=');
        if (eq == std::string::npos) throw std::runtime_error("argument without '=': " + a);
        args[a.substr(0, eq)] = a.substr(eq + 1);
    }
    for (const char* key : needed)
        if (!args.count(key)) throw std::runtime_error(std::string("missing argument ") + key + "=");
    return args;
}

void DrawAll(const std::map<std::string, std::string>& args) {
    const auto fonts = drawing::LoadFonts(args.at("fonts"));
    for (const auto& set : lettersets::Draw(fonts)) {
        const fs::path folder = fs::path(args.at("artfonts")) / set.folder;
        fs::create_directories(folder);
        for (const auto& [name, picture] : set.pictures) giffile::Write((folder / name).string(), ToIndexed(picture));
    }
    const fs::path library = args.at("library");
    fs::remove_all(library);
    std::string manifest;
    for (const auto& picture : librarypictures::Draw(fonts)) {
        const fs::path folder = library / picture.category;
        fs::create_directories(folder);
        const fs::path file = folder / picture.fileName;
        giffile::Write(file.string(), ToIndexed(picture.image));
        manifest += picture.category + "\t" + file.string() + "\n";
    }
    // written last: it stands for the whole run in the build
    std::ofstream(args.at("manifest"), std::ios::binary) << manifest;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "draw") {
            DrawAll(ParseArguments(argc, argv, {"fonts", "artfonts", "library", "manifest"}));
        } else if (mode == "sheet") {
            const auto args = ParseArguments(argc, argv, {"artfonts", "db", "out"});
            contactsheet::Write(args.at("artfonts"), args.at("db"), args.at("out"));
        } else {
            throw std::runtime_error("usage: draw ... | sheet ...");
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pictures: %s\n", e.what());
    }
    return 1;
}
