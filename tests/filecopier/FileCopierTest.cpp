// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FileCopier.h"
#include "support/FolderListing.h"

#include "ScratchFolder.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class ScratchTree : public ::testing::Test {
protected:
    std::string Path(const std::string& relative) const { return scratch / relative; }
    void Write(const std::string& relative, const std::string& content) const { WriteFile(Path(relative), content); }
    std::string Read(const std::string& relative) const { return ReadFile(Path(relative)); }
    ScratchFolder scratch;
};

class FileCopying : public ScratchTree {};
class FolderListing : public ScratchTree {};

}  // namespace

TEST(MakeCopyName, NamesFollowTheCopyOfSequence) {
    EXPECT_EQ(MakeCopyName("/out/pic.gif"), "/out/Copy of pic.gif");
    EXPECT_EQ(MakeCopyName("/out/Copy of pic.gif"), "/out/Copy (1) of pic.gif");
    EXPECT_EQ(MakeCopyName("/out/Copy (1) of pic.gif"), "/out/Copy (2) of pic.gif");
    EXPECT_EQ(MakeCopyName("/out/Copy (9) of pic.gif"), "/out/Copy (10) of pic.gif");
    EXPECT_EQ(MakeCopyName("noext"), "Copy of noext");
}

TEST(MakeCopyName, CopyElsewhereInTheNameIsTakenForACopyName) {
    // "My Copy x" holds "Copy ": its first 8 characters are cut.
    EXPECT_EQ(MakeCopyName("/d/My Copy xyz.gif"), "/d/Copy (1) of xyz.gif");
    // "Copy (" without ")" is not a numbered copy.
    EXPECT_EQ(MakeCopyName("/d/Copy (x.gif"), "/d/Copy of Copy (x.gif");
    // A short base is cut to nothing rather than past its end.
    EXPECT_EQ(MakeCopyName("/d/Copy x.gif"), "/d/Copy (1) of .gif");
    // The extension is the part after the last dot of the file, not the folder.
    EXPECT_EQ(MakeCopyName("/a.b/file"), "/a.b/Copy of file");
}

TEST(MakeCopyName, TheLargestNumbersGoOnWithoutOverflow) {
    EXPECT_EQ(MakeCopyName("/d/Copy (2147483647) of x.gif"), "/d/Copy (2147483648) of x.gif");
    // Beyond any number: a new sequence, so a name still comes that differs.
    const std::string last = "/d/Copy (9223372036854775807) of x.gif";
    EXPECT_EQ(MakeCopyName(last), "/d/Copy of Copy (9223372036854775807) of x.gif");
    EXPECT_EQ(MakeCopyName("/d/Copy (99999999999999999999999) of x.gif"),
              "/d/Copy of Copy (99999999999999999999999) of x.gif");
}

TEST_F(FileCopying, KeepExistingModeWritesCopyNamesAndLeavesTheFile) {
    Write("src/pic.gif", "new");
    Write("out/pic.gif", "old");
    FileCopier copier;
    ASSERT_TRUE(copier.SafeCopy(Path("src/pic.gif"), Path("out")));
    ASSERT_TRUE(copier.SafeCopy(Path("src/pic.gif"), Path("out/")));
    ASSERT_TRUE(copier.SafeCopy(Path("src/pic.gif"), Path("out")));
    EXPECT_EQ(Read("out/pic.gif"), "old");
    EXPECT_EQ(Read("out/Copy of pic.gif"), "new");
    EXPECT_EQ(Read("out/Copy (1) of pic.gif"), "new");
    EXPECT_EQ(Read("out/Copy (2) of pic.gif"), "new");
}

TEST_F(FileCopying, OverwriteModeReplacesTheFile) {
    Write("src/pic.gif", "new");
    Write("out/pic.gif", "old");
    FileCopier copier;
    copier.SetOverwrite(true);
    ASSERT_TRUE(copier.SafeCopy(Path("src/pic.gif"), Path("out")));
    EXPECT_EQ(Read("out/pic.gif"), "new");
    EXPECT_FALSE(fs::exists(Path("out/Copy of pic.gif")));
}

TEST_F(FileCopying, FailuresAreReportedThroughTheResult) {
    FileCopier copier;
    EXPECT_EQ(copier.LastErrorText(), "No error");
    EXPECT_FALSE(copier.SafeCopy(Path("missing.gif"), scratch.path()));
    EXPECT_EQ(copier.LastErrorText(), Path("missing.gif") + " not found");
    EXPECT_EQ(copier.LastErrorCode(), 0);

    Write("a.txt", "a");
    EXPECT_FALSE(copier.SafeCopy(Path("a.txt"), Path("nowhere/")));
    EXPECT_EQ(copier.LastErrorText(), Path("nowhere/") + " not found");

    fs::create_directories(Path("dir"));
    EXPECT_FALSE(copier.SafeCopy(Path("dir"), Path("a.txt")));
    EXPECT_EQ(copier.LastErrorText(), "Wrong operation");
}

TEST_F(FileCopying, FileOntoExistingFileInKeepModeGoesUnderACopyName) {
    Write("a.txt", "a");
    Write("b.txt", "b");
    FileCopier copier;
    ASSERT_TRUE(copier.SafeCopy(Path("a.txt"), Path("b.txt")));
    EXPECT_EQ(Read("b.txt"), "b");
    EXPECT_EQ(Read("Copy of b.txt"), "a");

    // A link to nothing takes its name as much as a file does.
    fs::create_symlink(Path("nowhere.txt"), Path("Copy (1) of b.txt"));
    ASSERT_TRUE(copier.SafeCopy(Path("a.txt"), Path("b.txt"))) << copier.LastErrorText();
    EXPECT_EQ(Read("Copy (2) of b.txt"), "a");
    EXPECT_FALSE(fs::exists(Path("nowhere.txt")));
}

