// SPDX-License-Identifier: GPL-3.0-or-later
// The art-font folder, the page scripts and the manual laid out by the build.
#include "BuiltData.h"

#include "common/GifFile.h"
#include "common/SourceFiles.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

void WriteSmallFile(const std::string& path) { std::ofstream(path) << "x"; }

std::string ArtFonts() { return builtdata::Folder() + "/artfonts"; }

bool AllTransparent(const giffile::IndexedImage& gif) {
    for (std::uint8_t p : gif.pixels)
        if (p != gif.transparentIndex) return false;
    return true;
}

TEST(DeliveredFiles, EachLetterSetHas27GifsOfOneHeight) {
    REQUIRE_BUILT_DATA();
    for (const char* set : {"stampkit", "ransomnote", "lcd", "metal"}) {
        SCOPED_TRACE(set);
        int height = -1;
        int files = 0;
        std::vector<std::string> names;
        for (char c = 'a'; c <= 'z'; ++c) names.push_back(std::string(1, c) + ".gif");
        names.push_back("space.gif");
        for (const std::string& name : names) {
            const giffile::IndexedImage gif = giffile::Read(ArtFonts() + "/" + set + "/" + name);
            if (height < 0) height = gif.height;
            EXPECT_EQ(gif.height, height) << name;
            EXPECT_GT(gif.width, 4) << name;
            // a letter shows ink, the space shows nothing of a letter
            if (name != "space.gif") {
                EXPECT_FALSE(AllTransparent(gif)) << name;
            }
            ++files;
        }
        EXPECT_EQ(files, 27);
        EXPECT_GE(height, 24);
        int inFolder = 0;
        for (const auto& entry : fs::directory_iterator(ArtFonts() + "/" + set)) inFolder += entry.is_regular_file();
        EXPECT_EQ(inFolder, 27) << "no stray files are copied next to every page";
    }
}

// Another user of the same build or package copies them into their own
// data folder, so everyone may read them, also where an earlier build left
// a private file.
TEST(DeliveredFiles, LetterPicturesAreReadableByEveryone) {
    const fs::path scratch = fs::temp_directory_path() / ("gif-mode-" + std::to_string(::getpid()));
    fs::create_directories(scratch);
    const std::string path = (scratch / "a.gif").string();
    WriteSmallFile(path);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    const giffile::IndexedImage dot{1, 1, {0x000000, 0xFFFFFF}, {1}, -1};
    giffile::Write(path, dot);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
    fs::remove_all(scratch);

    REQUIRE_BUILT_DATA();
    for (const auto& entry : fs::recursive_directory_iterator(ArtFonts())) {
        if (!entry.is_regular_file()) continue;
        EXPECT_NE(entry.status().permissions() & fs::perms::others_read, fs::perms::none) << entry.path();
    }
}

TEST(DeliveredFiles, TheSpaceIsBlankWhereTheSetHasNoPanel) {
    REQUIRE_BUILT_DATA();
    for (const char* set : {"stampkit", "ransomnote", "metal"})
        EXPECT_TRUE(AllTransparent(giffile::Read(ArtFonts() + "/" + set + "/space.gif"))) << set;
}

TEST(DeliveredFiles, LettersDifferWithinEverySet) {
    REQUIRE_BUILT_DATA();
    for (const char* set : {"stampkit", "ransomnote", "lcd", "metal"}) {
        const std::string a = datasrc::ReadFile(ArtFonts() + "/" + set + "/a.gif");
        const std::string b = datasrc::ReadFile(ArtFonts() + "/" + set + "/b.gif");
        EXPECT_NE(a, b) << set;
    }
}

TEST(DeliveredFiles, PageScriptsProvideWhatThePageCalls) {
    REQUIRE_BUILT_DATA();
    const std::string drag = datasrc::ReadFile(ArtFonts() + "/wz_dragdrop.js");
    for (const char* name : {"SET_DHTML", "CURSOR_HAND", "RESIZABLE", "NO_DRAG"})
        EXPECT_NE(drag.find(std::string("global.") + name + " ="), std::string::npos) << name;
    const std::string capture = datasrc::ReadFile(ArtFonts() + "/canvas.js");
    EXPECT_NE(capture.find("onrendered"), std::string::npos);
    EXPECT_NE(capture.find("global.html2canvas = function"), std::string::npos);
    EXPECT_EQ(drag.find("sourceMappingURL"), std::string::npos);
}

TEST(DeliveredFiles, TheManualIsAStandaloneHtmlPage) {
    REQUIRE_BUILT_DATA();
    const std::string manual = datasrc::ReadFile(builtdata::Folder() + "/usermanual/vantelo_manual.html");
    EXPECT_EQ(manual.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(manual.find("</html>"), std::string::npos);
    // offline: nothing is fetched from elsewhere
    EXPECT_EQ(manual.find("http"), std::string::npos);
    for (const char* caption : {"GO!", "Text Over Images", "F.F. Capture Code", "Use Whole (no cuts)", "Stamp Kit"})
        EXPECT_NE(manual.find(caption), std::string::npos) << caption;
}

}  // namespace
