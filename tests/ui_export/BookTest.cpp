// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4 export PAGE... --pdf: one PDF book, read back with poppler's tools.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <filesystem>
#include <string>

#include "ProgramRun.h"
#include "ScratchFolder.h"
#include "TestApplication.h"
#include "TestFiles.h"
#include "page/CollageModel.h"

namespace fs = std::filesystem;

namespace {

// A field of pdfinfo's report ("Pages"), without the spaces before it.
std::string Field(const std::string& info, const std::string& name) {
    const std::size_t at = info.find("\n" + name + ":");
    if (at == std::string::npos) return "";
    const std::size_t start = info.find_first_not_of(' ', at + name.size() + 2);
    return info.substr(start, info.find('\n', start) - start);
}

// The colour in the middle of page `n` of the PDF.
QColor MiddleOfPage(const fs::path& pdf, int n, const fs::path& work) {
    const fs::path stem = work / ("page" + std::to_string(n));
    CommandOutput("pdftoppm -r 10 -png -singlefile -f " + std::to_string(n) + " -l " + std::to_string(n) + " " +
                  Quoted(pdf) + " " + Quoted(stem));
    const QImage image(QString::fromStdString(stem.string() + ".png"));
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

}  // namespace

TEST(CollageBook, PagesInTheGivenOrderAfterATitlePageWithTheMetadata) {
    TestApp();
    ScratchFolder scratch;
    const fs::path folder = scratch.path();
    const std::pair<const char*, std::uint32_t> pages[] = {
        {"b.html", 0x0000FF}, {"a.html", 0x00FF00}, {"c.html", 0xFF0000}};  // red, green, blue (0x00BBGGRR)
    std::string arguments = "export";
    for (const auto& [name, colour] : pages) {
        collage::Collage page;
        page.background = colour;
        WriteFile(folder / name, collage::WritePage(page));
        arguments += " " + Quoted(folder / name);
    }
    const fs::path book = folder / "book.pdf";
    const ProgramRun run =
        RunTarvex4(arguments + " --pdf " + Quoted(book) + " --title 'Three Colours' --page-numbers", folder);
    ASSERT_EQ(run.status, 0) << run.err;

    const std::string info = "\n" + CommandOutput("pdfinfo " + Quoted(book));
    EXPECT_EQ(Field(info, "Pages"), "4") << info;
    EXPECT_EQ(Field(info, "Title"), "Three Colours");
    EXPECT_EQ(Field(info, "Creator"), "tarvex4");
    EXPECT_NE(CommandOutput("pdftotext -f 1 -l 1 " + Quoted(book) + " -").find("Three Colours"), std::string::npos);
    EXPECT_NE(CommandOutput("pdftotext -f 3 -l 3 " + Quoted(book) + " -").find("2"), std::string::npos);
    EXPECT_EQ(MiddleOfPage(book, 2, folder), QColor(Qt::red));
    EXPECT_EQ(MiddleOfPage(book, 3, folder), QColor(Qt::green));
    EXPECT_EQ(MiddleOfPage(book, 4, folder), QColor(Qt::blue));

    // PNG and SVG hold one collage: several pages for them are a usage error.
    const ProgramRun png = RunTarvex4(arguments + " --png " + Quoted(folder / "x.png"), folder);
    EXPECT_EQ(png.status, 2) << png.err;
    EXPECT_FALSE(fs::exists(folder / "x.png"));
    // A page that is no collage fails the book and leaves no file.
    WriteFile(folder / "letter.html", "<html><body>a letter</body></html>");
    const ProgramRun refused =
        RunTarvex4(arguments + " " + Quoted(folder / "letter.html") + " --pdf " + Quoted(folder / "no.pdf"), folder);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("letter.html is not a collage page"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(folder / "no.pdf"));
}
