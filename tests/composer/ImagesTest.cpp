// SPDX-License-Identifier: GPL-3.0-or-later
// Candidates from the library and the user's folder, and how their pictures
// reach the output folder.
#include "CollageFixture.h"

#include "composer/ImageItems.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

using namespace fixture;

class ImageItems : public CollageTest {};
class PageWriting : public CollageTest {};

namespace {

ImagePool PoolOf(CollageRunContext& run) {
    run.db.Open(run.state.DatabasePath());
    ImagePool pool = BuildImagePool(run);
    run.db.Close();
    return pool;
}

ImagePool PoolOf(const MainFormState& state) {
    CollageRunContext run(state);
    return PoolOf(run);
}

}  // namespace

TEST_F(ImageItems, OnlyTheFirstThousandLibraryPicturesAreCandidates) {
    {
        SqlDatabase db;
        db.Open(wordsdb::DatabasePath(dataFolder));
        db.Execute("BEGIN");
        for (int i = 0; i < 1500; ++i) db.Execute(wordsdb::InsertImage("1", "p.gif", "1", "1", "AA"));
        db.Execute("COMMIT");
    }
    WriteFile(root / "pics/x.gif", "x");
    UsePictureFolder();
    CollageRunContext run(state);
    ImagePool pool = PoolOf(run);
    EXPECT_EQ(pool.candidates.size(), 1000u);
    EXPECT_EQ(run.nextImageId, 1501);
    for (std::int32_t id : pool.candidates) EXPECT_LT(id, 1501);
}

TEST_F(ImageItems, SelectedCategoriesOnly) {
    AddPicture("one.gif", 1, 1, "1", "1");
    AddPicture("two.gif", 1, 1, "2", "2");
    AddPicture("three.gif", 1, 1, "3", "3");
    Sql("DELETE FROM categoryselections");
    Sql(wordsdb::InsertSelectionList("1,3"));
    EXPECT_EQ(PoolOf(state).candidates, (std::vector<std::int32_t>{1, 3}));
    // An empty selection selects nothing; none stored means category 0.
    Sql("UPDATE categoryselections SET SELECTIONLIST = ''");
    EXPECT_TRUE(PoolOf(state).candidates.empty());
    Sql("DELETE FROM categoryselections");
    AddPicture("zero.gif", 1, 1, "0", "0");
    EXPECT_EQ(PoolOf(state).candidates, (std::vector<std::int32_t>{4}));
}

TEST_F(ImageItems, EmptyLibraryStartsFolderIdsAtOne) {
    WriteFile(root / "pics/pic.GIF", "gif");
    WriteFile(root / "pics/notes.txt", "txt");
    fs::create_directories(root / "pics/x.gif");
    UsePictureFolder();
    CollageRunContext run(state);
    run.nextImageId = 77;
    ImagePool pool = PoolOf(run);
    EXPECT_EQ(run.nextImageId, 1);
    // Listing: notes.txt, pic.GIF, x.gif (a folder, not a picture).
    EXPECT_EQ(pool.candidates, (std::vector<std::int32_t>{2}));
    EXPECT_EQ(pool.folderEntries[1], "pic.GIF");
    EXPECT_EQ(pool.folderEntries[2], "");
    // Unchecked, the folder adds nothing.
    state.m_useCustomFolder = false;
    EXPECT_TRUE(PoolOf(state).candidates.empty());
}

TEST_F(ImageItems, FolderPictureIsCopiedOnceAndKeepsItsName) {
    WriteFile(root / "pics/pic.GIF", "mine");
    UsePictureFolder();
    state.m_imageVolume = 3;
    state.m_textVolume = 0;
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        std::vector<Item> items = ItemsOf(Compose(seed));
        ASSERT_EQ(items.size(), 3u);
        for (const Item& item : items) {
            EXPECT_NE(item.body.find("SRC='pic.GIF'"), std::string::npos);
            if (item.width != 850 || item.height != 1100) {
                EXPECT_EQ(item.width, std::min(712, 850 - item.left));
                EXPECT_EQ(item.height, std::min(534, 1100 - item.top));
            }
        }
    }
    EXPECT_EQ(ReadFile(root / "out/pic.GIF"), "mine");
    EXPECT_FALSE(fs::exists(root / "out/Copy of pic.GIF"));
}

