// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 export and go --png/--pdf/--svg as the user runs them: a page of
// known items drawn offscreen, probed at those items' pixels.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "PictureFiles.h"
#include "ProgramRun.h"
#include "ScratchFolder.h"
#include "TestApplication.h"
#include "TestFiles.h"
#include "page/ArtFontLetters.h"
#include "page/CollageModel.h"

namespace fs = std::filesystem;
using collage::ItemKind;

namespace {

constexpr int kFrame = 1;

void WritePicture(const fs::path& path, int width, int height, QColor colour) {
    fs::create_directories(path.parent_path());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    // The format is told by the bytes, whatever the name says.
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
}

class CollageExport : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        WritePicture(folder / "red.gif", 40, 20, Qt::red);
        WritePicture(folder / "artfonts/stampkit/a.gif", 10, 30, Qt::blue);
        WritePicture(folder / "artfonts/stampkit/space.gif", 10, 30, Qt::yellow);

        model.background = 0x00FF00;  // green
        collage::Item picture;
        picture.kind = ItemKind::kPicture;
        picture.file = "red.gif";
        picture.left = 100, picture.top = 200, picture.width = 80, picture.height = 40, picture.z = 1;
        collage::Item snip;
        snip.number = 0;
        snip.style = 0;
        snip.background = 0xFF0000;  // blue box, over the picture's right half
        snip.fontSpan = "<font face='Liberation Sans' color='#FFFFFF'><span style='font-size:12pt;'>";
        snip.words = "hello words";
        snip.left = 140, snip.top = 210, snip.width = 300, snip.z = 3;
        collage::Item letters;
        letters.kind = ItemKind::kLetters;
        letters.number = 1;
        letters.style = 2;
        // " aaa": four letters of 10 px in a box of 25 px: two to a line.
        letters.lettersHtml = BuildArtFontLetters("aaa", 2);
        letters.lettersHtml = "<IMG SRC='artfonts/stampkit/space.gif'>" + letters.lettersHtml;
        letters.left = 500, letters.top = 600, letters.width = 25, letters.z = 2;
        model.items = {picture, snip, letters};
        WriteFile(folder / "page.html", collage::WritePage(model));
    }

    ProgramRun Export(const std::string& arguments) {
        return RunTarvex4("export " + Quoted(folder / "page.html") + " " + arguments, work);
    }
    QColor Pixel(const QImage& image, int x, int y, int scale = 1) {
        return image.pixelColor((x + kFrame) * scale, (y + kFrame) * scale);
    }

    ScratchFolder scratch;
    fs::path folder = fs::path(scratch.path()) / "pages";
    fs::path work = fs::path(scratch.path());
    collage::Collage model;
};

TEST_F(CollageExport, PngShowsEachItemAtItsBoxInZOrder) {
    const std::string png = folder / "out.png";
    const ProgramRun run = Export("--png " + Quoted(png));
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(852, 1102));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));  // the frame
    EXPECT_EQ(Pixel(image, 5, 5), QColor(Qt::green));      // the container's colour
    EXPECT_EQ(Pixel(image, 105, 235), QColor(Qt::red));    // picture, scaled to 80 x 40
    EXPECT_EQ(Pixel(image, 178, 205), QColor(Qt::red));
    EXPECT_EQ(Pixel(image, 185, 205), QColor(Qt::green));  // right of the picture
    EXPECT_EQ(Pixel(image, 435, 212), QColor(Qt::blue));   // the snip's box, its width
    EXPECT_EQ(Pixel(image, 445, 212), QColor(Qt::green));
    // Letters flow two to a line: space a / a a.
    EXPECT_EQ(Pixel(image, 505, 615), QColor(Qt::yellow));
    EXPECT_EQ(Pixel(image, 515, 615), QColor(Qt::blue));
    EXPECT_EQ(Pixel(image, 521, 615), QColor(Qt::green));
    EXPECT_EQ(Pixel(image, 505, 650), QColor(Qt::blue));
    EXPECT_EQ(Pixel(image, 505, 600 + 2 * 40), QColor(Qt::green));
    // White words drawn in the snip, which (z 3) hides the picture (z 1) where they meet.
    int white = 0, red = 0;
    for (int x = 141; x < 440; ++x) {
        for (int y = 211; y < 225; ++y) {
            white += Pixel(image, x, y).lightness() > 200;
            red += Pixel(image, x, y) == QColor(Qt::red);
        }
    }
    EXPECT_GT(white, 40);
    EXPECT_EQ(red, 0);

    // The same page gives the same picture, byte for byte; 2x doubles it.
    const std::string again = folder / "again.png";
    const std::string twice = folder / "twice.png";
    ASSERT_EQ(Export("--png " + Quoted(again)).status, 0);
    EXPECT_EQ(ReadFile(again), ReadFile(png));
    ASSERT_EQ(Export("--scale 2 --png " + Quoted(twice)).status, 0);
    const QImage large(QString::fromStdString(twice));
    EXPECT_EQ(large.size(), QSize(1704, 2204));
    EXPECT_EQ(Pixel(large, 105, 235, 2), QColor(Qt::red));
}

