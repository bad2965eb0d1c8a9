#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

// Runs the built program's shred command; returns its exit status.
class ShredCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("shred_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    int Run(const std::string& arguments, const std::string& input) {
        std::ofstream(folder / "in.txt", std::ios::binary) << input;
        const std::string command = std::string("ASAN_OPTIONS=detect_leaks=0 '") + TARVEX4_EXE + "' shred " +
                                    arguments + " < '" + (folder / "in.txt").string() + "' > '" +
                                    (folder / "out.txt").string() + "' 2> '" + (folder / "err.txt").string() + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Read(const char* name) {
        std::ifstream in(folder / name, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    fs::path folder;
};

TEST_F(ShredCommandTest, ShredsStandardInputLineByLine) {
    ASSERT_EQ(Run("", "shredding the words\nfragments  of text\r\nlast"), 0);
    EXPECT_EQ(Read("out.txt"), "shr the wor\nfra  of tex\r\nlas");

    ASSERT_EQ(Run("--suffix --size 4", "fragments of text\n\xC3\xA9t\xC3\xA9s na\xC3\xAFvet\xC3\xA9\n"), 0);
    EXPECT_EQ(Read("out.txt"), "ents of text\n\xC3\xA9t\xC3\xA9s vet\xC3\xA9\n");
}

TEST_F(ShredCommandTest, ReadsANamedFile) {
    std::ofstream(folder / "named.txt") << "collage maker\n";
    ASSERT_EQ(Run("--size 5 '" + (folder / "named.txt").string() + "'", ""), 0);
    EXPECT_EQ(Read("out.txt"), "colla maker\n");
}

TEST_F(ShredCommandTest, RejectsBadOptionsAndUnreadableFiles) {
    EXPECT_EQ(Run("--size 6", "x"), 2);
    EXPECT_EQ(Run("--prefix --suffix", "x"), 2);
    EXPECT_EQ(Run("'" + (folder / "missing.txt").string() + "'", ""), 1);
    EXPECT_NE(Read("err.txt").find("cannot open"), std::string::npos);
    EXPECT_EQ(Run("'" + folder.string() + "'", ""), 1);
    EXPECT_TRUE(Read("out.txt").empty());
}

}  // namespace