TEST_F(ImageItems, FolderPicturesAreKnownByContentSizedByHeaderAndNamedByKind) {
    // A PNG header of 64 x 48 under a name that says nothing, a named pipe
    // beside it (never opened: it would wait for a writer), and a GIF header
    // declaring far too many pixels, which keeps the usual size.
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x40\0\0\0\x30\x08\x06\0\0\0", 29);
    WriteFile(root / "pics/scan", png);
    WriteFile(root / "pics/huge.gif", std::string("GIF89a\xff\xff\xff\xff;", 11));
    ASSERT_EQ(::mkfifo((root / "pics/pipe").c_str(), 0644), 0);
    UsePictureFolder();
    state.m_imageVolume = 12;
    state.m_textVolume = 0;
    std::set<std::string> seen;
    for (const Item& item : ItemsOf(Compose(5))) {
        const bool scan = item.body.find("SRC='scan.png'") != std::string::npos;
        EXPECT_TRUE(scan || item.body.find("SRC='huge.gif'") != std::string::npos) << item.body;
        seen.insert(scan ? "scan" : "huge");
        if (item.width == 850 && item.height == 1100) continue;
        EXPECT_EQ(item.width, std::min(scan ? 64 : 712, 850 - item.left));
        EXPECT_EQ(item.height, std::min(scan ? 48 : 534, 1100 - item.top));
    }
    EXPECT_EQ(seen, (std::set<std::string>{"scan", "huge"}));
    EXPECT_EQ(ReadFile(root / "out/scan.png"), png);
}

