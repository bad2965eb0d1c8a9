// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 images import/list/select, run as the program, and what a GO
// run takes from the selection afterwards.
#include "ImageLibraryFixture.h"

#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <set>

using namespace imagesfixture;

namespace {

class ImagesCommandTest : public ImageLibraryTest {
protected:
    void SetUp() override {
        ImageLibraryTest::SetUp();
        // The page's scripts and one letter set, so a GO run finds what it copies.
        for (const char* file : {"wz_dragdrop.js", "canvas.js", "stampkit/a.gif", "stampkit/space.gif"}) {
            WriteFile(data + "/artfonts/" + file, "x");
        }
    }

    std::string Folder(const std::string& name, const std::vector<std::pair<std::string, std::string>>& files) {
        const std::string folder = scratch / name;
        fs::create_directories(folder);
        for (const auto& [file, bytes] : files) WriteFile(folder + "/" + file, bytes);
        return folder;
    }

    ProgramRun Images(const std::string& arguments) {
        return Tarvex4("images " + arguments + " --data " + Quoted(data));
    }

    // The SRC names and sizes of the picture items of a GO page.
    struct Picture {
        std::string src;
        int width, height;
    };
    std::vector<Picture> GoPictures(int seed) {
        const std::string out = scratch / "out";
        ProgramRun run = Tarvex4("go --data " + Quoted(data) + " --out " + Quoted(out) + " --seed " +
                                 std::to_string(seed) + " --image-volume 20 --text-volume 0");
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string page = ReadFile(out + "/collage1.html");
        std::vector<Picture> pictures;
        for (size_t at = page.find("SRC='"); at != std::string::npos; at = page.find("SRC='", at + 1)) {
            const size_t end = page.find('\'', at + 5);
            const size_t width = page.find(" width=", end);
            const size_t height = page.find(" height=", end);
            pictures.push_back({page.substr(at + 5, end - at - 5), std::atoi(page.c_str() + width + 7),
                                std::atoi(page.c_str() + height + 8)});
        }
        return pictures;
    }
};

TEST_F(ImagesCommandTest, ImportIntoNewAndExistingCategories) {
    const std::string cats = Folder("cats", {{"Cat1.GIF", GifBytes(10, 10)},
                                             {"cat2.gif", GifBytes(20, 20)},
                                             {"readme.txt", "no"},
                                             {"big.gif", GifBytes(1, 1, 400000)}});
    ProgramRun run = Images("import " + Quoted(cats) + " --new-category Cats");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "2 GIFS stored to category: Cats\n1 GIFS over 372000 bytes were skipped for their size.\n"
              "    big.gif\nAdd --reduce to store smaller copies of them.\n");

    run = Images("import " + Quoted(cats) + " --category Cats");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "2 GIFS stored to category: Cats");
    EXPECT_EQ(Select("SELECT CATEGORY, COUNT(*) FROM imagelibrary GROUP BY CATEGORY"), (Rows{{"1", "4"}}));
}

