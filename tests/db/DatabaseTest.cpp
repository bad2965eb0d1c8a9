// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "ScratchFolder.h"
#include "db/CppSQLite3Exception.h"
#include "db/SqlDatabase.h"

namespace {

class SqlDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.Open(path);
        db.Execute("CREATE TABLE t (ID integer primary key, WORD text, N integer)");
        db.Execute("INSERT INTO t (WORD, N) VALUES ('alpha', 7), (NULL, NULL)");
    }

    // The message of what `action` throws.
    template <typename Action>
    static std::string MessageOf(Action action) {
        try {
            action();
        } catch (const CppSQLite3Exception& e) {
            return e.Message();
        }
        return "(nothing thrown)";
    }

    ScratchFolder folder;
    std::string path = folder / "test.db";
    SqlDatabase db;
};

}  // namespace

TEST_F(SqlDatabaseTest, ExecuteReturnsChangedRowsAndReportsSqliteText) {
    EXPECT_EQ(db.Execute("UPDATE t SET N = 1"), 2);
    EXPECT_EQ(db.Execute("DELETE FROM t WHERE ID = 99"), 0);
    EXPECT_EQ(MessageOf([&] { db.Execute("INSERT INTO missing VALUES (1)"); }),
              "SQLITE_ERROR[1]: no such table: missing");
}

TEST_F(SqlDatabaseTest, QueryWalksRowsAndEndsAtEof) {
    SqlQuery q = db.Query("SELECT WORD, N FROM t ORDER BY ID");
    ASSERT_FALSE(q.IsEof());
    EXPECT_EQ(q.FieldCount(), 2);
    EXPECT_STREQ(q.FieldText(0), "alpha");
    EXPECT_EQ(q.FieldInt(1, -1), 7);
    q.NextRow();
    ASSERT_FALSE(q.IsEof());
    EXPECT_EQ(q.FieldText(0), nullptr);
    EXPECT_EQ(q.FieldType(0), SqlQuery::kNullType);
    EXPECT_EQ(q.FieldInt(1, -1), -1);
    q.NextRow();
    EXPECT_TRUE(q.IsEof());
    q.NextRow();  // stays at the end rather than starting over
    EXPECT_TRUE(q.IsEof());

    EXPECT_TRUE(db.Query("SELECT WORD FROM t WHERE ID = 0").IsEof());
    db.Execute("DELETE FROM t");
    EXPECT_EQ(db.Query("SELECT MAX(ID) FROM t").FieldInt(0, 0), 0);
}

TEST_F(SqlDatabaseTest, FieldAccessChecksIndexAndName) {
    SqlQuery q = db.Query("SELECT ID, WORD AS Word FROM t");
    EXPECT_EQ(MessageOf([&] { q.FieldText(2); }), "CPPSQLITE_ERROR[1000]: Invalid field index requested");
    EXPECT_EQ(MessageOf([&] { q.FieldType(-1); }), "CPPSQLITE_ERROR[1000]: Invalid field index requested");
    EXPECT_EQ(MessageOf([&] { q.FieldInt(5); }), "CPPSQLITE_ERROR[1000]: Invalid field index requested");
    EXPECT_EQ(q.FieldIndex("Word"), 1);
    EXPECT_STREQ(q.FieldTextByName("Word"), "alpha");
    // Names match exactly, case included.
    EXPECT_EQ(MessageOf([&] { q.FieldIndex("WORD"); }), "CPPSQLITE_ERROR[1000]: Invalid field name requested");
    EXPECT_EQ(MessageOf([&] { q.FieldIndex(""); }), "CPPSQLITE_ERROR[1000]: Invalid field name requested");
}

TEST_F(SqlDatabaseTest, FailedPrepareHasEmptyDetail) {
    EXPECT_EQ(MessageOf([&] { db.Query("SELECT WORD FROM missing"); }), "SQLITE_ERROR[1]: ");
    EXPECT_EQ(MessageOf([&] { db.Query("SELEKT 1"); }), "SQLITE_ERROR[1]: ");
    EXPECT_NE(MessageOf([&] { db.Query("   "); }), "(nothing thrown)");
}

TEST_F(SqlDatabaseTest, FailedStepThrowsAndFinalises) {
    db.Execute("CREATE TABLE u (ID integer primary key, V text NOT NULL)");
    // The error comes from the first step, not the prepare.
    EXPECT_EQ(MessageOf([&] { db.Query("INSERT INTO u (V) VALUES (NULL) RETURNING ID"); }),
              "SQLITE_CONSTRAINT[19]: NOT NULL constraint failed: u.V");
    // The connection is still usable afterwards.
    EXPECT_FALSE(db.Query("SELECT 1").IsEof());
}

