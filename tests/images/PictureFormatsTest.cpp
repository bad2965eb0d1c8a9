// SPDX-License-Identifier: GPL-3.0-or-later
// GIF, PNG, JPEG and WebP files made by ImageMagick and libvips at test time,
// imported by the real program, drawn into GO pages, reduced when large, and
// refused by name when they are no sound picture.
#include "ImageLibraryFixture.h"

#include "PictureFiles.h"
#include "support/PictureFormat.h"
#include "support/PictureNames.h"

#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <set>

using namespace imagesfixture;

namespace {

// A PNG that declares width x height pixels and holds almost nothing: a
// one-byte data chunk, `padding` bytes in a private chunk, and its end. No
// decoder may ever be given it.
std::string DeclaringPng(unsigned width, unsigned height, std::size_t padding) {
    const auto be32 = [](unsigned long v) {
        return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    };
    const auto chunk = [&](const std::string& type, const std::string& data) {
        return be32(data.size()) + type + data + std::string(4, '\0');
    };
    std::string ihdr = be32(width) + be32(height) + std::string("\x08\x02\0\0\0", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) + chunk("prVt", std::string(padding, 'x')) +
           chunk("IDAT", "x") + chunk("IEND", "");
}

struct PageItem {
    std::string src;
    int left, top, width, height;
};

class PictureFormatsTest : public ImageLibraryTest {
protected:
    void SetUp() override {
        ImageLibraryTest::SetUp();
        for (const char* file : {"wz_dragdrop.js", "canvas.js", "stampkit/a.gif", "stampkit/space.gif"}) {
            WriteFile(data + "/artfonts/" + file, "x");
        }
        folder = scratch / "real";
        fs::create_directories(folder);
    }

    // Runs a picture tool; the test cannot go on without its file.
    void Make(const std::string& command) {
        ASSERT_EQ(std::system(("cd " + Quoted(folder) + " && " + command + " 2>/dev/null").c_str()), 0) << command;
    }

    ProgramRun Images(const std::string& arguments, const std::string& prefix = "") {
        return RunTarvex4("images " + arguments + " --data " + Quoted(data), scratch.path(), prefix);
    }

    // Also gives the program's own peak memory. GNU time measures it: this
    // process's children would count this process too, as a child starts
    // as a copy of it.
    ProgramRun ImagesMeasured(const std::string& arguments, long& peakKilobytes) {
        const std::string peak = scratch / "peak.txt";
        const std::string out = scratch / "out.txt";
        const std::string err = scratch / "err.txt";
        const std::string command = "TARVEX4_NO_OPEN=1 ASAN_OPTIONS=detect_leaks=0 /usr/bin/time -f %M -o " +
                                    Quoted(peak) + " " + Quoted(TARVEX4_EXE) + " images " + arguments + " --data " +
                                    Quoted(data) + " >" + Quoted(out) + " 2>" + Quoted(err);
        const int status = std::system(command.c_str());
        ProgramRun run;
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadFile(out);
        run.err = ReadFile(err);
        // The last line; a failed command's status comes before it.
        const std::string report = ReadFile(peak);
        const std::size_t line = report.find_last_of('\n', report.size() >= 2 ? report.size() - 2 : 0);
        peakKilobytes = std::atol(report.c_str() + (line == std::string::npos ? 0 : line + 1));
        return run;
    }

    std::vector<PageItem> Go(int seed, const std::string& options) {
        const std::string out = scratch / "out";
        fs::remove_all(out);
        const ProgramRun run = Tarvex4("go --data " + Quoted(data) + " --out " + Quoted(out) + " --seed " +
                                       std::to_string(seed) + " --image-volume 20 --text-volume 0 " + options);
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string page = ReadFile(out + "/collage1.html");
        static const std::regex item(
            "top:(\\d+)px;left:(\\d+)px;[^>]*><IMG name='[^']*' SRC='([^']*)' "
            "width=(\\d+) height=(\\d+)");
        std::vector<PageItem> items;
        for (std::sregex_iterator it(page.begin(), page.end(), item), end; it != end; ++it) {
            items.push_back(
                {(*it)[3], std::stoi((*it)[2]), std::stoi((*it)[1]), std::stoi((*it)[4]), std::stoi((*it)[5])});
        }
        return items;
    }

