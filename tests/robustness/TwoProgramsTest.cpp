// SPDX-License-Identifier: GPL-3.0-or-later
// Two programs on one data folder: a GO loop in one process while another
// writes a wordbook in long transactions. Every write must arrive and every
// page be complete; "database is locked" within the busy time-out is a fault.
#include <gtest/gtest.h>
#include <unistd.h>

#include "Robustness.h"
#include "db/CppSQLite3Exception.h"

using namespace robust;

namespace {

constexpr int kTransactions = 12;
constexpr int kRowsPerTransaction = 1500;

// The writer, in a child process: the same object layer and busy time-out
// the program uses. Exits 0 when every statement went through.
[[noreturn]] void WriteWordbook(const std::string& dataFolder) {
    int status = 0;
    try {
        SqlDatabase db(SqlDatabase::OpenMode::ExistingOnly);
        db.Open(wordsdb::DatabasePath(dataFolder));
        db.Execute(wordsdb::InsertWordbook("long", "longbook1"));
        db.Execute(wordsdb::CreateWordTable("longbook1"));
        for (int t = 0; t < kTransactions; ++t) {
            db.Execute("BEGIN");
            for (int r = 0; r < kRowsPerTransaction; ++r) {
                db.Execute(wordsdb::InsertWord("longbook1", "entry " + std::to_string(t) + "-" + std::to_string(r)));
            }
            // A reader in the middle of a picture read holds the commit back.
            db.Execute("COMMIT");
            // And a single write on its own, between the long ones.
            db.Execute(wordsdb::InsertCategory("category " + std::to_string(t)));
        }
    } catch (const CppSQLite3Exception& e) {
        std::fprintf(stderr, "writer: %s\n", e.Message());
        status = 1;
    }
    _exit(status);
}

int CountRows(const std::string& dataFolder, const std::string& statement) {
    SqlDatabase db;
    db.OpenExisting(wordsdb::DatabasePath(dataFolder));
    SqlQuery query = db.Query(statement);
    return query.FieldInt(0);
}

}  // namespace

TEST(TwoPrograms, GoLoopAndALongWriteShareTheDatabase) {
    ScratchFolder scratch;
    const std::string data = scratch / "data";
    CreateWordsDatabase(data);
    AddArtFonts(data);
    // Big pictures keep the reader busy inside its statements.
    for (int i = 0; i < 12; ++i) AddPicture(data, "pic" + std::to_string(i) + ".gif", std::string(200000, 'a' + i));

    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) WriteWordbook(data);

    int runs = 0;
    int writerStatus = -1;
    bool writerDone = false;
    // At least a few GO runs, and on until the writer has finished.
    while ((runs < 3 || !writerDone) && runs < 200) {
        const std::string out = scratch / ("out" + std::to_string(runs));
        ProgramRun go = Tarvex4("go --seed " + std::to_string(runs + 1) + " --image-volume 20 --data " + Quoted(data) +
                                    " --out " + Quoted(out),
                                scratch.path());
        ASSERT_EQ(go.status, 0) << "run " << runs << ": " << go.err;
        const std::string page = ReadFile(fs::path(out) / "collage1.html");
        ASSERT_GE(page.size(), 15u);
        EXPECT_EQ(page.substr(page.size() - 14), "</body></html>") << "run " << runs;
        EXPECT_NE(page.find("dpageimageitem19~"), std::string::npos) << "run " << runs;
        ++runs;
        if (!writerDone) {
            int status = 0;
            if (waitpid(writer, &status, WNOHANG) == writer) {
                writerDone = true;
                writerStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
        }
    }
    if (!writerDone) {
        int status = 0;
        waitpid(writer, &status, 0);
        writerStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    EXPECT_EQ(writerStatus, 0);
    EXPECT_EQ(CountRows(data, "SELECT COUNT(*) FROM longbook1"), kTransactions * kRowsPerTransaction);
    EXPECT_EQ(CountRows(data, "SELECT COUNT(*) FROM imagecategory"), 1 + kTransactions);
}
