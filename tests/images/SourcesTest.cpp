// SPDX-License-Identifier: GPL-3.0-or-later
// Which categories feed collages: loading the ticks and saving them.
#include "ImageLibraryFixture.h"

#include "images/ImageSources.h"
#include "ScriptedUserInterface.h"

using namespace imagesfixture;

namespace {

class SourcesTest : public ImageLibraryTest {
protected:
    std::vector<ImageCategoryRow> Load() { return LoadImageCategoryRows(DatabasePath(), ui); }

    static std::vector<long> Ticked(const std::vector<ImageCategoryRow>& rows) {
        std::vector<long> ids;
        for (const auto& row : rows) {
            if (row.ticked) ids.push_back(row.id);
        }
        return ids;
    }

    void SaveText(const std::string& text) {
        Sql(wordsdb::DeleteSelections());
        Sql(wordsdb::InsertSelectionList(text));
    }

    ScriptedUserInterface ui;
};

TEST_F(SourcesTest, TicksTheSavedIdsOnly) {
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i) names.push_back("c" + std::to_string(i));
    AddCategories(names);
    SaveText("11,12");
    const auto rows = Load();
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[10].name, "c11");
    EXPECT_EQ(Ticked(rows), (std::vector<long>{11, 12}));

    // No saved row, or one with junk in it, ticks nothing.
    Sql(wordsdb::DeleteSelections());
    EXPECT_TRUE(Ticked(Load()).empty());
    SaveText("(0), x,-1,");
    EXPECT_TRUE(Ticked(Load()).empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SourcesTest, SavingStoresIdsSoAGapCannotSelectTheWrongCategory) {
    AddCategories({"a", "b", "c", "d"});
    Sql("DELETE FROM imagecategory WHERE ID = 2");
    auto rows = Load();
    ASSERT_EQ(rows.size(), 3u);
    rows[1].ticked = true;  // "c", ID 3, the second row
    rows[2].ticked = true;  // "d", ID 4
    ASSERT_TRUE(SaveImageSelection(DatabasePath(), rows, ui));
    EXPECT_EQ(Select("SELECT SELECTIONLIST FROM categoryselections"), (Rows{{"3,4"}}));
    EXPECT_EQ(Ticked(Load()), (std::vector<long>{3, 4}));
}

TEST_F(SourcesTest, SaveKeepsOneRowAndAnEmptyTextForNone) {
    AddCategories({"a", "b", "c"});
    auto rows = Load();
    rows[0].ticked = rows[2].ticked = true;
    ASSERT_TRUE(SaveImageSelection(DatabasePath(), rows, ui));
    ASSERT_TRUE(SaveImageSelection(DatabasePath(), rows, ui));
    EXPECT_EQ(Select("SELECT SELECTIONLIST FROM categoryselections"), (Rows{{"1,3"}}));
    for (auto& row : rows) row.ticked = false;
    ASSERT_TRUE(SaveImageSelection(DatabasePath(), rows, ui));
    EXPECT_EQ(Select("SELECT SELECTIONLIST FROM categoryselections"), (Rows{{""}}));
}

TEST_F(SourcesTest, DatabaseFailuresAreShownAndTheListKeepsWhatWasRead) {
    AddCategories({"a", "b"});
    SaveText("1");
    Sql("DROP TABLE categoryselections");
    const auto rows = Load();
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_TRUE(Ticked(rows).empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "db error");

    EXPECT_FALSE(SaveImageSelection(DatabasePath(), rows, ui));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].text.find("no such table: categoryselections"), std::string::npos);
}

TEST_F(SourcesTest, PicturesAreCountedPerCategory) {
    AddCategories({"a", "b"});
    for (const char* category : {"2", "2", "1", "9"}) Sql(wordsdb::InsertImage(category, "p.gif", "1", "1", "x"));
    const auto counts = CountPicturesByCategory(DatabasePath());
    ASSERT_EQ(counts.size(), 3u);
    EXPECT_EQ(counts[0].id, 1);
    EXPECT_EQ(counts[0].pictures, 1);
    EXPECT_EQ(counts[1].id, 2);
    EXPECT_EQ(counts[1].pictures, 2);
}

}  // namespace