    // Every picture of `expected` (page name -> width, height, file) appears
    // over a few pages at its size (clipped at the page's edge only), and the
    // file beside the page holds the picture's own bytes.
    void ExpectPages(const std::map<std::string, std::array<int, 2>>& expected,
                     const std::map<std::string, std::string>& files, const std::string& options) {
        std::set<std::string> seen;
        for (int seed = 1; seed <= 4; ++seed) {
            for (const PageItem& p : Go(seed, options)) {
                seen.insert(p.src);
                auto size = expected.find(p.src);
                ASSERT_NE(size, expected.end()) << p.src;
                if (p.left == 0 && p.top == 0 && p.width == 850 && p.height == 1100) continue;  // background
                EXPECT_EQ(p.width, std::min(size->second[0], 850 - p.left)) << p.src;
                EXPECT_EQ(p.height, std::min(size->second[1], 1100 - p.top)) << p.src;
                EXPECT_EQ(ReadFile(scratch / ("out/" + p.src)), ReadFile(folder + "/" + files.at(p.src))) << p.src;
            }
        }
        EXPECT_EQ(seen.size(), expected.size());
    }

    std::string folder;
};

TEST_F(PictureFormatsTest, EachFormatIsStoredAsItIsAndPagesNameItByItsKindAndSize) {
    Make("convert -delay 10 -size 40x30 xc:red xc:blue xc:green -loop 0 anim.gif");
    Make("convert -size 64x48 xc:none -fill red -draw 'circle 32,24 32,4' alpha.png");
    Make("convert -size 300x200 plasma:fractal plain.jpg");
    Make("convert -size 120x90 plasma:fractal w.webp");
    Make("convert -delay 10 -size 40x30 xc:red xc:blue -loop 0 anim.webp");
    Make("convert -size 70x50 plasma:fractal -define webp:lossless=true lossless.webp");
    Make("vips gaussnoise photo.jpg 50 40");
    WriteFile(folder + "/turned.jpg", WithExifOrientation(ReadFile(folder + "/plain.jpg"), 6));
    WriteFile(folder + "/left.jpg", WithExifOrientation(ReadFile(folder + "/plain.jpg"), 8, true));
    WriteFile(folder + "/upside.jpg", WithExifOrientation(ReadFile(folder + "/plain.jpg"), 3, true));
    fs::remove(folder + "/plain.jpg");
    // A well-known reader agrees that the orientation is there.
    Make("test \"$(vipsheader -f orientation turned.jpg)\" = 6 && test \"$(vipsheader -f orientation left.jpg)\" = 8");
    fs::copy_file(folder + "/alpha.png", folder + "/scan");    // a picture by content only
    fs::rename(folder + "/photo.jpg", folder + "/photo.png");  // a name that says another kind
    WriteFile(folder + "/notes.txt", "not a picture");

    const ProgramRun run = Images("import " + Quoted(folder) + " --new-category Real");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "10 pictures stored to category: Real\n");
    EXPECT_EQ(Select("SELECT FILENAME,WIDTH,HEIGHT FROM imagelibrary ORDER BY FILENAME"),
              (Rows{{"alpha.png", "64", "48"},
                    {"anim.gif", "40", "30"},
                    {"anim.webp", "40", "30"},
                    {"left.jpg", "200", "300"},  // orientation 8, numbers little-endian
                    {"lossless.webp", "70", "50"},
                    {"photo.png", "50", "40"},
                    {"scan", "64", "48"},
                    {"turned.jpg", "200", "300"},  // orientation 6: a quarter turn
                    {"upside.jpg", "300", "200"},  // orientation 3: a half turn
                    {"w.webp", "120", "90"}}));
    for (const char* name : {"alpha.png", "anim.gif", "anim.webp", "left.jpg", "lossless.webp", "photo.png", "scan",
                             "turned.jpg", "upside.jpg", "w.webp"}) {
        EXPECT_EQ(StoredBytes(name), ReadFile(folder + "/" + name)) << name;
    }

    // Library and picture folder alike, each page file has its kind's
    // extension, which is what a browser may go by.
    const std::map<std::string, std::array<int, 2>> expected = {
        {"alpha.png", {64, 48}},     {"anim.gif", {40, 30}},  {"anim.webp", {40, 30}}, {"left.jpg", {200, 300}},
        {"lossless.webp", {70, 50}}, {"photo.jpg", {50, 40}}, {"scan.png", {64, 48}},  {"turned.jpg", {200, 300}},
        {"upside.jpg", {300, 200}},  {"w.webp", {120, 90}}};
    const std::map<std::string, std::string> files = {
        {"alpha.png", "alpha.png"}, {"anim.gif", "anim.gif"},           {"anim.webp", "anim.webp"},
        {"left.jpg", "left.jpg"},   {"lossless.webp", "lossless.webp"}, {"photo.jpg", "photo.png"},
        {"scan.png", "scan"},       {"turned.jpg", "turned.jpg"},       {"upside.jpg", "upside.jpg"},
        {"w.webp", "w.webp"}};
    ASSERT_EQ(Images("select 1").status, 0);
    ExpectPages(expected, files, "");
    ASSERT_EQ(Images("select --none").status, 0);
    ExpectPages(expected, files, "--folder " + Quoted(folder));
}

