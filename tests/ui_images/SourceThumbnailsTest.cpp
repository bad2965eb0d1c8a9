// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail strips of the sources window, over a scratch library of real
// pictures made with Qt at test time.
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "ui/ThumbnailMaker.h"
#include "ui/imageCategories.h"

#include "PictureFiles.h"
#include "EmptyWordsDatabaseTest.h"
#include "ScriptedUserInterface.h"
#include "TestApplication.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

QByteArray Encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return bytes;
}

void AppendBigEndian(QByteArray& bytes, quint32 value) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes.append(char(value >> shift));
}

void AppendChunk(QByteArray& png, const char* type, const QByteArray& data) {
    const QByteArray typed = QByteArray(type) + data;
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : typed) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    AppendBigEndian(png, static_cast<quint32>(data.size()));
    png.append(typed);
    AppendBigEndian(png, ~crc);
}

// A few bytes that say 50,000 x 50,000 pixels (ten gigabytes if a buffer
// were made for them) and hold almost none.
QByteArray PngBomb() {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", QByteArray("\0\0\xC3\x50\0\0\xC3\x50\x08\x06\0\0\0", 13));
    AppendChunk(png, "IDAT", QByteArray("\x78\x9C\x63\x00\x00\x00\x01\x00\x01", 9));
    AppendChunk(png, "IEND", QByteArray());
    return png;
}

QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// A PNG whose left half is see-through.
QByteArray HalfClearPng() {
    QImage image = Filled(60, 30, Qt::green);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return Encode(image, "png");
}

// A 1 x 1 GIF of two frames, red then blue (Qt writes no GIF).
QByteArray AnimatedGif() {
    static const unsigned char bytes[] = {'G',  'I',  'F', '8',  '9',  'a', 1,    0,    1,    0,    0x80, 0,
                                          0,    0xFF, 0,   0,    0,    0,   0xFF,  // screen, red, blue
                                          0x21, 0xFF, 11,  'N',  'E',  'T', 'S',  'C',  'A',  'P',  'E',  '2',
                                          '.',  '0',  3,   1,    0,    0,   0,    0x21, 0xF9, 4,    0,    10,
                                          0,    0,    0,   0x2C, 0,    0,   0,    0,    1,    0,    1,    0,
                                          0,    2,    2,   0x44, 0x01, 0,  // index 0
                                          0x21, 0xF9, 4,   0,    10,   0,   0,    0,    0x2C, 0,    0,    0,
                                          0,    1,    0,   1,    0,    0,   2,    2,    0x4C, 0x01, 0,  // index 1
                                          0x3B};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class SourceThumbnailsTest : public EmptyWordsDatabaseTest {
protected:
    void SetUp() override {
        TestApp();
        EmptyWordsDatabaseTest::SetUp();
    }

    // Stores `bytes` as the importer does: the file's own bytes, encoded.
    void Store(const char* category, const QByteArray& bytes) {
        SqlBlob blob;
        blob.SetBytes(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<int>(bytes.size()));
        Sql(wordsdb::InsertImage(category, "picture", "0", "0", blob.Encoded()));
    }

    static void WaitForStrips(imageCategories& dialog) {
        QElapsedTimer waited;
        waited.start();
        while (!dialog.ThumbnailsReady() && waited.elapsed() < 20000) QCoreApplication::processEvents();
        ASSERT_TRUE(dialog.ThumbnailsReady());
    }

    static QByteArray FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ScriptedUserInterface ui;
};

TEST_F(SourceThumbnailsTest, StripsShowTheFirstPicturesUprightAndComeFromTheCacheUntilTheCategoryChanges) {
    for (const char* name : {"photos", "empty", "odd"}) Sql(wordsdb::InsertCategory(name));
    Store("1", HalfClearPng());
    const QByteArray jpeg = Encode(Filled(80, 40, Qt::red), "jpeg");
    Store("1", QByteArray::fromStdString(WithExifOrientation(jpeg.toStdString(), 6)));  // turn a quarter to show
    Store("1", AnimatedGif());
    Store("1", Encode(Filled(40, 40, Qt::blue), "webp"));
    for (int i = 0; i < 6; ++i) Store("1", Encode(Filled(30 + i, 20, Qt::yellow), "png"));
    Store("3", Encode(Filled(20, 20, Qt::gray), "png"));
    Store("3", "no picture at all");
    Store("3", HalfClearPng().left(40));                                                  // cut off before its pixels
    Sql("INSERT INTO imagelibrary (CATEGORY,FILENAME,FILESTORE) VALUES ('3','bad','')");  // not decodable text
    Store("3", PngBomb());

    imageCategories dialog(DatabasePath(), ui);
    dialog.OnInitDialog();
    // Nothing is decoded before the window shows.
    EXPECT_FALSE(dialog.ThumbnailsReady());
    EXPECT_FALSE(fs::exists(dialog.ThumbnailFolder().toStdString()));
    dialog.show();
    WaitForStrips(dialog);
    EXPECT_GT(dialog.width(), 279);

    const QList<QImage> photos = dialog.Strip(0);
    ASSERT_EQ(photos.size(), 8);
    for (const QImage& thumbnail : photos) {
        ASSERT_FALSE(thumbnail.isNull());
        EXPECT_LE(thumbnail.height(), 36);
        EXPECT_LE(thumbnail.width(), 54);
    }
    EXPECT_EQ(photos[0].size(), QSize(54, 27));
    EXPECT_EQ(qAlpha(photos[0].pixel(2, 13)), 0);
    EXPECT_EQ(qAlpha(photos[0].pixel(50, 13)), 255);
    EXPECT_GT(photos[1].height(), photos[1].width());        // the EXIF turn is applied
    EXPECT_EQ(photos[2].pixel(0, 0) & 0xFFFFFF, 0xFF0000u);  // an animation's first frame
    EXPECT_EQ(photos[3].size(), QSize(36, 36));
    EXPECT_EQ(photos[4].size(), QSize(30, 20));  // small pictures are not enlarged
    EXPECT_EQ(dialog.CategoryList()->topLevelItem(0)->toolTip(1), "10 pictures, the first 8 shown");
    EXPECT_TRUE(dialog.Strip(1).isEmpty());
    const QList<QImage> odd = dialog.Strip(2);
    ASSERT_EQ(odd.size(), 5);
    EXPECT_FALSE(odd[0].isNull());
    for (int i = 1; i < 5; ++i) EXPECT_TRUE(odd[i].isNull()) << i;
    EXPECT_EQ(dialog.PicturesDecoded(), 13);
    EXPECT_TRUE(ui.messages.empty());

    // Space still ticks the current row.
    QTreeWidget* list = dialog.CategoryList();
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(2));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(list->topLevelItem(2)->checkState(0), Qt::Checked);

    // Opened again, the strips come from the cache, which stays as it was.
    const QString photosFile = dialog.ThumbnailFolder() + "/category-1.thumbs";
    const QString oddFile = dialog.ThumbnailFolder() + "/category-3.thumbs";
    const QByteArray photosCache = FileBytes(photosFile);
    const QByteArray oddCache = FileBytes(oddFile);
    ASSERT_FALSE(photosCache.isEmpty());
    ASSERT_FALSE(oddCache.isEmpty());
    const auto photosWritten = fs::last_write_time(photosFile.toStdString());
    imageCategories again(DatabasePath(), ui);
    again.OnInitDialog();
    again.show();
    WaitForStrips(again);
    EXPECT_EQ(again.PicturesDecoded(), 0);
    EXPECT_EQ(again.Strip(0), photos);
    EXPECT_EQ(again.Strip(2), odd);
    EXPECT_EQ(fs::last_write_time(photosFile.toStdString()), photosWritten);

    // A picture added to a category is decoded alone; a picture stored under
    // an ID whose old thumbnail is cached is never shown with it.
    Store("3", Encode(Filled(10, 30, Qt::black), "png"));
    Sql("UPDATE imagelibrary SET FILESTORE = (SELECT FILESTORE FROM imagelibrary WHERE ID = 4) WHERE ID = 2");
    again.OnInitDialog();
    WaitForStrips(again);
    EXPECT_EQ(again.PicturesDecoded(), 2);
    ASSERT_EQ(again.Strip(0).size(), 8);
    EXPECT_EQ(again.Strip(0)[1].size(), QSize(36, 36));
    ASSERT_EQ(again.Strip(2).size(), 6);
    EXPECT_EQ(again.Strip(2)[5].size(), QSize(10, 30));
    EXPECT_NE(FileBytes(oddFile), oddCache);
    EXPECT_NE(FileBytes(photosFile), photosCache);
}

