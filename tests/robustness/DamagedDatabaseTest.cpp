// SPDX-License-Identifier: GPL-3.0-or-later
// A missing, empty, foreign or damaged words6.db: found, named, and replaced
// by the delivered copy only with the user's file kept beside it.
#include <gtest/gtest.h>

#include "Robustness.h"
#include "composer/WordsDbRepair.h"
#include "db/CppSQLite3Exception.h"
#include "db/WordsDbCheck.h"
#include "db/DataFolder.h"
#include "composer/OutputSettings.h"
#include "form/MainFormState.h"
#include "wordbooks/FillCommands.h"
#include "ScriptedUserInterface.h"

using namespace robust;

namespace {

// Overwrites `count` bytes at `offset` of `path`.
void Scribble(const std::string& path, std::streamoff offset, std::size_t count) {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(offset);
    const std::string junk(count, '\x5A');
    file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
}

// `count` pictures of `bytes` bytes, in one transaction.
void AddPictures(const std::string& dataFolder, int count, std::size_t bytes) {
    SqlDatabase db;
    db.Open(wordsdb::DatabasePath(dataFolder));
    db.Execute("BEGIN");
    const std::string content(bytes, 'g');
    SqlBlob blob;
    for (int i = 0; i < count; ++i) {
        blob.SetBytes(reinterpret_cast<const unsigned char*>(content.data()), static_cast<int>(content.size()));
        db.Execute(wordsdb::InsertImage("1", "p" + std::to_string(i) + ".gif", "40", "30", blob.Encoded()));
    }
    db.Execute("COMMIT");
}

std::string PrefixedWith(const std::string& folder, const std::string& prefix) {
    for (const std::string& name : Entries(folder)) {
        if (name.rfind(prefix, 0) == 0) return name;
    }
    return "";
}

class DamagedDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        CreateWordsDatabase(installed, "/delivered/");
        AddPicture(installed, "delivered.gif", "GIF89a-delivered");
        CreateWordsDatabase(user);
    }
    std::string UserDb() const { return wordsdb::DatabasePath(user); }
    std::string InstalledDb() const { return wordsdb::DatabasePath(installed); }

    ScratchFolder scratch;
    std::string installed = scratch / "share";
    std::string user = scratch / "user";
};

}  // namespace

TEST_F(DamagedDatabase, CheckNamesWhatIsWrongWithTheFile) {
    EXPECT_TRUE(wordsdb::CheckDatabase(UserDb()).ok());
    EXPECT_TRUE(wordsdb::CheckDatabase(UserDb(), true).ok());

    fs::remove(UserDb());
    EXPECT_EQ(wordsdb::CheckDatabase(UserDb()).state, wordsdb::Health::Missing);
    // Looking must not leave an empty file where the database was.
    EXPECT_FALSE(fs::exists(UserDb()));

    WriteFile(UserDb(), "");
    EXPECT_EQ(wordsdb::CheckDatabase(UserDb()).state, wordsdb::Health::Empty);

    WriteFile(UserDb(), std::string(8192, 'x'));
    const wordsdb::DatabaseHealth foreign = wordsdb::CheckDatabase(UserDb());
    EXPECT_EQ(foreign.state, wordsdb::Health::NotADatabase);
    EXPECT_NE(wordsdb::DescribeHealth(foreign, UserDb()).find(UserDb()), std::string::npos);

    fs::remove(UserDb());
    fs::create_directory(UserDb());
    EXPECT_EQ(wordsdb::CheckDatabase(UserDb()).state, wordsdb::Health::NotADatabase);
    fs::remove(UserDb());

    {
        SqlDatabase db;
        db.Open(UserDb());
        db.Execute("CREATE TABLE nouns (ID integer primary key,WORD text)");
    }
    const wordsdb::DatabaseHealth partial = wordsdb::CheckDatabase(UserDb());
    EXPECT_EQ(partial.state, wordsdb::Health::MissingTables);
    EXPECT_NE(partial.detail.find("imagelibrary"), std::string::npos);
    EXPECT_NE(partial.detail.find("pluralnouns"), std::string::npos);
    EXPECT_EQ(partial.detail.find(" nouns"), std::string::npos);
}