TEST_F(PictureFormatsTest, ReduceStoresSmallerCopiesAndLeavesTheFilesAlone) {
    Make("vips gaussnoise n.v 2400 1800 && vips cast n.v u.v uchar && vips bandjoin 'u.v u.v u.v' big.jpg");
    Make("vips gaussnoise g.v 1000 800 && vips cast g.v u.v uchar && vips bandjoin 'u.v u.v u.v u.v' clear.png");
    Make("rm n.v g.v u.v && convert -size 40x30 xc:red small.gif");
    const std::string big = ReadFile(folder + "/big.jpg");
    const std::string clear = ReadFile(folder + "/clear.png");
    ASSERT_GT(big.size(), 372000u);
    ASSERT_GT(clear.size(), 372000u);

    // Off by default: skipped and counted, and the module is never needed.
    ProgramRun run = Images("import " + Quoted(folder) + " --new-category Skipped", "TARVEX4_PICTURES_MODULE=/none.so");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "1 GIFS stored to category: Skipped\n2 GIFS over 372000 bytes were skipped for their size.\n"
              "    big.jpg\n    clear.png\nAdd --reduce to store smaller copies of them.\n");

    // Without the module, the reason says which file it is and where it was looked for.
    run = Images("import " + Quoted(folder) + " --category Skipped --reduce", "TARVEX4_PICTURES_MODULE=/none.so");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("big.jpg: could not be reduced: the picture module /none.so could not be loaded"),
              std::string::npos)
        << run.err;

    run = Images("import " + Quoted(folder) + " --new-category Reduced --reduce");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "3 pictures stored to category: Reduced\n2 pictures over 372000 bytes were stored reduced.\n");
    const Rows rows = Select("SELECT FILENAME,WIDTH,HEIGHT FROM imagelibrary WHERE CATEGORY = '2' ORDER BY FILENAME");
    ASSERT_EQ(rows.size(), 3u);
    for (const auto& row : rows) {
        const std::string stored = StoredBytes(row[0]);
        const PictureHeader header =
            ReadPictureHeader(reinterpret_cast<const unsigned char*>(stored.data()), stored.size());
        EXPECT_LE(stored.size(), 372000u) << row[0];
        EXPECT_EQ(PictureProblem(header, reinterpret_cast<const unsigned char*>(stored.data()), stored.size()), "")
            << row[0];
        EXPECT_EQ(std::to_string(header.width), row[1]) << row[0];
        EXPECT_EQ(std::to_string(header.height), row[2]) << row[0];
        EXPECT_LE(std::max(header.width, header.height), 1600) << row[0];
    }
    // A photo stays a JPEG with its shape; transparency keeps a PNG (colour type 6).
    const std::string photo = StoredBytes("big.jpg");
    EXPECT_EQ(SniffPicture(reinterpret_cast<const unsigned char*>(photo.data()), photo.size()), PictureKind::Jpeg);
    EXPECT_NEAR(std::stoi(rows[0][1]) * 3, std::stoi(rows[0][2]) * 4, 8);
    const std::string png = StoredBytes("clear.png");
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png[25], 6);
    EXPECT_EQ(StoredBytes("small.gif"), ReadFile(folder + "/small.gif"));
    EXPECT_EQ(ReadFile(folder + "/big.jpg"), big);
    EXPECT_EQ(ReadFile(folder + "/clear.png"), clear);
}

// A two-frame 40 x 30 GIF as encoders write one: global colour table, loop
// extension, a comment holding trailer bytes, and per frame a graphic
// control extension and a one-pixel image with a local colour table.
std::string AnimatedGif() {
    const std::string table("\xFF\x00\x00\x00\x00\xFF", 6);
    const std::string frame = std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8) +
                              std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x80", 10) + table +
                              std::string("\x02\x02\x44\x01\x00", 5);
    return std::string("GIF89a\x28\x00\x1E\x00\x80\x00\x00", 13) + table +
           std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19) + "\x21\xFE\x07" + "a;note;" +
           std::string(1, '\0') + frame + frame + ";";
}