TEST_F(ImagesCommandTest, ImportRefusals) {
    const std::string folder = Folder("p", {{"a.gif", GifBytes(1, 1)}});
    // Names the list could not show as one column are usage errors, said
    // as the command line says them.
    for (const char* name : {"''", "' '", "\"$(printf 'a\\tb')\"", "\"$(printf 'two\\nlines')\""}) {
        ProgramRun refused = Images("import " + Quoted(folder) + " --new-category " + name);
        EXPECT_EQ(refused.status, 2) << name;
        EXPECT_NE(refused.err.find("--new-category: "), std::string::npos) << refused.err;
        EXPECT_EQ(refused.err.find("Enter text"), std::string::npos) << refused.err;
    }
    // A folder without a picture makes no category.
    ProgramRun run = Images("import " + Quoted(Folder("none", {{"notes.txt", "words"}})) + " --new-category Empty");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("no pictures in " + (scratch / "none")), std::string::npos) << run.err;
    EXPECT_TRUE(Select("SELECT CATEGORY FROM imagecategory").empty());

    run = Images("import " + Quoted(folder) + " --category Nothing");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");

    EXPECT_EQ(Images("import " + Quoted(folder)).status, 2);
    EXPECT_EQ(Images("import " + Quoted(folder) + " --category a --new-category b").status, 2);

    // A prefix of a listed name, or the name itself, is refused: before, the
    // pictures went to category 1 and the run said it stored them.
    ASSERT_EQ(Images("import " + Quoted(folder) + " --new-category Patterns").status, 0);
    for (const char* typed : {"pat", "PATTERNS"}) {
        run = Images("import " + Quoted(folder) + " --new-category " + typed);
        EXPECT_EQ(run.status, 1) << typed;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Duplicate Category: Category name is not unique."), std::string::npos) << run.err;
    }

    // A folder that is missing or a file: said on stderr, nothing made.
    for (const std::string& bad : {folder + "/none", folder + "/a.gif"}) {
        run = Images("import " + Quoted(bad) + " --new-category N");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("The folder " + bad + " could not be read: "), std::string::npos) << run.err;
    }
    EXPECT_EQ(Select("SELECT CATEGORY FROM imagecategory"), (Rows{{"Patterns"}}));
    EXPECT_EQ(Select("SELECT COUNT(*) FROM imagelibrary"), (Rows{{"1"}}));

    // A named pipe is skipped, not waited on.
    ASSERT_EQ(::mkfifo((folder + "/x.gif").c_str(), 0644), 0);
    run = Images("import " + Quoted(folder) + " --category Patterns");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1 GIFS stored to category: Patterns\n1 GIFS were skipped: not regular files.\n");
    EXPECT_NE(run.err.find("x.gif: not a regular file, skipped"), std::string::npos) << run.err;

    // A data folder without a database is not made one.
    run = Tarvex4("images list --data " + Quoted(scratch / "empty"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(scratch / "empty/words6.db is missing"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(scratch / "empty/words6.db"));
}

// Pictures a page cannot show are left, but named with their kind, which
// their bytes tell whatever their names say.
TEST_F(ImagesCommandTest, PicturesOfOtherKindsAreNamedWithTheirKind) {
    using namespace std::string_literals;
    const std::vector<std::pair<std::string, std::string>> others = {
        {"IMG_0001",
         "\0\0\0\x18"s
         "ftypheic\0\0\0\0mif1heic"s},
        // The general HEIF brand first, AVIF among the compatible ones.
        {"photo.avif",
         "\0\0\0\x1c"s
         "ftypmif1\0\0\0\0avifmiafmif1"s},
        {"scan.tif", "II*\0\x08\0\0\0"s},
        {"old.bmp", "BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0"s},
        {"logo",
         "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- by hand -->\n"
         "<!DOCTYPE svg [ <!ENTITY e \"<x>\"> ]>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>"s},
        {"favicon.ico", "\0\0\x01\0\x01\0\x10\x10\0\0\x01\0\x20\0\x10\0\0\0\x16\0\0\0"s},
        {"art.jxl", "\xFF\x0A\xFA\x1F"s},
        {"layers.psd", "8BPS\0\x01\0\0\0\0\0\0"s},
    };
    std::vector<std::pair<std::string, std::string>> files = others;
    files.push_back({"a.gif", GifBytes(3, 3)});
    // No pictures, though they start alike: a film, texts.
    files.push_back({"film.mp4",
                     "\0\0\0\x18"s
                     "ftypisom\0\0\0\0isomiso2"s});
    files.push_back({"notes", "BM is a word, and so is II*"});
    files.push_back({"page.html", "<svgish>"});
    ProgramRun run = Images("import " + Quoted(Folder("kinds", files)) + " --new-category Kinds");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "1 GIFS stored to category: Kinds\n8 files were not taken: picture kinds the library does not hold.\n");
    for (const char* line :
         {"IMG_0001: HEIC pictures are not taken (GIF, JPEG, PNG and WebP are)", "photo.avif: AVIF pictures",
          "scan.tif: TIFF pictures", "old.bmp: BMP pictures", "logo: SVG pictures", "favicon.ico: ICO pictures",
          "art.jxl: JPEG XL pictures", "layers.psd: PSD pictures"}) {
        EXPECT_NE(run.err.find(line), std::string::npos) << line << " in\n" << run.err;
    }
    for (const char* name : {"film.mp4", "notes", "page.html"}) EXPECT_EQ(run.err.find(name), std::string::npos);
    EXPECT_EQ(Select("SELECT FILENAME FROM imagelibrary"), (Rows{{"a.gif"}}));

    // Only such pictures: no category, and each is named.
    run = Images("import " + Quoted(Folder("heic", {others[0]})) + " --new-category Phone");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no pictures in "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("IMG_0001: HEIC pictures are not taken"), std::string::npos) << run.err;
    // A name that promises a PNG and holds a TIFF is refused with its kind.
    run = Images("import " + Quoted(Folder("named", {{"wrong.png", others[2].second}})) + " --category Kinds");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("wrong.png: TIFF pictures are not taken"), std::string::npos) << run.err;
    EXPECT_EQ(Select("SELECT CATEGORY FROM imagecategory"), (Rows{{"Kinds"}}));
}

