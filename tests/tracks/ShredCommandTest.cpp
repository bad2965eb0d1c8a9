// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramRun.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

// The built program's shred command, `input` on its standard input.
class ShredCommandTest : public ::testing::Test {
protected:
    ProgramRun Run(const std::string& arguments, const std::string& input) {
        WriteFile(folder / "in.txt", input);
        return RunTarvex4("shred " + arguments + " < " + Quoted(folder / "in.txt"), folder.path());
    }

    ScratchFolder folder;
};

TEST_F(ShredCommandTest, ShredsStandardInputLineByLine) {
    ProgramRun run = Run("", "shredding the words\nfragments  of text\r\nlast");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "shr the wor\nfra  of tex\r\nlas");

    run = Run("--suffix --size 4", "fragments of text\n\xC3\xA9t\xC3\xA9s na\xC3\xAFvet\xC3\xA9\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "ents of text\n\xC3\xA9t\xC3\xA9s vet\xC3\xA9\n");
}

TEST_F(ShredCommandTest, ReadsANamedFile) {
    WriteFile(folder / "named.txt", "collage maker\n");
    const ProgramRun run = Run("--size 5 " + Quoted(folder / "named.txt"), "");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "colla maker\n");
}

TEST_F(ShredCommandTest, RejectsBadOptionsAndUnreadableFiles) {
    EXPECT_EQ(Run("--size 6", "x").status, 2);
    EXPECT_EQ(Run("--prefix --suffix", "x").status, 2);
    const ProgramRun missing = Run(Quoted(folder / "missing.txt"), "");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
    const ProgramRun folderGiven = Run(Quoted(folder.path()), "");
    EXPECT_EQ(folderGiven.status, 1);
    EXPECT_TRUE(folderGiven.out.empty());
}

}  // namespace