TEST_F(SourceThumbnailsTest, ACacheThatCannotBeWrittenOrReadStillShowsTheStrips) {
    Sql(wordsdb::InsertCategory("a"));
    Store("1", Encode(Filled(20, 10, Qt::red), "png"));
    // A file where the cache folder would be: nothing can be written there.
    std::ofstream(scratch / "thumbnails") << "in the way";
    imageCategories dialog(DatabasePath(), ui);
    dialog.OnInitDialog();
    dialog.show();
    WaitForStrips(dialog);
    ASSERT_EQ(dialog.Strip(0).size(), 1);
    EXPECT_EQ(dialog.Strip(0)[0].size(), QSize(20, 10));
    EXPECT_TRUE(ui.messages.empty());

    // A damaged cache file is passed over and made again.
    fs::remove(scratch / "thumbnails");
    fs::create_directories(scratch / "thumbnails");
    std::ofstream(scratch / "thumbnails/category-1.thumbs") << "TVXT damaged";
    dialog.OnInitDialog();
    WaitForStrips(dialog);
    EXPECT_EQ(dialog.PicturesDecoded(), 1);
    ASSERT_EQ(dialog.Strip(0).size(), 1);
    EXPECT_EQ(dialog.Strip(0)[0].size(), QSize(20, 10));
    EXPECT_GT(fs::file_size(scratch / "thumbnails/category-1.thumbs"), 100u);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace

namespace {

// A palette PNG whose colour is half transparent shows the list's white
// through it, as the page and the board show it, not as solid red.
TEST(Thumbnails, APartlyTransparentPaletteColourIsDrawnBlended) {
    TestApp();
    for (const QSize size : {QSize(8, 8), QSize(200, 100)}) {  // kept, and made smaller
        QImage image(size, QImage::Format_Indexed8);
        image.setColorTable({qRgba(255, 0, 0, 128), qRgb(0, 0, 255)});
        image.fill(0);
        const QByteArray png = Encode(image, "png");
        ASSERT_EQ(png.mid(37, 4), "PLTE") << "not a palette PNG";
        const QImage thumb = thumbnails::MakeThumbnail(png);
        const QPixmap strip = thumbnails::ComposeStrip({thumb}, QPalette());
        ASSERT_FALSE(strip.isNull());
        QImage shown(strip.size(), QImage::Format_RGB32);
        shown.fill(Qt::white);
        QPainter(&shown).drawPixmap(0, 0, strip);
        const QColor middle = shown.pixelColor(2, thumbnails::kHeight / 2);
        EXPECT_EQ(middle.red(), 255) << size.width();
        EXPECT_NEAR(middle.green(), 127, 3) << size.width();
        EXPECT_NEAR(middle.blue(), 127, 3) << size.width();
    }
}

}  // namespace