TEST_F(FileCopying, FolderIntoFolderCopiesTheWholeTree) {
    Write("data/artfonts/canvas.js", "c");
    Write("data/artfonts/stampkit/a.gif", "A");
    Write("data/artfonts/stampkit/deep/x.gif", "X");
    fs::create_directories(Path("out"));
    FileCopier copier;
    ASSERT_TRUE(copier.SafeCopy(Path("data/artfonts"), Path("out"))) << copier.LastErrorText();
    EXPECT_EQ(Read("out/artfonts/canvas.js"), "c");
    EXPECT_EQ(Read("out/artfonts/stampkit/a.gif"), "A");
    EXPECT_EQ(Read("out/artfonts/stampkit/deep/x.gif"), "X");
}

TEST_F(FileCopying, DepthLimitStopsDescentAndIsResetAfterEachCopy) {
    Write("data/top/one.txt", "1");
    Write("data/top/sub/two.txt", "2");
    fs::create_directories(Path("out"));
    FileCopier copier;
    copier.SetFolderDepthLimit(0);
    ASSERT_TRUE(copier.SafeCopy(Path("data/top"), Path("out")));
    EXPECT_TRUE(fs::exists(Path("out/top/one.txt")));
    EXPECT_FALSE(fs::exists(Path("out/top/sub")));
    copier.SetOverwrite(true);
    ASSERT_TRUE(copier.SafeCopy(Path("data/top"), Path("out")));
    EXPECT_TRUE(fs::exists(Path("out/top/sub/two.txt")));
}

TEST_F(FileCopying, CopyFolderTreeInOverwriteModeTwiceCreatesNothingNew) {
    Write("data/artfonts/wz_dragdrop.js", "v1");
    Write("data/artfonts/lcd/b.gif", "b");
    fs::create_directories(Path("out"));
    FileCopier copier;
    copier.SetOverwrite(true);
    copier.CopyFolderTree(Path("data/artfonts"), Path("out/"));
    Write("data/artfonts/wz_dragdrop.js", "v2");
    copier.CopyFolderTree(Path("data/artfonts"), Path("out/"));
    EXPECT_EQ(Read("out/artfonts/wz_dragdrop.js"), "v2");
    size_t count = 0;
    for (auto it = fs::recursive_directory_iterator(Path("out")); it != fs::recursive_directory_iterator(); ++it)
        ++count;
    EXPECT_EQ(count, 4u);  // artfonts, its script, lcd, b.gif

    // A search that finds nothing copies nothing and does not fail.
    EXPECT_NO_THROW(copier.CopyFolderTree(Path("data/none"), Path("out/")));
}

TEST_F(FileCopying, CopyOneFileThrowsWhenTheTargetCannotBeWritten) {
    Write("a.txt", "a");
    FileCopier copier;
    EXPECT_THROW(copier.CopyOneFile(Path("a.txt"), Path("no/such/dir/a.txt")), CFExeption);
}

TEST_F(FileCopying, FolderCopiedIntoItselfDoesNotCopyItsOwnCopy) {
    Write("a/f.txt", "f");
    Write("a/b/g.txt", "g");
    FileCopier copier;
    ASSERT_TRUE(copier.SafeCopy(Path("a"), Path("a/b")));
    EXPECT_EQ(Read("a/b/a/f.txt"), "f");
    EXPECT_EQ(Read("a/b/a/b/g.txt"), "g");
    EXPECT_FALSE(fs::exists(Path("a/b/a/b/a")));
    // Into its own parent: already there, nothing happens.
    EXPECT_TRUE(copier.SafeCopy(Path("a/b"), Path("a")));
    EXPECT_FALSE(fs::exists(Path("a/b/b")));
}

TEST_F(FolderListing, ListingMarksFoldersAndDropsTheLastBar) {
    Write("pics/b.gif", "");
    Write("pics/a.txt", "");
    fs::create_directories(Path("pics/x.gif"));
    EXPECT_EQ(ListFolderEntries(Path("pics") + "/*.*"), "a.txt|b.gif|x.gif  [FOLDER]");
    EXPECT_EQ(ListFolderEntries(Path("pics") + "/*.gif"), "b.gif|x.gif  [FOLDER]");
}

TEST_F(FolderListing, ListingQuirksOfEmptyAndTinyFolders) {
    fs::create_directories(Path("empty"));
    EXPECT_EQ(ListFolderEntries(Path("empty") + "/*.*"), "");
    EXPECT_EQ(ListFolderEntries(Path("missing") + "/*.*"), "");
    // A one-letter file gives "a|": only texts longer than 2 lose their bar.
    Write("tiny/a", "");
    EXPECT_EQ(ListFolderEntries(Path("tiny") + "/*.*"), "a|");
}

TEST(MatchesPattern, WildcardsAsTheSearchReadsThem) {
    EXPECT_TRUE(MatchesPattern("noext", "*.*"));
    EXPECT_TRUE(MatchesPattern("a.gif", "*.gif"));
    EXPECT_FALSE(MatchesPattern("a.gift", "*.gif"));
    EXPECT_TRUE(MatchesPattern("abc", "a?c"));
    EXPECT_TRUE(MatchesPattern("artfonts", "artfonts"));
    EXPECT_FALSE(MatchesPattern("artfont", "artfonts"));
    EXPECT_TRUE(MatchesPattern("aXbYc", "a*b*c"));
}
