// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A data folder with an empty words database (every delivered table, no
// rows) and a folder of files to import, in a scratch folder.
#include "ProgramRun.h"
#include "EmptyWordsDatabaseTest.h"
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace imagesfixture {

namespace fs = std::filesystem;

using Rows = std::vector<std::vector<std::string>>;

// A GIF header with the given logical screen size, padded to `size` bytes
// that end with the GIF trailer (the import refuses a GIF without one).
inline std::string GifBytes(int width, int height, std::size_t size = 32) {
    std::string bytes = "GIF89a";
    bytes += static_cast<char>(width & 0xFF);
    bytes += static_cast<char>(width >> 8);
    bytes += static_cast<char>(height & 0xFF);
    bytes += static_cast<char>(height >> 8);
    // Every byte value, so the stored text must really round-trip.
    for (std::size_t i = bytes.size(); i < size; ++i) bytes += static_cast<char>(i * 7 % 256);
    bytes.resize(size);
    bytes.back() = ';';
    return bytes;
}

class ImageLibraryTest : public EmptyWordsDatabaseTest {
protected:
    void SetUp() override {
        data = dataFolder = scratch / "data";
        pictures = scratch / "pictures";
        fs::create_directories(data);
        fs::create_directories(pictures);
        EmptyWordsDatabaseTest::SetUp();
    }

    Rows Select(const std::string& statement) {
        SqlDatabase db;
        db.Open(DatabasePath());
        Rows rows;
        for (SqlQuery q = db.Query(statement); !q.IsEof(); q.NextRow()) {
            std::vector<std::string> row;
            for (int i = 0; i < q.FieldCount(); ++i) row.emplace_back(q.FieldText(i) ? q.FieldText(i) : "(null)");
            rows.push_back(row);
        }
        return rows;
    }

    void AddCategories(const std::vector<std::string>& names) {
        for (const std::string& name : names) Sql(wordsdb::InsertCategory(name));
    }

    // The bytes stored for a library row, decoded.
    std::string StoredBytes(const std::string& fileName) {
        SqlDatabase db;
        db.Open(DatabasePath());
        SqlQuery q = db.Query("SELECT FILESTORE FROM imagelibrary WHERE FILENAME = " + wordsdb::Literal(fileName));
        if (q.IsEof()) return "(no row)";
        SqlBlob blob;
        blob.SetEncoded(q.FieldText(0));
        const unsigned char* bytes = blob.Bytes();
        return std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(blob.ByteCount()));
    }

    // Runs the real program with `arguments` (already quoted for the shell).
    ProgramRun Tarvex4(const std::string& arguments) { return RunTarvex4(arguments, scratch.path()); }

    std::string data;
    std::string pictures;
};

}  // namespace imagesfixture
