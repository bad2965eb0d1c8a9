// SPDX-License-Identifier: GPL-3.0-or-later
// The import of a folder of GIF files into the image library.
#include "ImageLibraryFixture.h"

#include "images/GifHeader.h"
#include "images/ImageImport.h"
#include "ScriptedUserInterface.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace imagesfixture;

namespace {

class ImportTest : public ImageLibraryTest {
protected:
    ImportReport Import(const CategoryChoice& choice) {
        ImageImporter importer(DatabasePath(), pictures);
        return importer.Import(choice, importer.LoadCategoryNames(ui), ui, [this](int done, int found) {
            steps.push_back(done);
            lastFound = found;
        });
    }
    ImportReport ImportInto(const std::string& existing) { return Import({false, existing, ""}); }
    ImportReport ImportNew(const std::string& typed) { return Import({true, "", typed}); }

    void Add(const std::string& name, const std::string& bytes) { WriteFile(pictures + "/" + name, bytes); }

    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const auto& m : ui.messages) captions.push_back(m.caption);
        return captions;
    }

    ScriptedUserInterface ui;
    std::vector<int> steps;
    int lastFound = -1;
};

TEST_F(ImportTest, StoresFilesWithGifAnywhereInTheNameUnderLowerCaseNames) {
    AddCategories({"Animals"});
    const std::string a = GifBytes(300, 20, 64);
    Add("A.GIF", a);
    Add("b.gif", GifBytes(1, 2));
    Add("notes.txt", "not a picture");
    Add("x.gif.bak", GifBytes(7, 8));
    fs::create_directories(pictures + "/folder.gif");

    const ImportReport report = ImportInto("Animals");
    EXPECT_EQ(report.ResultMessage(), "3 GIFS stored to category: Animals");
    EXPECT_TRUE(report.Complete());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Select("SELECT CATEGORY,FILENAME,WIDTH,HEIGHT FROM imagelibrary ORDER BY ID"),
              (Rows{{"1", "a.gif", "300", "20"}, {"1", "b.gif", "1", "2"}, {"1", "x.gif.bak", "7", "8"}}));
    EXPECT_EQ(StoredBytes("a.gif"), a);
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(lastFound, 3);
}

TEST_F(ImportTest, SizeLimitIsInclusiveAndSkippedFilesAreToldApart) {
    AddCategories({"Big"});
    Add("exact.gif", GifBytes(2, 2, 372000));
    Add("over.gif", GifBytes(2, 2, 372001));
    Add("huge.gif", GifBytes(2, 2, 900000));
    const ImportReport report = ImportInto("Big");
    // Named, so the user knows which to reduce; ten at most, then a count.
    EXPECT_EQ(report.ResultMessage("Reduce them."),
              "1 GIFS stored to category: Big\n2 GIFS over 372000 bytes were skipped for their size.\n"
              "    huge.gif\n    over.gif\nReduce them.");
    EXPECT_EQ(Select("SELECT FILENAME FROM imagelibrary"), (Rows{{"exact.gif"}}));
    EXPECT_EQ(StoredBytes("exact.gif").size(), 372000u);
}

