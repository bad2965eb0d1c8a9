// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fixture over a words database in a scratch folder (or in `dataFolder`,
// set before SetUp) that has every delivered table and no rows: each test
// adds only what it looks at.
#include "ScratchFolder.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"

#include <gtest/gtest.h>

#include <string>

class EmptyWordsDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        SqlDatabase db;
        db.Open(DatabasePath());
        db.Execute("BEGIN");
        for (const auto& table : wordsdb::DeliveredTables()) db.Execute(table.createStatement);
        db.Execute("COMMIT");
    }

    std::string DatabasePath() const { return wordsdb::DatabasePath(dataFolder); }

    void Sql(const std::string& statement) {
        SqlDatabase db;
        db.Open(DatabasePath());
        db.Execute(statement);
    }

    // The first field of the first row; "(none)" for no row or NULL.
    std::string First(const std::string& statement) {
        SqlDatabase db;
        db.Open(DatabasePath());
        SqlQuery q = db.Query(statement);
        return q.IsEof() || q.FieldText(0) == nullptr ? "(none)" : q.FieldText(0);
    }

    ScratchFolder scratch;
    std::string dataFolder = scratch.path();
};