TEST_F(CollageExport, PhotosStandAsTheBrowserShowsThemAndWebpIsDrawn) {
    // 60 x 40, red left and blue right; its EXIF orientation 6 turns it a
    // quarter clockwise, so the browser shows it 40 x 60, red above blue.
    QImage photo(60, 40, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 30; ++x) photo.setPixelColor(x, y, Qt::red);
    }
    ASSERT_TRUE(photo.save(QString::fromStdString((folder / "plain.jpg").string()), "JPEG", 95));
    WriteFile(folder / "turned.jpg", WithExifOrientation(ReadFile(folder / "plain.jpg"), 6));
    QImage square(30, 30, QImage::Format_RGB32);
    square.fill(Qt::yellow);
    ASSERT_TRUE(square.save(QString::fromStdString((folder / "square.webp").string()), "WEBP", 100));
    collage::Item turned;
    turned.kind = ItemKind::kPicture;
    turned.file = "turned.jpg";
    turned.left = 300, turned.top = 400, turned.width = 40, turned.height = 60, turned.z = 4;
    collage::Item webp = turned;
    webp.file = "square.webp";
    webp.left = 600, webp.top = 100, webp.width = 30, webp.height = 30;
    model.items.push_back(turned);
    model.items.push_back(webp);
    WriteFile(folder / "page.html", collage::WritePage(model));

    const std::string png = folder / "out.png";
    const ProgramRun run = Export("--png " + Quoted(png));
    ASSERT_EQ(run.status, 0) << run.err;
    QImage image(QString::fromStdString(png));
    const auto near = [](QColor seen, QColor wanted) {
        return std::abs(seen.red() - wanted.red()) < 40 && std::abs(seen.green() - wanted.green()) < 40 &&
               std::abs(seen.blue() - wanted.blue()) < 40;
    };
    EXPECT_TRUE(near(Pixel(image, 320, 410), Qt::red)) << Pixel(image, 320, 410).name().toStdString();
    EXPECT_TRUE(near(Pixel(image, 320, 450), Qt::blue)) << Pixel(image, 320, 450).name().toStdString();
    EXPECT_TRUE(near(Pixel(image, 615, 115), Qt::yellow)) << Pixel(image, 615, 115).name().toStdString();
}

// A turned item is drawn as a browser draws transform:rotate(): about its
// box's centre, clockwise, over the same items as before. A picture red on
// its left half and blue on its right, turned a quarter, stands red above
// blue; a snip turned 45° reaches past its upright box only at its middle.
TEST_F(CollageExport, TurnedItemsTurnAboutTheirCentreClockwise) {
    QImage halves(80, 40, QImage::Format_RGB32);
    halves.fill(Qt::blue);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) halves.setPixelColor(x, y, Qt::red);
    }
    ASSERT_TRUE(halves.save(QString::fromStdString((folder / "halves.png").string()), "PNG"));
    collage::Item picture;
    picture.kind = ItemKind::kPicture;
    picture.number = 1;
    picture.file = "halves.png";
    picture.left = 300, picture.top = 400, picture.width = 80, picture.height = 40, picture.z = 5;
    picture.rotation = 90;
    collage::Item snip = model.items[1];  // 300 wide, blue
    snip.number = 2;
    snip.words = "x";
    snip.left = 200, snip.top = 700, snip.z = 6;
    snip.rotation = -45;
    model.items.push_back(picture);
    model.items.push_back(snip);
    WriteFile(folder / "page.html", collage::WritePage(model));

    const std::string png = folder / "out.png";
    const ProgramRun run = Export("--png " + Quoted(png));
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(QString::fromStdString(png));
    // Centre (340, 420): the box is now 40 wide and 80 high.
    EXPECT_EQ(Pixel(image, 340, 385), QColor(Qt::red));
    EXPECT_EQ(Pixel(image, 340, 455), QColor(Qt::blue));
    EXPECT_EQ(Pixel(image, 305, 420), QColor(Qt::green));  // where its ends were
    EXPECT_EQ(Pixel(image, 375, 420), QColor(Qt::green));
    // The snip's line-high box, turned anticlockwise about its middle
    // (350, 700 + half a line): its right end goes up, its left end down.
    EXPECT_EQ(Pixel(image, 205, 702), QColor(Qt::green));
    EXPECT_EQ(Pixel(image, 350, 708), QColor(Qt::blue));
    EXPECT_EQ(Pixel(image, 420, 640), QColor(Qt::blue));
    EXPECT_EQ(Pixel(image, 280, 780), QColor(Qt::blue));
    EXPECT_EQ(Pixel(image, 280, 640), QColor(Qt::green));
}