TEST_F(ImportTest, FilesThatAreNoSoundPictureAreRefusedByName) {
    AddCategories({"Odd"});
    Add("short.gif", "GIF89a\x05");
    Add("png.gif", "\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR");
    Add("empty.gif", "");
    Add("cut.gif", GifBytes(5, 5, 40).substr(0, 39));
    Add("text.png", "just words");
    Add("zero.gif", GifBytes(0, 5));
    Add("good.gif", GifBytes(5, 6));
    const ImportReport report = ImportInto("Odd");
    EXPECT_FALSE(report.Complete());
    EXPECT_EQ(report.ResultMessage(), "1 GIFS stored to category: Odd\n6 files were refused: not sound pictures.");
    EXPECT_EQ(Select("SELECT FILENAME,WIDTH,HEIGHT FROM imagelibrary"), (Rows{{"good.gif", "5", "6"}}));
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& text = ui.messages[0].text;
    for (const char* line : {"short.gif: a GIF whose size cannot be read", "empty.gif: not a GIF, PNG, JPEG or WebP",
                             "png.gif: a PNG whose size cannot be read", "cut.gif: the file ends early",
                             "text.png: not a GIF, PNG, JPEG or WebP", "zero.gif: a GIF whose size cannot be read"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    }
    // Both bytes of each size count, low byte first.
    const std::string wide = std::string("GIF89a") + '\x10' + '\x27' + '\x01' + '\x01';
    EXPECT_EQ(ReadGifSize(wide).width, 10000);
    EXPECT_EQ(ReadGifSize(wide).height, 257);
}

// A browser drops a newline or a tab from a page's SRC, so a page could not
// name such a file: it is refused, and named so that the message stays one line.
TEST_F(ImportTest, NamesWithControlCharactersAreRefusedByName) {
    AddCategories({"Odd"});
    Add("two\nlines.gif", GifBytes(3, 3));
    Add("tab\t.gif", GifBytes(3, 3));
    Add("fine.gif", GifBytes(3, 4));
    const ImportReport report = ImportInto("Odd");
    EXPECT_EQ(report.ResultMessage(), "1 GIFS stored to category: Odd\n2 files were refused: not sound pictures.");
    EXPECT_EQ(Select("SELECT FILENAME FROM imagelibrary"), (Rows{{"fine.gif"}}));
    ASSERT_EQ(ui.messages.size(), 1u);
    for (const char* line : {"\ntwo\\nlines.gif: its name holds a control character", "\ntab\\t.gif: its name"}) {
        EXPECT_NE(ui.messages[0].text.find(line), std::string::npos) << line << " in\n" << ui.messages[0].text;
    }
}

TEST_F(ImportTest, NewCategoryRules) {
    AddCategories({"Animals"});
    Add("a.gif", GifBytes(1, 1));

    // An empty name stops before anything is made or stored.
    ImportReport report = ImportNew("");
    EXPECT_FALSE(report.ran);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Enter text for new image category.");
    EXPECT_EQ(ui.messages[0].caption, "Empty Category");
    EXPECT_TRUE(Select("SELECT * FROM imagelibrary").empty());

    // A prefix of a listed name, in any case, or the whole name, is refused:
    // nothing is made and nothing stored (before, the pictures went to ID 1).
    Sql(wordsdb::InsertCategory("Plants"));
    for (const char* typed : {"aNi", "Plants", "plants"}) {
        ui.messages.clear();
        report = ImportNew(typed);
        EXPECT_FALSE(report.ran) << typed;
        EXPECT_EQ(Captions(), (std::vector<std::string>{"Duplicate Category"})) << typed;
        EXPECT_EQ(ui.messages[0].text, "Category name is not unique.");
    }
    EXPECT_EQ(Select("SELECT COUNT(*) FROM imagecategory"), (Rows{{"2"}}));
    EXPECT_TRUE(Select("SELECT * FROM imagelibrary").empty());
    EXPECT_TRUE(steps.empty());

    // A new name is made and used.
    ui.messages.clear();
    report = ImportNew("Birds");
    EXPECT_TRUE(report.categoryCreated);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(report.categoryId, "3");
    EXPECT_EQ(Select("SELECT CATEGORY FROM imagelibrary ORDER BY ID DESC LIMIT 1"), (Rows{{"3"}}));
}

TEST_F(ImportTest, AnExistingCategoryMustBeOneOfTheList) {
    Add("a.gif", GifBytes(1, 1));
    // Nothing listed, then text typed into the list's field.
    EXPECT_FALSE(ImportInto("").ran);
    AddCategories({"Animals"});
    EXPECT_FALSE(ImportInto("animals").ran);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"No Category", "No Category"}));
    EXPECT_TRUE(Select("SELECT * FROM imagelibrary").empty());
}