TEST_F(DamagedDatabase, CorruptPagesAreFoundByTheThoroughCheck) {
    AddPictures(user, 200, 3000);
    // Page 1 (the schema) stays whole; the picture pages become junk.
    Scribble(UserDb(), 4096 * 3, 4096 * 20);
    EXPECT_TRUE(wordsdb::CheckDatabase(UserDb()).ok()) << "the cheap check reads the schema only";
    const wordsdb::DatabaseHealth health = wordsdb::CheckDatabase(UserDb(), true);
    EXPECT_EQ(health.state, wordsdb::Health::Damaged);
    EXPECT_FALSE(health.detail.empty());

    // The schema page itself damaged: no statement can run.
    Scribble(UserDb(), 100, 3000);
    const wordsdb::DatabaseHealth schema = wordsdb::CheckDatabase(UserDb());
    EXPECT_TRUE(schema.state == wordsdb::Health::Damaged || schema.state == wordsdb::Health::NotADatabase)
        << wordsdb::DescribeHealth(schema, UserDb());
}

TEST_F(DamagedDatabase, OpeningForTheProgramNeverCreatesTheFile) {
    fs::remove(UserDb());
    SqlDatabase existing(SqlDatabase::OpenMode::ExistingOnly);
    try {
        existing.Open(UserDb());
        FAIL() << "opened a missing database";
    } catch (const CppSQLite3Exception& e) {
        EXPECT_EQ(e.Code(), 14);  // SQLITE_CANTOPEN
        EXPECT_EQ(e.File(), UserDb());
    }
    SqlDatabase plain;
    EXPECT_THROW(plain.OpenExisting(UserDb()), CppSQLite3Exception);
    EXPECT_FALSE(fs::exists(UserDb()));
}

TEST_F(DamagedDatabase, AFailedPrepareKeepsItsMessageAndTheUserSeesTheContext) {
    {
        SqlDatabase db;
        db.Open(UserDb());
        db.Execute("DROP TABLE imagelibrary");
    }
    SqlDatabase db;
    db.OpenExisting(UserDb());
    try {
        db.Query(wordsdb::SelectMaxImageId());
        FAIL() << "query on a missing table";
    } catch (const CppSQLite3Exception& e) {
        EXPECT_STREQ(e.Message(), "SQLITE_ERROR[1]: ");
        const std::string shown = FailureText(e, "Building the collage page");
        EXPECT_NE(shown.find("Building the collage page"), std::string::npos) << shown;
        EXPECT_NE(shown.find(UserDb()), std::string::npos) << shown;
        EXPECT_NE(shown.find("no such table: imagelibrary"), std::string::npos) << shown;
    }
    // A message that has its detail is shown as it is.
    const CppSQLite3Exception detailed(19, "UNIQUE constraint failed");
    EXPECT_EQ(FailureText(detailed, "Saving"), detailed.Message());
}

TEST_F(DamagedDatabase, SetUpReplacesAnEmptyFileButKeepsIt) {
    WriteFile(UserDb(), "");
    const DataFolderSetup setup = EnsureDataFolder(user, installed);
    EXPECT_TRUE(setup.copiedDatabase);
    EXPECT_TRUE(wordsdb::CheckDatabase(UserDb()).ok());
    ASSERT_FALSE(setup.keptAs.empty());
    EXPECT_TRUE(fs::exists(setup.keptAs));
    EXPECT_EQ(fs::file_size(setup.keptAs), 0u);
    EXPECT_EQ(fs::path(setup.keptAs).parent_path(), fs::path(user));
}

TEST_F(DamagedDatabase, SetUpNeverReplacesADatabaseWithTheUsersData) {
    AddPicture(user, "mine.gif", "GIF89a-mine");
    {
        SqlDatabase db;
        db.Open(UserDb());
        db.Execute("DROP TABLE nouns");  // incomplete, but the user's pictures are in it
    }
    const std::string before = ReadFile(UserDb());
    const DataFolderSetup setup = EnsureDataFolder(user, installed);
    EXPECT_FALSE(setup.copiedDatabase);
    EXPECT_EQ(ReadFile(UserDb()), before);
}

