// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A data folder for a run without the delivered data: a words database with
// every table the program reads, pictures in its library, and the art fonts
// a page needs.
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "TestFiles.h"

#include <filesystem>
#include <string>

// The database stores `outputFolder` and selects category 1 ("one").
inline void CreateWordsDatabase(const std::string& dataFolder, const std::string& outputFolder = "/stored/") {
    std::filesystem::create_directories(dataFolder);
    SqlDatabase db;
    db.Open(wordsdb::DatabasePath(dataFolder));
    db.Execute("BEGIN");
    for (const auto& table : wordsdb::DeliveredTables()) db.Execute(table.createStatement);
    db.Execute(wordsdb::InsertOutputFolder(outputFolder));
    db.Execute(wordsdb::InsertSelectionList("1"));
    db.Execute(wordsdb::InsertCategory("one"));
    db.Execute("COMMIT");
}

inline void AddPicture(const std::string& dataFolder, const std::string& name, const std::string& bytes, int width = 40,
                       int height = 30, const std::string& category = "1") {
    SqlDatabase db;
    db.Open(wordsdb::DatabasePath(dataFolder));
    SqlBlob blob;
    blob.SetBytes(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    db.Execute(wordsdb::InsertImage(category, name, std::to_string(width), std::to_string(height), blob.Encoded()));
}

// The page scripts and an "a" and a space of every letter set, so that GO
// has no need of the delivered ones.
inline void AddArtFonts(const std::string& dataFolder) {
    const std::filesystem::path fonts = std::filesystem::path(dataFolder) / "artfonts";
    WriteFile(fonts / "wz_dragdrop.js", "// drag");
    WriteFile(fonts / "canvas.js", "// canvas");
    for (const char* set : {"stampkit", "ransomnote", "lcd", "metal"}) {
        WriteFile(fonts / set / "a.gif", "GIF89a");
        WriteFile(fonts / set / "space.gif", "GIF89a");
    }
}