TEST_F(ImportTest, EmptyFolderAndFoldersThatCannotBeRead) {
    AddCategories({"Animals"});
    ImportReport report = ImportInto("Animals");
    EXPECT_EQ(report.ResultMessage(), "0 GIFS stored to category: Animals");
    EXPECT_TRUE(report.Complete());

    // Missing, or a file in place of the folder: said once, and the new
    // category is not made (before, an empty one was left behind).
    fs::remove_all(pictures);
    report = ImportNew("Birds");
    WriteFile(pictures, GifBytes(1, 1));
    ImportReport fileReport = ImportNew("Birds");
    EXPECT_FALSE(report.ran);
    EXPECT_FALSE(fileReport.ran);
    EXPECT_FALSE(report.categoryCreated);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "The folder " + pictures + " could not be read: No such file or directory");
    EXPECT_EQ(ui.messages[1].text, "The folder " + pictures + " could not be read: Not a directory");
    EXPECT_EQ(ui.messages[1].caption, "Image Import");
    EXPECT_EQ(Select("SELECT CATEGORY FROM imagecategory"), (Rows{{"Animals"}}));
    EXPECT_TRUE(Select("SELECT * FROM imagelibrary").empty());
}

TEST_F(ImportTest, OnlyRegularFilesAreReadAPipeIsSkippedWithoutWaiting) {
    AddCategories({"Animals"});
    Add("a.gif", GifBytes(1, 1));
    ASSERT_EQ(::mkfifo((pictures + "/x.gif").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/zero", (pictures + "/zero.gif").c_str()), 0);
    const ImportReport report = ImportInto("Animals");
    EXPECT_TRUE(report.Complete());
    EXPECT_EQ(report.ResultMessage(), "1 GIFS stored to category: Animals\n2 GIFS were skipped: not regular files.");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("x.gif: not a regular file, skipped"), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("zero.gif: not a regular file, skipped"), std::string::npos);
    EXPECT_EQ(Select("SELECT FILENAME FROM imagelibrary"), (Rows{{"a.gif"}}));
}

TEST_F(ImportTest, TheStoredTextIsWhatTheQuotedStatementStored) {
    // Every byte value, and the characters a literal would have to escape.
    std::string bytes = GifBytes(300, 20, 300);
    bytes += std::string("'\"%\0\\;", 6);
    Add("all.gif", bytes);
    AddCategories({"Animals"});
    ASSERT_TRUE(ImportInto("Animals").Complete());
    SqlBlob blob;
    blob.SetBytes(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    Sql(wordsdb::InsertImage("1", "all.gif", "300", "20", blob.Encoded()));
    const Rows rows = Select(
        "SELECT hex(CATEGORY)||typeof(CATEGORY), hex(FILENAME), hex(WIDTH)||typeof(WIDTH), "
        "hex(HEIGHT)||typeof(HEIGHT), hex(FILESTORE)||typeof(FILESTORE) "
        "FROM imagelibrary ORDER BY ID");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], rows[1]);
    EXPECT_EQ(StoredBytes("all.gif"), bytes);
}

TEST_F(ImportTest, QuotesAndPercentSignsAreStoredExactly) {
    Add("it's 100%s %n.gif", GifBytes(3, 4));
    const std::string name = "O'Brien's \"best\" 50%";
    const ImportReport report = ImportNew(name);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(report.ResultMessage(), "1 GIFS stored to category: " + name);
    EXPECT_EQ(Select("SELECT ID,CATEGORY FROM imagecategory"), (Rows{{"1", name}}));
    EXPECT_EQ(Select("SELECT CATEGORY,FILENAME FROM imagelibrary"), (Rows{{"1", "it's 100%s %n.gif"}}));
}

TEST_F(ImportTest, AnUnreadableFileIsReportedOnceAndTheOthersGoOn) {
    AddCategories({"Animals"});
    Add("a.gif", GifBytes(1, 1));
    ASSERT_EQ(::symlink((pictures + "/nowhere").c_str(), (pictures + "/gone.gif").c_str()), 0);
    ASSERT_EQ(::symlink((pictures + "/nowhere2").c_str(), (pictures + "/lost.gif").c_str()), 0);
    Add("z.gif", GifBytes(1, 1));
    const ImportReport report = ImportInto("Animals");
    EXPECT_EQ(report.ResultMessage(), "2 GIFS stored to category: Animals\n2 GIFS could not be stored.");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Image Import");
    EXPECT_NE(ui.messages[0].text.find("gone.gif: No such file or directory"), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("lost.gif"), std::string::npos);
    EXPECT_EQ(Select("SELECT FILENAME FROM imagelibrary ORDER BY ID"), (Rows{{"a.gif"}, {"z.gif"}}));
}