TEST_F(SqlDatabaseTest, ClosedObjectsThrowLayerErrors) {
    SqlQuery empty;
    EXPECT_EQ(MessageOf([&] { empty.IsEof(); }), "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");
    EXPECT_EQ(MessageOf([&] { empty.NextRow(); }), "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");

    SqlQuery q = db.Query("SELECT WORD FROM t");
    q.Finalize();
    EXPECT_EQ(MessageOf([&] { q.FieldText(0); }), "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");
    q.Finalize();  // twice is harmless

    db.Close();
    db.Close();
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(MessageOf([&] { db.Execute("SELECT 1"); }), "CPPSQLITE_ERROR[1000]: Database not open");
    EXPECT_EQ(MessageOf([&] { db.Query("SELECT 1"); }), "CPPSQLITE_ERROR[1000]: Database not open");
}

TEST_F(SqlDatabaseTest, OpenFailureNamesTheCode) {
    SqlDatabase other;
    EXPECT_EQ(MessageOf([&] { other.Open(folder / "no/such/folder/x.db"); }),
              "SQLITE_CANTOPEN[14]: unable to open database file");
    EXPECT_FALSE(other.IsOpen());
}

TEST_F(SqlDatabaseTest, MovesKeepOneOwner) {
    SqlQuery first = db.Query("SELECT WORD FROM t ORDER BY ID");
    SqlQuery second = std::move(first);
    EXPECT_EQ(MessageOf([&] { first.IsEof(); }), "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");
    EXPECT_STREQ(second.FieldText(0), "alpha");
    second = db.Query("SELECT N FROM t ORDER BY ID");
    EXPECT_EQ(second.FieldInt(0), 7);

    SqlDatabase moved(std::move(db));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(moved.Execute("UPDATE t SET N = 2"), 2);
}

TEST_F(SqlDatabaseTest, QueryOutlivingItsConnectionStaysValid) {
    SqlQuery q = db.Query("SELECT WORD FROM t ORDER BY ID");
    db.Close();
    EXPECT_STREQ(q.FieldText(0), "alpha");
    q.NextRow();
    q.NextRow();
    EXPECT_TRUE(q.IsEof());
}

TEST_F(SqlDatabaseTest, ReopenUsesTheNewFile) {
    db.Open(folder / "second.db");
    EXPECT_EQ(MessageOf([&] { db.Execute("DELETE FROM t"); }), "SQLITE_ERROR[1]: no such table: t");
}

TEST_F(SqlDatabaseTest, LockedFileFailsWithBusyAfterTheTimeout) {
    EXPECT_EQ(db.BusyTimeout(), 60000);
    SqlDatabase holder;
    holder.Open(path);
    holder.Execute("BEGIN EXCLUSIVE");

    db.SetBusyTimeout(150);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MessageOf([&] { db.Execute("INSERT INTO t (WORD) VALUES ('b')"); }),
              "SQLITE_BUSY[5]: database is locked");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(MessageOf([&] { db.Query("SELECT WORD FROM t"); }), "SQLITE_BUSY[5]: database is locked");

    // A time-out set before opening applies to the new connection.
    SqlDatabase late;
    late.SetBusyTimeout(120);
    late.Open(path);
    const auto lateStart = std::chrono::steady_clock::now();
    EXPECT_EQ(MessageOf([&] { late.Execute("DELETE FROM t"); }), "SQLITE_BUSY[5]: database is locked");
    EXPECT_GE(std::chrono::steady_clock::now() - lateStart, std::chrono::milliseconds(80));

    holder.Execute("COMMIT");
    EXPECT_EQ(db.Execute("INSERT INTO t (WORD) VALUES ('b')"), 1);
}

TEST_F(SqlDatabaseTest, ScopedConnectionClosesOnEveryPath) {
    SqlDatabase form;
    {
        ScopedConnection connection(form, path);
        EXPECT_TRUE(form.IsOpen());
        EXPECT_EQ(form.Query("SELECT WORD FROM t").FieldText(0), std::string("alpha"));
    }
    EXPECT_FALSE(form.IsOpen());
    EXPECT_THROW(
        {
            ScopedConnection connection(form, path);
            form.Execute("UPDATE no_such_table SET N = 1");
        },
        CppSQLite3Exception);
    EXPECT_FALSE(form.IsOpen());
    // A file that cannot be opened leaves nothing open behind.
    EXPECT_THROW(ScopedConnection(form, folder / "no/such/dir/x.db"), CppSQLite3Exception);
    EXPECT_FALSE(form.IsOpen());
}
