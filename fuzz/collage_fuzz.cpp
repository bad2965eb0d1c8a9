// SPDX-License-Identifier: GPL-3.0-or-later
// Whole GO runs from arbitrary bytes: settings, the main text and four tracks
// loaded as Open loads them, through the composer into a page. The page must
// parse as the composer's own tags only, and list every item it holds.
#include "../tests/common/CollagePageCheck.h"
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

struct Folders {
    std::string data;
    std::string output;
};

std::string g_scratch;

void RemoveScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(g_scratch, ignored);
}

// A small data folder made once per fuzzing process: the tables, two
// pictures in category 1, and the art fonts so nothing is copied per run.
Folders MakeFolders() {
    char pattern[] = "/tmp/tarvex4-collage-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    g_scratch = pattern;
    std::atexit(RemoveScratch);
    Folders folders{std::string(pattern) + "/data", std::string(pattern) + "/out/"};
    std::filesystem::create_directories(folders.data);
    std::filesystem::create_directories(folders.output + "artfonts/stampkit");
    std::ofstream(folders.output + "artfonts/stampkit/a.gif") << "GIF89a";
    SqlDatabase db;
    db.Open(wordsdb::DatabasePath(folders.data));
    for (const auto& table : wordsdb::DeliveredTables()) db.Execute(table.createStatement);
    db.Execute(wordsdb::InsertSelectionList("1"));
    for (const char* name : {"one.gif", "it's <two>.gif"}) {
        const std::string bytes = std::string("GIF89a") + name;
        SqlBlob blob;
        blob.SetBytes(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
        db.Execute(wordsdb::InsertImage("1", name, "120", "80", blob.Encoded()));
    }
    return folders;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folders folders = MakeFolders();
    const std::string problem =
        collagecheck::RunOne(std::string_view(reinterpret_cast<const char*>(data), size), folders.data, folders.output);
    if (!problem.empty()) {
        std::fprintf(stderr, "page problem: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
