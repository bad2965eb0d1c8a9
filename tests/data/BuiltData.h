// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Access to the data laid out by the build in share/tarvex4.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/SqlDatabase.h"
#include "db/WordsDb.h"

namespace builtdata {

inline std::string Folder() { return TARVEX4_BUILD_DATA_DIR; }

// Skips a test of the built data in a tree configured without it.
#ifdef TARVEX4_DATA_NOT_BUILT
#define REQUIRE_BUILT_DATA() GTEST_SKIP() << "configured with TARVEX4_BUILD_DATA=OFF"
#else
#define REQUIRE_BUILT_DATA() (void)0
#endif

inline std::vector<std::vector<std::string>> Rows(SqlDatabase& db, const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    for (SqlQuery q = db.Query(sql); !q.IsEof(); q.NextRow()) {
        std::vector<std::string> row;
        for (int i = 0; i < q.FieldCount(); ++i) row.push_back(q.FieldText(i) ? q.FieldText(i) : "");
        rows.push_back(std::move(row));
    }
    return rows;
}

inline long Number(SqlDatabase& db, const std::string& sql) {
    SqlQuery q = db.Query(sql);
    return q.IsEof() ? -1 : q.FieldInt(0, -1);
}

class DeliveredWordsDb : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_BUILT_DATA();
        db.Open(wordsdb::DatabasePath(Folder()));
    }
    SqlDatabase db;
};

}  // namespace builtdata