TEST_F(ImportTest, ARefusedFileCostsOnlyItselfEvenWhenItsTransactionIsRolledBack) {
    AddCategories({"Animals"});
    for (const char* name : {"a.gif", "b.gif", "bad.gif", "c.gif", "worse.gif", "z.gif"}) Add(name, GifBytes(1, 1));
    // One refusal ends only its statement, the other the whole transaction.
    Sql("CREATE TRIGGER refuse BEFORE INSERT ON imagelibrary WHEN NEW.FILENAME = 'bad.gif' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Sql("CREATE TRIGGER undo BEFORE INSERT ON imagelibrary WHEN NEW.FILENAME = 'worse.gif' "
        "BEGIN SELECT RAISE(ROLLBACK, 'rolled back'); END");
    const ImportReport report = ImportInto("Animals");
    EXPECT_EQ(report.ResultMessage(), "4 GIFS stored to category: Animals\n2 GIFS could not be stored.");
    EXPECT_EQ(Select("SELECT FILENAME FROM imagelibrary ORDER BY FILENAME"),
              (Rows{{"a.gif"}, {"b.gif"}, {"c.gif"}, {"z.gif"}}));
    // Reported once, as the database said it.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "db error");
    EXPECT_NE(ui.messages[0].text.find("refused"), std::string::npos);
}

TEST_F(ImportTest, AMissingLibraryTableIsOneMessageNotOnePerFile) {
    AddCategories({"Animals"});
    for (int i = 0; i < 5; ++i) Add("p" + std::to_string(i) + ".gif", GifBytes(1, 1));
    Sql("DROP TABLE imagelibrary");
    const ImportReport report = ImportInto("Animals");
    EXPECT_EQ(report.ResultMessage(), "0 GIFS stored to category: Animals\n5 GIFS could not be stored.");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"db error"}));
}

TEST_F(ImportTest, ACategoryListThatCannotBeReadIsReportedAndEmpty) {
    Sql("DROP TABLE imagecategory");
    ImageImporter importer(DatabasePath(), pictures);
    EXPECT_TRUE(importer.LoadCategoryNames(ui).empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "db error");
    // Making the category fails too: reported, and nothing is stored (before,
    // the pictures went to ID 1, a category the user never chose).
    Add("a.gif", GifBytes(1, 1));
    ui.messages.clear();
    const ImportReport report = importer.Import({true, "", "New"}, {}, ui);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"db error"}));
    EXPECT_FALSE(report.ran);
    EXPECT_TRUE(Select("SELECT * FROM imagelibrary").empty());
}

TEST_F(ImportTest, ManyFilesAreAllStoredAndCounted) {
    AddCategories({"Many"});
    const int count = 437;
    for (int i = 0; i < count; ++i) Add("p" + std::to_string(1000 + i) + ".gif", GifBytes(i + 1, 1, 14));
    const ImportReport report = ImportInto("Many");
    EXPECT_EQ(report.stored, count);
    EXPECT_EQ(Select("SELECT COUNT(*), MIN(WIDTH+0), MAX(WIDTH+0) FROM imagelibrary"),
              (Rows{{std::to_string(count), "1", std::to_string(count)}}));
    ASSERT_EQ(steps.size(), static_cast<size_t>(count + 1));
    EXPECT_EQ(steps.back(), count);
}

TEST_F(ImportTest, EachImporterKeepsItsOwnFolder) {
    ImageImporter first(DatabasePath());
    ImageImporter second(DatabasePath());
    ASSERT_NE(std::getenv("HOME"), nullptr);
    EXPECT_EQ(first.ImportFolder(), std::getenv("HOME"));

    ui.folderAnswers = {FolderChoice{1, pictures}, FolderChoice{2, ""}, FolderChoice{-1, ""}};
    EXPECT_EQ(first.ChooseFolder(ui), pictures);
    EXPECT_EQ(ui.folderTitles, (std::vector<std::string>{"Custom GIF Images Folder:"}));
    // Cancelled, or a choice without a path: the folder stays.
    EXPECT_EQ(first.ChooseFolder(ui), pictures);
    EXPECT_EQ(first.ChooseFolder(ui), pictures);
    EXPECT_EQ(second.ImportFolder(), std::getenv("HOME"));
}

}  // namespace