TEST_F(ImageItems, DifferentPictureOfTheSameNameGetsOneCopyName) {
    WriteFile(root / "out/pic.gif", "someone else's");
    WriteFile(root / "pics/pic.gif", "mine");
    UsePictureFolder();
    state.m_imageVolume = 2;
    state.m_textVolume = 0;
    for (std::uint32_t seed : {4u, 5u}) {
        // The page shows the picture that was copied, not the other one.
        for (const Item& item : ItemsOf(Compose(seed)))
            EXPECT_NE(item.body.find("SRC='Copy of pic.gif'"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(root / "out/pic.gif"), "someone else's");
    EXPECT_EQ(ReadFile(root / "out/Copy of pic.gif"), "mine");
    EXPECT_FALSE(fs::exists(root / "out/Copy (1) of pic.gif"));
}

namespace {

// The file itself, not only its bytes: a rewrite makes a new one.
std::pair<ino_t, std::int64_t> Identity(const fs::path& path) {
    struct stat held {};
    EXPECT_EQ(::stat(path.c_str(), &held), 0) << path;
    return {held.st_ino, static_cast<std::int64_t>(held.st_mtim.tv_sec) * 1000000000 + held.st_mtim.tv_nsec};
}

std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// An older page (or a board saved from it) keeps showing what it showed.
TEST_F(ImageItems, APictureFileIsNeverGivenOtherBytesAndIsReusedWhenItHoldsTheSame) {
    AddPicture("lib.gif", 10, 10, "first bytes");
    state.m_imageVolume = 2;
    state.m_textVolume = 0;
    for (const Item& item : ItemsOf(Compose(8))) EXPECT_NE(item.body.find("SRC='lib.gif'"), std::string::npos);
    const auto first = Identity(root / "out/lib.gif");

    // A later run draws another picture of that name (the case aside).
    Sql("DELETE FROM imagelibrary");
    AddPicture("LIB.gif", 10, 10, "second bytes");
    for (std::uint32_t seed : {9u, 10u}) {
        for (const Item& item : ItemsOf(Compose(seed))) EXPECT_NE(item.body.find("SRC='LIB-2.gif'"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(root / "out/lib.gif"), "first bytes");
    EXPECT_EQ(ReadFile(root / "out/LIB-2.gif"), "second bytes");
    EXPECT_FALSE(fs::exists(root / "out/LIB.gif"));
    EXPECT_FALSE(fs::exists(root / "out/LIB-3.gif"));

    // The first picture again: the file already there is used, not rewritten.
    Sql("DELETE FROM imagelibrary");
    AddPicture("lib.gif", 10, 10, "first bytes");
    for (const Item& item : ItemsOf(Compose(11))) EXPECT_NE(item.body.find("SRC='lib.gif'"), std::string::npos);
    EXPECT_EQ(Identity(root / "out/lib.gif"), first);
    EXPECT_EQ(Entries(root / "out"), (std::vector<std::string>{"LIB-2.gif", "lib.gif"})) << "no temporary file left";
}

TEST_F(ImageItems, PicturesOfOneNameKeepTheirOwnBytes) {
    // Wide and tall: an unclipped item shows by its shape which one it is.
    AddPicture("same.gif", 70, 30, "wide", "1");
    AddPicture("same.gif", 30, 70, "tall", "2");
    AddPicture("SAME.gif", 30, 70, "tall too", "2");
    Sql("DELETE FROM categoryselections");
    Sql(wordsdb::InsertSelectionList("1,2"));
    state.m_imageVolume = 20;
    state.m_textVolume = 0;
    bool allThree = false;
    for (std::uint32_t seed : {1u, 2u}) {
        rng::Seed(seed);
        // Within one run each name (A.gif and a.gif alike) holds one picture.
        std::map<std::string, std::set<std::string>> bytesByName;
        std::set<std::string> pictures;
        for (const collage::Item& item : ComposeCollage(state).collage.items) {
            const std::string bytes = ReadFile(root / "out" / item.file);
            std::string folded = item.file;
            for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            bytesByName[folded].insert(bytes);
            pictures.insert(bytes);
            if (item.width == 70 && item.height == 30) {
                EXPECT_EQ(bytes, "wide") << item.file;
            } else if (item.width == 30 && item.height == 70) {
                EXPECT_NE(bytes, "wide") << item.file;
            }
        }
        for (const auto& [name, held] : bytesByName) EXPECT_EQ(held.size(), 1u) << name;
        EXPECT_EQ(bytesByName.size(), pictures.size());
        allThree = allThree || pictures.size() == 3;
    }
    EXPECT_TRUE(allThree);
    EXPECT_TRUE(fs::exists(root / "out/same-2.gif"));
}

TEST_F(ImageItems, FolderNamesAreTakenWholeAndACopyFailureIsReported) {
    WriteFile(root / "pics/a|b.gif", "bar");
    UsePictureFolder();
    state.m_imageVolume = 2;
    state.m_textVolume = 0;
    for (const Item& item : ItemsOf(Compose(3))) EXPECT_NE(item.body.find("SRC='a|b.gif'"), std::string::npos);
    EXPECT_EQ(ReadFile(root / "out/a|b.gif"), "bar");

    // A picture that cannot be copied (here a link to nothing) is named, and
    // no page is written.
    fs::remove(root / "pics/a|b.gif");
    fs::create_symlink(root / "nowhere.gif", root / "pics/y.gif");
    state.m_outputFileName = "collage1.html";
    ScriptedUserInterface ui;
    const CollageResult result = Build(ui, 3);
    EXPECT_FALSE(result.written);
    EXPECT_NE(result.problem.find("pics/y.gif"), std::string::npos) << result.problem;
    EXPECT_FALSE(fs::exists(root / "out/collage1.html"));
}

TEST_F(ImageItems, PicturePlacementClipsAtTheBoundsOnly) {
    ImageCandidate wide{"w.gif", "900", "20"};
    ImageCandidate small{"s.gif", "400", "20"};
    // Seed 1: left 41 % 850 = 41, top 18467 % 1100 = 867.
    rng::Seed(1);
    ImagePlacement placed = PlaceImage(wide, 850, 1100);
    EXPECT_EQ(placed.left, 41);
    EXPECT_EQ(placed.top, 867);
    EXPECT_EQ(placed.widthText, "809");
    EXPECT_EQ(placed.heightText, "20");
    rng::Seed(1);
    EXPECT_EQ(PlaceImage(small, 850, 1100).widthText, "400");
    // Landscape: left 41 % 1100, top 18467 % 850 = 617; an empty size reads 0.
    rng::Seed(1);
    placed = PlaceImage(ImageCandidate{"e.gif", "", ""}, 1100, 850);
    EXPECT_EQ(placed.top, 617);
    EXPECT_EQ(placed.widthText, "0");
}

TEST_F(ImageItems, BaseNamesOfStoredFileNames) {
    EXPECT_EQ(BaseFileName("pic.gif"), "pic.gif");
    EXPECT_EQ(BaseFileName("../../etc/pic.gif"), "pic.gif");
    EXPECT_EQ(BaseFileName("C:\\images\\pic.gif"), "pic.gif");
    EXPECT_EQ(BaseFileName("dir/"), "");
}

TEST_F(ImageItems, LibraryNameWithoutABaseNameWritesNothing) {
    AddPicture("../", 10, 10, "bytes");
    state.m_imageVolume = 1;
    state.m_textVolume = 0;
    Compose(3);
    EXPECT_FALSE(fs::exists(root / "bytes"));
    size_t files = 0;
    for (auto it = fs::directory_iterator(root / "out"); it != fs::directory_iterator(); ++it) ++files;
    EXPECT_EQ(files, 0u);
}

TEST_F(ImageItems, DatabaseFailureIsShownAndClosesTheConnection) {
    Sql("DROP TABLE imagelibrary");
    ScriptedUserInterface ui;
    CollageResult result = Build(ui);
    EXPECT_FALSE(result.written);
    EXPECT_TRUE(result.databaseFailed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "db error");
    EXPECT_EQ(ui.messages[0].text.rfind("SQLITE_ERROR", 0), 0u) << ui.messages[0].text;
    EXPECT_FALSE(fs::exists(root / "out/collage1.html"));
    EXPECT_TRUE(ui.openedPages.empty());
    EXPECT_FALSE(ui.waitVisible);
}

TEST_F(ImageItems, MalformedStoredPictureIsADatabaseFailure) {
    Sql(wordsdb::InsertImage("1", "bad.gif", "1", "1", "not encoded at all \x01"));
    state.m_imageVolume = 1;
    ScriptedUserInterface ui;
    EXPECT_TRUE(Build(ui).databaseFailed);
}

TEST_F(PageWriting, ArtFontsAreCopiedOnlyWhenTheOutputLacksThem) {
    state.m_imageVolume = 0;
    ScriptedUserInterface ui;
    ASSERT_TRUE(Build(ui).written);
    EXPECT_EQ(ReadFile(root / "out/artfonts/wz_dragdrop.js"), "// drag");
    EXPECT_EQ(ReadFile(root / "out/artfonts/metal/space.gif"), "GIF89a");
    // Present: not refreshed.
    WriteFile(root / "data/artfonts/wz_dragdrop.js", "// newer");
    ASSERT_TRUE(Build(ui).written);
    EXPECT_EQ(ReadFile(root / "out/artfonts/wz_dragdrop.js"), "// drag");
    // Gone: copied over what is there.
    fs::remove(root / "out/artfonts/stampkit/a.gif");
    ASSERT_TRUE(Build(ui).written);
    EXPECT_EQ(ReadFile(root / "out/artfonts/wz_dragdrop.js"), "// newer");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PageWriting, ArtFontCopyFailureIsReportedAndThePageStillWritten) {
    WriteFile(root / "out/artfonts", "a file where the folder should be");
    state.m_imageVolume = 0;
    ScriptedUserInterface ui;
    CollageResult result = Build(ui);
    EXPECT_TRUE(result.written);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("art fonts"), std::string::npos);
    EXPECT_TRUE(fs::exists(root / "out/collage1.html"));
}

TEST_F(PageWriting, UnwritablePageIsReportedAndNotOpened) {
    // A folder that is gone is made again ...
    state.m_outputFolder = (root / "no/such/folder/").string();
    state.m_imageVolume = 0;
    ScriptedUserInterface made;
    EXPECT_TRUE(Build(made).written);
    EXPECT_TRUE(fs::is_regular_file(root / "no/such/folder/collage1.html"));

    // ... one that cannot be made is named, and nothing is written.
    std::ofstream(root / "blocker") << "a file";
    state.m_outputFolder = (root / "blocker/folder/").string();
    ScriptedUserInterface ui;
    CollageResult result = Build(ui);
    EXPECT_FALSE(result.written);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages.back().text.find("Cannot create the folder " + state.m_outputFolder), std::string::npos)
        << ui.messages.back().text;
    EXPECT_TRUE(ui.openedPages.empty());
    EXPECT_FALSE(ui.waitVisible);
}

TEST_F(PageWriting, OutputFolderWithoutSlashRunsIntoTheFileName) {
    state.m_outputFolder = (root / "out").string();
    state.m_imageVolume = 0;
    ScriptedUserInterface ui;
    CollageResult result = Build(ui);
    EXPECT_EQ(result.pagePath, (root / "outcollage1.html").string());
    EXPECT_TRUE(fs::exists(root / "outcollage1.html"));
    EXPECT_TRUE(fs::exists(root / "outartfonts/stampkit/a.gif"));
}