TEST_F(CollageExport, PdfKeepsTextAsTextAndSvgDrawsTheSame) {
    const std::string pdf = folder / "out.pdf";
    const std::string a4 = folder / "a4.pdf";
    const std::string svg = folder / "out.svg";
    ASSERT_EQ(Export("--pdf " + Quoted(pdf) + " --svg " + Quoted(svg)).status, 0);
    ASSERT_EQ(Export("--paper A4 --pdf " + Quoted(a4)).status, 0);
    const std::string document = ReadFile(pdf);
    EXPECT_EQ(document.rfind("%PDF-", 0), 0u);
    // The words are set in an embedded font, not painted as pixels.
    EXPECT_NE(document.find("/FontFile"), std::string::npos);
    EXPECT_NE(document.find("/BaseFont"), std::string::npos);
    // The page is the container's size: 852 x 1102 px in (whole) points.
    EXPECT_NE(document.find("/MediaBox [0 0 639.000000 827."), std::string::npos);
    EXPECT_NE(ReadFile(a4).find("/MediaBox [0 0 595"), std::string::npos);
    const std::string drawing = ReadFile(svg);
    EXPECT_NE(drawing.find("<svg"), std::string::npos);
    EXPECT_NE(drawing.find("hello"), std::string::npos);
    EXPECT_NE(drawing.find("<image"), std::string::npos);
}

TEST_F(CollageExport, BadInputIsNamedAndLeavesNothingBehind) {
    const std::string png = folder / "out.png";
    // Somebody else's page.
    WriteFile(folder / "foreign.html", "<html><body><img src='red.gif'></body></html>");
    ProgramRun run = RunTarvex4("export " + Quoted(folder / "foreign.html") + " --png " + Quoted(png), work);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("foreign.html"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("is not a collage page: it has no page container"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(png));
    // A page that is not there.
    run = RunTarvex4("export " + Quoted(folder / "none.html") + " --png " + Quoted(png), work);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("none.html"), std::string::npos) << run.err;
    // An output in a folder that does not exist.
    const std::string nowhere = folder / "no/such/folder/out.pdf";
    run = Export("--pdf " + Quoted(nowhere));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(nowhere), std::string::npos) << run.err;
    // A missing picture: drawn as a placeholder, named once, the export kept.
    fs::remove(folder / "red.gif");
    run = Export("--png " + Quoted(png));
    EXPECT_EQ(run.status, 1);
    const size_t named = run.err.find("red.gif");
    ASSERT_NE(named, std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("red.gif", named + 1), std::string::npos) << run.err;
    const QImage image(QString::fromStdString(png));
    EXPECT_NE(Pixel(image, 105, 235), QColor(Qt::green));
    // A broken installation: the module that writes SVG is missing.
    const std::string module = std::getenv("TARVEX4_DEVICES_MODULE");
    setenv("TARVEX4_DEVICES_MODULE", (folder / "missing.so").c_str(), 1);
    run = Export("--svg " + Quoted(folder / "out.svg"));
    setenv("TARVEX4_DEVICES_MODULE", module.c_str(), 1);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing.so could not be loaded"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder / "out.svg"));
    // No temporary file is left beside the outputs.
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_TRUE(entry.path().extension() != "" || entry.is_directory()) << entry.path();
    // Usage: nothing to write.
    EXPECT_EQ(Export("").status, 2);
}

// On paper a printer needs a margin: 5 mm unless asked otherwise. Drawn at
// 72 dpi the sheet starts 14 pixels in, or at the very edge.
TEST_F(CollageExport, APaperKeepsAPrintableMargin) {
    const auto frameStart = [this](const std::string& options) {
        const std::string pdf = folder / "paper.pdf";
        EXPECT_EQ(Export(options + " --pdf " + Quoted(pdf)).status, 0) << options;
        const std::string png = folder / "paper";
        EXPECT_EQ(std::system(("pdftoppm -r 72 -singlefile -png " + Quoted(pdf) + " " + Quoted(png)).c_str()), 0);
        const QImage image(QString::fromStdString(png + ".png"));
        const int row = image.height() / 2;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, row).lightness() < 250) return x;
        }
        return -1;
    };
    EXPECT_EQ(frameStart("--paper A4"), 14);
    EXPECT_EQ(frameStart("--paper A4 --margin 10"), 28);
    EXPECT_EQ(frameStart("--paper A4 --margin 0"), 0);
    EXPECT_EQ(frameStart(""), 0) << "the collage's own size keeps none";
}

}  // namespace