TEST_F(DamagedDatabase, RestoreKeepsTheDamagedFileAndItsJournal) {
    WriteFile(UserDb(), std::string(5000, 'x'));
    WriteFile(UserDb() + "-journal", "hot journal");
    const DatabaseRestore first = RestoreDeliveredDatabase(user, installed);
    ASSERT_TRUE(first.ok) << first.problem;
    EXPECT_TRUE(wordsdb::CheckDatabase(UserDb()).ok());
    EXPECT_EQ(ReadFile(first.keptAs), std::string(5000, 'x'));
    EXPECT_EQ(ReadFile(first.keptAs + "-journal"), "hot journal");
    EXPECT_FALSE(fs::exists(UserDb() + "-journal")) << "it would be played into the new copy";
    EXPECT_NE(first.keptAs.find("words6.db.damaged-"), std::string::npos);

    // A second restore in the same second keeps both earlier files.
    WriteFile(UserDb(), "second");
    const DatabaseRestore second = RestoreDeliveredDatabase(user, installed);
    ASSERT_TRUE(second.ok);
    EXPECT_NE(second.keptAs, first.keptAs);
    EXPECT_EQ(ReadFile(second.keptAs), "second");
    EXPECT_EQ(ReadFile(first.keptAs), std::string(5000, 'x'));

    // The restored copy's output folder is the user's own.
    SqlDatabase db;
    db.OpenExisting(UserDb());
    SqlQuery query = db.Query(wordsdb::SelectOutputFolder());
    EXPECT_EQ(std::string(query.FieldText(0)), user + "/collages/");
}

TEST_F(DamagedDatabase, RestoreWithoutADeliveredCopyChangesNothing) {
    WriteFile(UserDb(), "junk");
    const DatabaseRestore restore = RestoreDeliveredDatabase(user, scratch / "nowhere");
    EXPECT_FALSE(restore.ok);
    EXPECT_FALSE(restore.problem.empty());
    EXPECT_EQ(ReadFile(UserDb()), "junk");
    EXPECT_EQ(PrefixedWith(user, "words6.db.damaged"), "");
}

TEST_F(DamagedDatabase, TheStartOffersTheDeliveredCopy) {
    WriteFile(UserDb(), std::string(4096, 'q'));
    ScriptedUserInterface declines;
    declines.messageAnswers.push_back(MessageResult::No);
    EXPECT_FALSE(OfferWordsDbRestore(user, installed, declines));
    ASSERT_EQ(declines.messages.size(), 1u);
    EXPECT_NE(declines.messages[0].text.find(UserDb()), std::string::npos);
    EXPECT_EQ(ReadFile(UserDb()), std::string(4096, 'q'));

    ScriptedUserInterface accepts;
    accepts.messageAnswers.push_back(MessageResult::Yes);
    EXPECT_TRUE(OfferWordsDbRestore(user, installed, accepts));
    EXPECT_TRUE(wordsdb::CheckDatabase(UserDb()).ok());
    const std::string kept = PrefixedWith(user, "words6.db.damaged-");
    ASSERT_NE(kept, "");
    EXPECT_EQ(ReadFile(fs::path(user) / kept), std::string(4096, 'q'));
    ASSERT_EQ(accepts.messages.size(), 2u);
    EXPECT_NE(accepts.messages[1].text.find(kept), std::string::npos);

    // In order: nothing asked.
    ScriptedUserInterface quiet;
    EXPECT_TRUE(OfferWordsDbRestore(user, installed, quiet));
    EXPECT_TRUE(quiet.messages.empty());
}

TEST_F(DamagedDatabase, HeadlessCommandsStopWithTheReasonAndDataRestoreMendsIt) {
    AddArtFonts(user);
    WriteFile(UserDb(), "");
    const std::string data = " --data " + Quoted(user);
    ProgramRun go = Tarvex4("go --seed 1 --out " + Quoted(scratch / "out") + data, scratch.path());
    EXPECT_EQ(go.status, 1);
    EXPECT_NE(go.err.find(UserDb()), std::string::npos) << go.err;
    EXPECT_NE(go.err.find("empty"), std::string::npos) << go.err;
    EXPECT_NE(go.err.find("tarvex4 data restore"), std::string::npos) << go.err;
    EXPECT_FALSE(fs::exists(scratch / "out/collage1.html"));

    ProgramRun check = Tarvex4("data check" + data, scratch.path());
    EXPECT_EQ(check.status, 1);

    // The command line finds the delivered copy where the program is built.
    if (InstalledDataFolder().empty()) GTEST_SKIP() << "no delivered words6.db in this build";
    ProgramRun restore = Tarvex4("data restore" + data, scratch.path());
    ASSERT_EQ(restore.status, 0) << restore.err;
    const std::string kept = PrefixedWith(user, "words6.db.damaged-");
    ASSERT_NE(kept, "");
    EXPECT_NE(restore.out.find(kept), std::string::npos) << restore.out;
    EXPECT_EQ(fs::file_size(fs::path(user) / kept), 0u);
    EXPECT_EQ(Tarvex4("data check" + data, scratch.path()).status, 0);
    ProgramRun again = Tarvex4("go --seed 1 --out " + Quoted(scratch / "out") + data, scratch.path());
    EXPECT_EQ(again.status, 0) << again.err;

    ProgramRun usage = Tarvex4("data", scratch.path());
    EXPECT_EQ(usage.status, 2);
}