// Browsers show a GIF or PNG whatever follows its end (a tool's note, a
// second file glued on); only a picture cut before its end is refused, even
// where the cut leaves a trailer byte last.
TEST_F(PictureFormatsTest, BytesAfterThePicturesEndAreNoCut) {
    Make("convert -size 64x48 plasma:fractal tail.png");
    const std::string gif = AnimatedGif();
    WriteFile(folder + "/trailing.gif", gif + "appended by another tool\x21\x2C\x01");
    WriteFile(folder + "/padded.gif", gif + std::string(40, '\0'));
    WriteFile(folder + "/cut.gif", gif.substr(0, gif.size() - 1));
    WriteFile(folder + "/cutnote.gif", gif.substr(0, gif.find("a;") + 2));
    const std::string png = ReadFile(folder + "/tail.png");
    WriteFile(folder + "/tail.png", png + std::string(5000, 'x'));
    WriteFile(folder + "/cutpng.png", png.substr(0, png.size() - 6));

    const ProgramRun run = Images("import " + Quoted(folder) + " --new-category Tails");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Select("SELECT FILENAME,WIDTH,HEIGHT FROM imagelibrary ORDER BY FILENAME"),
              (Rows{{"padded.gif", "40", "30"}, {"tail.png", "64", "48"}, {"trailing.gif", "40", "30"}}));
    EXPECT_EQ(StoredBytes("trailing.gif"), ReadFile(folder + "/trailing.gif"));
    for (const char* line :
         {"cut.gif: the file ends early", "cutnote.gif: the file ends early", "cutpng.png: the file ends early"}) {
        EXPECT_NE(run.err.find(line), std::string::npos) << line << " in\n" << run.err;
    }
}

TEST(PictureNames, ControlCharactersAreWrittenAsPercentCodesForCopies) {
    EXPECT_EQ(SafePictureFileName("a\nb\tc\x01\x1F\x7F.gif"), "a%0Ab%09c%01%1F%7F.gif");
    // Every other name, UTF-8 and percent signs too, stays as it is.
    for (const char* name : {"plain.gif", "caf\xC3\xA9 50%.png", "https:x.gif", " spaced .gif"}) {
        EXPECT_EQ(SafePictureFileName(name), name);
    }
    EXPECT_EQ(ShownFileName("a\nb\\c\x02"), "a\\nb\\\\c\\x02");
}

TEST_F(PictureFormatsTest, BadPicturesAreRefusedByNameTheOthersStoredInBoundedMemory) {
    Make("convert -size 300x200 plasma:fractal good.jpg && cp good.jpg cut.jpg");
    Make("convert -size 120x90 plasma:fractal cut.webp && convert -size 64x48 xc:blue cut.png");
    Make("vips gaussnoise n.v 1200 900 && vips cast n.v u.v uchar && vips bandjoin 'u.v u.v u.v' bigcut.jpg");
    Make("rm n.v u.v && test $(stat -c %s bigcut.jpg) -gt 372000");
    for (const char* name : {"cut.jpg", "cut.webp", "cut.png", "bigcut.jpg"}) {
        const std::string whole = ReadFile(folder + "/" + name);
        WriteFile(folder + "/" + name, whole.substr(0, whole.size() - 20));
    }
    // Tiny files declaring 2.5 gigapixels: one under the size limit, one
    // over it (which --reduce would decode).
    WriteFile(folder + "/bomb.png", DeclaringPng(50000, 50000, 100));
    WriteFile(folder + "/bigbomb.png", DeclaringPng(50000, 50000, 400000));
    WriteFile(folder + "/fake.jpg", "<html>not a picture</html>");

    long peakKilobytes = 0;
    const ProgramRun run = ImagesMeasured("import " + Quoted(folder) + " --new-category Bad --reduce", peakKilobytes);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1 pictures stored to category: Bad\n7 files were refused: not sound pictures.\n");
    EXPECT_EQ(Select("SELECT FILENAME,WIDTH,HEIGHT FROM imagelibrary"), (Rows{{"good.jpg", "300", "200"}}));
    for (const char* line :
         {"cut.jpg: the file ends early", "cut.webp: the file ends early", "cut.png: the file ends early",
          "bigcut.jpg: the file ends early", "fake.jpg: not a GIF, PNG, JPEG or WebP picture",
          "bomb.png: declares 50000 x 50000 pixels", "bigbomb.png: declares 50000 x 50000 pixels"}) {
        EXPECT_NE(run.err.find(line), std::string::npos) << line << " in\n" << run.err;
    }
    // The import stayed small.
    EXPECT_GT(peakKilobytes, 0);
    EXPECT_LT(peakKilobytes, 200L * 1024) << "kilobytes";
}

}  // namespace
