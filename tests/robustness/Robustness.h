#pragma once
// Helpers of the robustness tests: data folders with a complete or broken
// words database, files, and the real program run with a shell command line.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "ScratchFolder.h"
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "TestFiles.h"

namespace robust {

namespace fs = std::filesystem;

// A words database with every table the program reads, one picture in
// category 1 and the output folder `outputFolder`.
inline void CreateWordsDatabase(const std::string& dataFolder, const std::string& outputFolder = "/stored/") {
    fs::create_directories(dataFolder);
    SqlDatabase db;
    db.Open(wordsdb::DatabasePath(dataFolder));
    db.Execute("BEGIN");
    for (const auto& table : wordsdb::DeliveredTables()) db.Execute(table.createStatement);
    db.Execute(wordsdb::InsertOutputFolder(outputFolder));
    db.Execute(wordsdb::InsertSelectionList("1"));
    db.Execute(wordsdb::InsertCategory("one"));
    db.Execute("COMMIT");
}

inline void AddPicture(const std::string& dataFolder, const std::string& name, const std::string& bytes) {
    SqlDatabase db;
    db.Open(wordsdb::DatabasePath(dataFolder));
    SqlBlob blob;
    blob.SetBytes(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    db.Execute(wordsdb::InsertImage("1", name, "40", "30", blob.Encoded()));
}

// The art fonts a page needs, so GO does not try to copy them.
inline void AddArtFonts(const std::string& dataFolder) {
    WriteFile(fs::path(dataFolder) / "artfonts/wz_dragdrop.js", "// drag");
    WriteFile(fs::path(dataFolder) / "artfonts/canvas.js", "// canvas");
    for (const char* set : {"stampkit", "ransomnote", "lcd", "metal"}) {
        WriteFile(fs::path(dataFolder) / "artfonts" / set / "a.gif", "GIF89a");
    }
}

// Names in `folder` (not recursive), sorted.
inline std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// `prefix tarvex4 arguments` through the shell (arguments already quoted);
// `prefix` may set limits ("ulimit -f 8;").
inline ProgramRun Tarvex4(const std::string& arguments, const fs::path& work, const std::string& prefix = "") {
    return RunTarvex4(arguments, work, prefix);
}

}  // namespace robust
