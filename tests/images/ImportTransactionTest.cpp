// SPDX-License-Identifier: GPL-3.0-or-later
// Batches of INSERTs: what a failure in the middle keeps.
#include "ImageLibraryFixture.h"

#include "images/ImportTransaction.h"

using namespace imagesfixture;

namespace {

class ImportTransactionTest : public ImageLibraryTest {
protected:
    void SetUp() override {
        ImageLibraryTest::SetUp();
        db.Open(DatabasePath());
        // Ends the whole transaction, as a full disk or an I/O error would.
        db.Execute(
            "CREATE TRIGGER undo BEFORE INSERT ON imagelibrary WHEN NEW.FILENAME LIKE 'undo%' "
            "BEGIN SELECT RAISE(ROLLBACK, 'undone'); END");
    }

    static std::string Insert(const std::string& name) { return wordsdb::InsertImage("1", name, "1", "1", "x"); }

    // Adds row `row` named `name` as one of the batch-size units.
    void Add(ImportTransaction& transaction, const std::string& name, std::size_t row) {
        transaction.Add(row, 1, [&] { db.Execute(Insert(name)); });
    }

    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const auto& row : Select("SELECT FILENAME FROM imagelibrary ORDER BY FILENAME")) names.push_back(row[0]);
        return names;
    }

    SqlDatabase db;
    std::vector<std::string> rows;
    int rebuilt = 0;
    ImportTransaction::Rewrite rebuild = [this](std::size_t row) {
        ++rebuilt;
        if (rows[row].empty()) return false;
        db.Execute(Insert(rows[row]));
        return true;
    };
};

TEST_F(ImportTransactionTest, RowsBeforeAnUndoneTransactionAreWrittenAgain) {
    rows = {"a", "b", "undo", "c", "d"};
    // Batches of about two statements, so a commit lies between the rows.
    ImportTransaction transaction(db, rebuild, 2);
    Add(transaction, "a", 0);
    Add(transaction, "b", 1);  // committed with a
    Add(transaction, "c", 3);
    EXPECT_THROW(Add(transaction, "undo", 2), CppSQLite3Exception);
    Add(transaction, "d", 4);
    transaction.Commit();
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(rebuilt, 1);  // c only: a and b were already committed
    EXPECT_EQ(transaction.Lost(), 0);
}

TEST_F(ImportTransactionTest, ARowThatCannotBeRebuiltIsCountedLost) {
    rows = {"a", ""};
    ImportTransaction transaction(db, rebuild);
    Add(transaction, "a", 0);
    Add(transaction, "gone", 1);
    EXPECT_THROW(Add(transaction, "undo", 2), CppSQLite3Exception);
    EXPECT_EQ(transaction.Lost(), 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a"}));
}

TEST_F(ImportTransactionTest, PendingRowsAreCommittedWhenTheObjectGoes) {
    rows = {"a"};
    {
        ImportTransaction transaction(db, rebuild);
        Add(transaction, "a", 0);
    }
    SqlDatabase other;
    other.Open(DatabasePath());
    EXPECT_EQ(other.Query("SELECT COUNT(*) FROM imagelibrary").FieldInt(0), 1);
    // Nothing is left open: another connection can write.
    EXPECT_NO_THROW(other.Execute(Insert("b")));
}

}  // namespace
