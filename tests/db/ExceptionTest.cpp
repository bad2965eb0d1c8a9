// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <utility>

#include "db/CppSQLite3Exception.h"

TEST(CppSQLite3Exception, MessageIsNameCodeAndDetail) {
    const CppSQLite3Exception layer(1000, "Invalid field index requested");
    EXPECT_EQ(layer.Code(), 1000);
    EXPECT_STREQ(layer.Message(), "CPPSQLITE_ERROR[1000]: Invalid field index requested");
    EXPECT_STREQ(layer.what(), layer.Message());

    EXPECT_STREQ(CppSQLite3Exception(5, "database is locked").Message(), "SQLITE_BUSY[5]: database is locked");
    // No detail still ends with the colon and the space.
    EXPECT_STREQ(CppSQLite3Exception(1, nullptr).Message(), "SQLITE_ERROR[1]: ");
    EXPECT_STREQ(CppSQLite3Exception(1, "").Message(), "SQLITE_ERROR[1]: ");
}

TEST(CppSQLite3Exception, NamesOnlyKnownCodes) {
    EXPECT_STREQ(CppSQLite3Exception(19, "x").Message(), "SQLITE_CONSTRAINT[19]: x");
    EXPECT_STREQ(CppSQLite3Exception(101, "x").Message(), "SQLITE_DONE[101]: x");
    // Extended codes and gaps in the numbering are not named.
    for (int code : {-1, 26, 99, 102, 999, 1001, 266, 517}) {
        EXPECT_STREQ(CppSQLite3Exception::CodeName(code), "UNKNOWN_ERROR") << code;
    }
}

TEST(CppSQLite3Exception, ReleasesAnSqliteDetailAndCopiesSafely) {
    // An SQLite-allocated detail is released after formatting (ASan would
    // report a leak or double free otherwise).
    char* detail = sqlite3_mprintf("no such table: %s", "t");
    CppSQLite3Exception original(1, detail, true);
    EXPECT_STREQ(original.Message(), "SQLITE_ERROR[1]: no such table: t");

    CppSQLite3Exception copy(original);
    EXPECT_NE(copy.Message(), original.Message());  // its own text
    EXPECT_STREQ(copy.Message(), original.Message());

    CppSQLite3Exception assigned(2, "other");
    assigned = copy;
    EXPECT_EQ(assigned.Code(), 1);
    EXPECT_STREQ(assigned.Message(), original.Message());

    CppSQLite3Exception moved(std::move(copy));
    EXPECT_STREQ(moved.Message(), "SQLITE_ERROR[1]: no such table: t");
    EXPECT_STREQ(copy.Message(), "");  // moved-from stays usable
}

TEST(CppSQLite3Exception, ThrownByValueCaughtByReference) {
    try {
        throw CppSQLite3Exception(1000, "Database not open");
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "CPPSQLITE_ERROR[1000]: Database not open");
    }
}
