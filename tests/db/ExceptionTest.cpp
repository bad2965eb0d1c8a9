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

TEST(CppSQLite3Exception, CodeNames) {
    const std::pair<int, const char*> names[] = {
        {0, "SQLITE_OK"},         {1, "SQLITE_ERROR"},     {2, "SQLITE_INTERNAL"},  {3, "SQLITE_PERM"},
        {4, "SQLITE_ABORT"},      {5, "SQLITE_BUSY"},      {6, "SQLITE_LOCKED"},    {7, "SQLITE_NOMEM"},
        {8, "SQLITE_READONLY"},   {9, "SQLITE_INTERRUPT"}, {10, "SQLITE_IOERR"},    {11, "SQLITE_CORRUPT"},
        {12, "SQLITE_NOTFOUND"},  {13, "SQLITE_FULL"},     {14, "SQLITE_CANTOPEN"}, {15, "SQLITE_PROTOCOL"},
        {16, "SQLITE_EMPTY"},     {17, "SQLITE_SCHEMA"},   {18, "SQLITE_TOOBIG"},   {19, "SQLITE_CONSTRAINT"},
        {20, "SQLITE_MISMATCH"},  {21, "SQLITE_MISUSE"},   {22, "SQLITE_NOLFS"},    {23, "SQLITE_AUTH"},
        {24, "SQLITE_FORMAT"},    {25, "SQLITE_RANGE"},    {100, "SQLITE_ROW"},     {101, "SQLITE_DONE"},
        {1000, "CPPSQLITE_ERROR"},
    };
    for (const auto& [code, name] : names) {
        EXPECT_STREQ(CppSQLite3Exception::CodeName(code), name) << code;
    }
    for (int code : {-1, 26, 99, 102, 999, 1001, 266}) {
        EXPECT_STREQ(CppSQLite3Exception::CodeName(code), "UNKNOWN_ERROR") << code;
    }
    EXPECT_STREQ(CppSQLite3Exception(42, "x").Message(), "UNKNOWN_ERROR[42]: x");
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