TEST_F(ImagesCommandTest, ListAndSelect) {
    AddCategories({"Cats", "Dogs", "Birds"});
    Sql(wordsdb::InsertImage("2", "d.gif", "1", "1", "x"));
    Sql(wordsdb::InsertImage("2", "e.gif", "1", "1", "x"));

    ProgramRun run = Images("select Birds,2");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Select("SELECT SELECTIONLIST FROM categoryselections"), (Rows{{"2,3"}}));
    run = Images("list");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "1\tCats\t0\t-\n2\tDogs\t2\tselected\n3\tBirds\t0\tselected\n");
    run = Images("list --json");
    EXPECT_EQ(run.status, 0) << run.err;
    const nlohmann::json listed = nlohmann::json::parse(run.out);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[1], (nlohmann::json{{"id", 2}, {"name", "Dogs"}, {"pictures", 2}, {"selected", true}}));
    EXPECT_EQ(Images("select Cats,Wolves").status, 1);
    EXPECT_EQ(Select("SELECT SELECTIONLIST FROM categoryselections"), (Rows{{"2,3"}}));

    EXPECT_EQ(Images("select --none").status, 0);
    EXPECT_EQ(Select("SELECT SELECTIONLIST FROM categoryselections"), (Rows{{""}}));

    // Unknown IDs and malformed lists change nothing.
    run = Images("select 1,7");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("7"), std::string::npos);
    EXPECT_EQ(Images("select 1,,2").status, 2);
    EXPECT_EQ(Images("select").status, 2);
    EXPECT_EQ(Images("select 1 --none").status, 2);
    EXPECT_EQ(Select("SELECT SELECTIONLIST FROM categoryselections"), (Rows{{""}}));
}

TEST_F(ImagesCommandTest, GoTakesPicturesFromTheSelectedCategoriesOnly) {
    Images("import " + Quoted(Folder("cats", {{"cat.gif", GifBytes(10, 10)}})) + " --new-category Cats");
    Images("import " + Quoted(Folder("dogs", {{"dog.gif", GifBytes(10, 10)}})) + " --new-category Dogs");
    // A row without a size, as a library from before pictures were checked may hold.
    AddCategories({"Odd"});
    SqlBlob blob;
    blob.SetBytes(reinterpret_cast<const unsigned char*>("not a GIF"), 9);
    Sql(wordsdb::InsertImage("3", "odd.gif", "0", "0", blob.Encoded()));
    ASSERT_EQ(Images("select 2,3").status, 0);
    std::set<std::string> seen;
    for (int seed : {1, 2, 3}) {
        for (const Picture& p : GoPictures(seed)) {
            seen.insert(p.src);
            // A picture stored without a size still gets one on the page.
            EXPECT_GT(p.width, 0) << p.src;
            EXPECT_GT(p.height, 0) << p.src;
        }
    }
    EXPECT_EQ(seen, (std::set<std::string>{"dog.gif", "odd.gif"}));
    EXPECT_EQ(ReadFile(scratch / "out/odd.gif"), "not a GIF");
}

}  // namespace