TEST_F(DamagedDatabase, GoOnADamagedLibrarySaysTheFileIsDamaged) {
    AddPictures(user, 150, 3000);
    Scribble(UserDb(), 4096 * 2, 4096 * 30);
    AddArtFonts(user);
    ProgramRun go = Tarvex4(
        "go --seed 3 --image-volume 20 --out " + Quoted(scratch / "out") + " --data " + Quoted(user), scratch.path());
    EXPECT_EQ(go.status, 1);
    EXPECT_NE(go.err.find("damaged"), std::string::npos) << go.err;
    EXPECT_NE(go.err.find(UserDb()), std::string::npos) << go.err;
}

namespace {

// Every word table full, so that the fill's look-ups reach the data pages.
void FillWordTables(const std::string& dataFolder) {
    SqlDatabase db;
    db.Open(wordsdb::DatabasePath(dataFolder));
    db.Execute("BEGIN");
    for (const wordsdb::WordCategory& category : wordsdb::WordCategories()) {
        for (int id = 1; id <= 2000; ++id) {
            db.Execute("INSERT INTO " + std::string(category.table) + " (ID, WORD) VALUES (" + std::to_string(id) +
                       ", 'word" + std::to_string(id) + std::string(40, 'x') + "')");
        }
    }
    db.Execute("COMMIT");
}

}  // namespace

// A user who answered No at start still gets one message per action, which
// names the file and how to restore it, never a box per look-up.
TEST_F(DamagedDatabase, AWindowActionOnABrokenFileSaysSoOnce) {
    MainFormState form;
    form.m_dataFolder = user;
    form.m_tracks[1].SetDatabasePath(UserDb());
    SqlDatabase trackDb;
    SqlDatabase mainDb;

    FillWordTables(user);
    Scribble(UserDb(), 4096 * 3, 4096 * 200);
    for (bool track : {true, false}) {
        SCOPED_TRACE(track ? "track fill" : "main form fill");
        ScriptedUserInterface ui;
        wordbooks::FillTarget target =
            track ? wordbooks::TrackTarget(form.m_tracks[1], trackDb, ui) : wordbooks::MainFormTarget(form, mainDb, ui);
        wordbooks::FillRandomWords(target);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find("Brisko database error"), std::string::npos) << ui.messages[0].text;
        EXPECT_NE(ui.messages[0].text.find(UserDb() + " is damaged"), std::string::npos) << ui.messages[0].text;
        EXPECT_NE(ui.messages[0].text.find("tarvex4 data restore"), std::string::npos) << ui.messages[0].text;
    }

    WriteFile(UserDb(), std::string(6000, 'g'));
    for (const std::string& author : {std::string(), std::string("Milton, John")}) {
        SCOPED_TRACE(author.empty() ? "track fill" : "authors");
        ScriptedUserInterface ui;
        wordbooks::FillTarget target = wordbooks::TrackTarget(form.m_tracks[1], trackDb, ui);
        const wordbooks::FillOutcome outcome =
            author.empty() ? wordbooks::FillRandomWords(target) : wordbooks::SampleAuthorText(target, author);
        EXPECT_FALSE(outcome.replaced);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find(UserDb() + " is not a database"), std::string::npos) << ui.messages[0].text;
        EXPECT_NE(ui.messages[0].text.find("tarvex4 data restore"), std::string::npos) << ui.messages[0].text;
    }

    // The form's start reads the output folder: its message keeps its own
    // text (and SQLite's words) and adds the same.
    ScriptedUserInterface ui;
    EXPECT_EQ(LoadOutputFolder(form, &ui), "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Reading the output folder"), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(ui.messages[0].text.find(UserDb() + " is not a database"), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(ui.messages[0].text.find("tarvex4 data restore"), std::string::npos) << ui.messages[0].text;

    // A bare SQLite message gets SQLite's own words.
    try {
        SqlDatabase db;
        db.OpenExisting(UserDb());
        db.Query(wordsdb::SelectOutputFolder());
        FAIL() << "read a file that is not a database";
    } catch (const CppSQLite3Exception& e) {
        const std::string shown = wordsdb::ExplainedFailure(e);
        EXPECT_NE(shown.find("file is not a database\n"), std::string::npos) << shown;
    }
}
