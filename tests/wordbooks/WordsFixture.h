// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small words database: every word class table full (its words name their
// table and ID), three authors, and wordbooks of words and phrases.
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "support/Random.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace wordstest {

inline void Fill(SqlDatabase& db, const std::string& table, const std::vector<std::string>& entries) {
    SqlStatement insert = db.Prepare(wordsdb::InsertBoundWord(table));
    for (const std::string& entry : entries) {
        insert.BindText(1, entry);
        insert.Execute();
    }
}

inline void AddWordbook(SqlDatabase& db, const std::string& book, const std::string& table,
                        const std::vector<std::string>& entries) {
    db.Execute(wordsdb::InsertWordbook(book, table));
    db.Execute(wordsdb::CreateWordTable(table));
    Fill(db, table, entries);
}

// Author samples: "Milton, John" rows 1..3 (STARTID 0), "Bierce, Ambrose"
// rows 4..5, and an author whose span is 0.
inline void BuildWordsDatabase(const std::string& path) {
    SqlDatabase db;
    db.Open(path);
    db.Execute("PRAGMA journal_mode=OFF");
    db.Execute("BEGIN");
    for (const auto& table : wordsdb::DeliveredTables()) db.Execute(table.createStatement);
    for (const auto& category : wordsdb::WordCategories()) {
        const std::string table = category.table;
        db.Execute("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
                   std::to_string(category.rowCount) + ") INSERT INTO " + table + " (ID,WORD) SELECT x, '" + table +
                   "_' || x FROM n");
    }
    const char* samples[] = {"paradise  lost", "sample two ", "third   sample", "devil one", "devil two"};
    for (int i = 0; i < 5; ++i)
        db.Execute("INSERT INTO authortext (ID,TEXTSAMPLE) VALUES(" + std::to_string(i + 1) + "," +
                   wordsdb::Literal(samples[i]) + ")");
    db.Execute("INSERT INTO authornames (AUNAME,STARTID,ENDID) VALUES('Milton, John',0,3)");
    db.Execute("INSERT INTO authornames (AUNAME,STARTID,ENDID) VALUES('Bierce, Ambrose',3,5)");
    db.Execute("INSERT INTO authornames (AUNAME,STARTID,ENDID) VALUES('Watts, Isaac',5,5)");
    db.Execute("INSERT INTO wordbooks (ID,BOOKNAME,TABLENAME) VALUES(1,'nonsensewords','nonsensewords1')");
    db.Execute(wordsdb::CreateWordTable("nonsensewords1"));
    Fill(db, "nonsensewords1", {"blorp", "zintle"});
    db.Execute("INSERT INTO wordbooks (ID,BOOKNAME,TABLENAME) VALUES(4,'velnarphrases','velnarphrases4')");
    db.Execute(wordsdb::CreateWordTable("velnarphrases4"));
    db.Execute(wordsdb::InsertOutputFolder(""));
    db.Execute("COMMIT");
}

// The words database built once per test program, copied into a scratch
// data folder per test.
inline const std::string& TemplateDatabase() {
    static ScratchFolder folder;
    static const std::string path = [] {
        const std::string p = folder / wordsdb::kFileName;
        BuildWordsDatabase(p);
        return p;
    }();
    return path;
}

class WordsTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::copy_file(TemplateDatabase(), DatabasePath()); }
    std::string DatabasePath() const { return wordsdb::DatabasePath(data.path()); }

    void Execute(const std::string& statement) {
        SqlDatabase db;
        db.Open(DatabasePath());
        db.Execute(statement);
    }
    std::vector<std::string> Column(const std::string& statement) {
        SqlDatabase db;
        db.Open(DatabasePath());
        std::vector<std::string> values;
        for (SqlQuery q = db.Query(statement); !q.IsEof(); q.NextRow())
            values.emplace_back(q.FieldText(0) ? q.FieldText(0) : "");
        return values;
    }
    std::vector<std::string> Entries(const std::string& table) {
        return Column("SELECT WORD FROM " + wordsdb::Identifier(table) + " ORDER BY ID");
    }
    void AddWordbook(const std::string& book, const std::string& table, const std::vector<std::string>& entries) {
        SqlDatabase db;
        db.Open(DatabasePath());
        wordstest::AddWordbook(db, book, table, entries);
    }
    std::string WriteFile(const std::string& name, const std::string& content) {
        const std::string path = data / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    ScratchFolder data;
};

// A seed whose first draw is 0.
inline std::uint32_t SeedDrawingZero() {
    for (std::uint32_t seed = 0;; ++seed) {
        rng::Seed(seed);
        if (rng::Next() == 0) return seed;
    }
}

inline std::vector<std::string> SplitSpaces(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string w; in >> w;) parts.push_back(w);
    return parts;
}

}  // namespace wordstest
