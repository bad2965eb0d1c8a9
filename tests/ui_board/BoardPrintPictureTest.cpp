// SPDX-License-Identifier: GPL-3.0-or-later
// The board's printing and its pictures from the image library, driven with
// real keys and clicks.
#include "BoardFixture.h"

#include "app/BoardDoor.h"
#include "app/MainFormIds.h"
#include "app/MainFrameIds.h"
#include "drawing/BgrColour.h"
#include "modules/devices/PaintDeviceLoader.h"
#include "page/BoardEdits.h"
#include "support/Random.h"
#include "ui/BoardIds.h"
#include "ui/BoardItem.h"
#include "ui/BoardView.h"
#include "ui/CollageBoard.h"
#include "ui/LibraryPictureDialog.h"

#include "ModalAnswerer.h"

#include <QAction>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
#include <QUndoStack>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string PngOf(QColor colour, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// What a poppler tool says about `pdf`.
QString Poppler(const char* tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(20000)) << tool;
    return QString::fromUtf8(process.readAllStandardOutput());
}

class BoardPrintPictureTest : public BoardFixture {
protected:
    CollageBoard& GoOnBoard() {
        return GoOnBoardWith("printed words stand on the paper\nand the rest follows them home\n", 77);
    }
    static void Key(CollageBoard& board, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // A dialog that was shown leaves no window active offscreen.
        QApplication::setActiveWindow(&board);
        QTest::keyClick(board.View()->viewport(), static_cast<Qt::Key>(key), modifiers);
    }
    // Board > Add Picture..., choosing the first picture of the dialog's
    // first category with the mouse once its thumbnails are there.
    static void AddFirstLibraryPicture(CollageBoard& board, int& categoriesShown, QString& thumbnailName) {
        ModalAnswerer answer([&](QWidget* modal) {
            auto* dialog = qobject_cast<LibraryPictureDialog*>(modal);
            ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
            categoriesShown = dialog->CategoryList()->count();
            QElapsedTimer waited;
            waited.start();
            while (!dialog->ThumbnailsReady() && waited.elapsed() < 10000) QCoreApplication::processEvents();
            QListWidget* pictures = dialog->PictureList();
            ASSERT_EQ(pictures->count(), 1);
            thumbnailName = pictures->item(0)->text();
            EXPECT_FALSE(pictures->item(0)->icon().isNull());
            EXPECT_FALSE(dialog->AddButton()->isEnabled()) << "nothing chosen yet";
            QTest::mouseClick(pictures->viewport(), Qt::LeftButton, {},
                              pictures->visualItemRect(pictures->item(0)).center());
            QTest::mouseClick(dialog->AddButton(), Qt::LeftButton);
        });
        board.Command(ID_BOARD_ADD_PICTURE)->trigger();
        EXPECT_EQ(answer.answered, 1);
    }
};

TEST_F(BoardPrintPictureTest, LibraryPictureLandsBesideThePageUnderItsOwnNameAndIsReused) {
    {
        SqlDatabase db;
        db.Open(wordsdb::DatabasePath(data.path()));
        db.Execute(wordsdb::InsertCategory("photos"));
        db.Execute(wordsdb::InsertCategory("nothing yet"));
    }
    const std::string red = PngOf(Qt::red, QSize(720, 360));
    AddPicture(data.path(), "red.png", red, 720, 360, "2");
    CollageBoard& board = GoOnBoard();
    ASSERT_EQ(board.PagePath(), output + "collage1.html");
    // Another picture is there under the same name: it must stay as it is.
    WriteFile(output + "red.png", "older bytes");
    const size_t before = board.Collage().items.size();

    int categories = 0;
    QString name;
    AddFirstLibraryPicture(board, categories, name);
    EXPECT_EQ(categories, 1) << "only a category with pictures is offered";
    EXPECT_EQ(name, "red.png");
    ASSERT_EQ(board.Collage().items.size(), before + 1);
    const collage::Item added = board.Collage().items.back();
    EXPECT_EQ(added.kind, collage::ItemKind::kPicture);
    EXPECT_EQ(added.file, "red-2.png");
    EXPECT_EQ(added.width, 360);  // no larger than a third of the page
    EXPECT_EQ(added.height, 180);
    EXPECT_EQ(ReadFile(output + "red.png"), "older bytes");
    EXPECT_EQ(ReadFile(output + "red-2.png"), red);
    EXPECT_TRUE(board.ItemAt(before)->isSelected());

    // The same picture again takes the copy that is there.
    AddFirstLibraryPicture(board, categories, name);
    ASSERT_EQ(board.Collage().items.size(), before + 2);
    EXPECT_EQ(board.Collage().items.back().file, "red-2.png");
    EXPECT_FALSE(fs::exists(output + "red-3.png"));
    EXPECT_EQ(board.UndoStack().count(), 2);

    // From File... goes the way of a picture file.
    const std::string blue = data.path() + "/blue.png";
    WriteFile(blue, PngOf(Qt::blue, QSize(30, 20)));
    ui.openAnswers.push_back(FileChoice{blue, "blue.png"});
    {
        ModalAnswerer answer([](QWidget* modal) {
            auto* dialog = qobject_cast<LibraryPictureDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            QTest::mouseClick(dialog->FromFileButton(), Qt::LeftButton);
        });
        board.Command(ID_BOARD_ADD_PICTURE)->trigger();
    }
    ASSERT_EQ(board.Collage().items.size(), before + 3);
    EXPECT_EQ(board.Collage().items.back().file, "blue.png");
    EXPECT_EQ(ReadFile(output + "blue.png"), ReadFile(blue));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;

    // Saved, the page names it as an item its drag script moves.
    Key(board, Qt::Key_S, Qt::ControlModifier);
    const std::string saved = ReadFile(output + "collage1.html");
    EXPECT_NE(saved.find("red-2.png"), std::string::npos);
    collage::Collage reread;
    std::string problem;
    ASSERT_TRUE(collage::LoadPageFile(output + "collage1.html", reread, problem)) << problem;
    ASSERT_EQ(reread.items.size(), before + 3);
    EXPECT_EQ(reread.items[before].file, "red-2.png");
    EXPECT_NE(saved.find("'" + reread.items[before + 1].PageId() + "',"), std::string::npos) << "not draggable";
}

TEST_F(BoardPrintPictureTest, PrintsTheCollageOnOneSheetInsideTheMargin) {
    CollageBoard& board = GoOnBoard();
    const std::string pdf = data.path() + "/printed.pdf";
    board.PrintInto(QString::fromStdString(pdf));

    // Print Preview shows the collage first and prints nothing by itself.
    const QRgb background = QColorFromBgr(board.Collage().background).rgb();
    int previews = 0;
    int backgroundShown = 0;
    {
        ModalAnswerer answer([&](QWidget* modal) {
            if (QString(modal->metaObject()->className()) == "QPrintPreviewDialog") ++previews;
            QTest::qWait(50);
            const QImage shown = modal->grab().toImage();
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) backgroundShown += shown.pixel(x, y) == background;
            modal->close();
        });
        board.Command(ID_BOARD_PRINT_PREVIEW)->trigger();
    }
    EXPECT_EQ(previews, 1);
    EXPECT_GT(backgroundShown, 1000) << "the preview shows no collage";
    EXPECT_FALSE(fs::exists(pdf));

    Key(board, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_TRUE(Poppler("pdfinfo", {QString::fromStdString(pdf)}).contains(QRegularExpression("Pages:\\s+1\\n")));
    const QString text = Poppler("pdftotext", {QString::fromStdString(pdf), "-"}).simplified();
    for (const collage::Item& item : board.Collage().items) {
        if (item.kind != collage::ItemKind::kText) continue;
        const QString first = QString::fromStdString(item.words).simplified().section(' ', 0, 0);
        EXPECT_TRUE(text.contains(first)) << first.toStdString() << " not in: " << text.toStdString();
    }

    // The sheet: white in the margin, the collage's frame within it, its
    // shape kept (852 x 1102 at most as wide as the paper allows).
    const std::string png = data.path() + "/sheet";
    Poppler("pdftoppm", {"-r", "50", "-png", "-singlefile", QString::fromStdString(pdf), QString::fromStdString(png)});
    const QImage sheet(QString::fromStdString(png + ".png"));
    ASSERT_FALSE(sheet.isNull());
    const int margin = qRound(10 / 25.4 * 50);
    QRect drawn;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            if (qGray(sheet.pixel(x, y)) < 250) drawn |= QRect(x, y, 1, 1);
    ASSERT_FALSE(drawn.isEmpty());
    EXPECT_GE(drawn.left(), margin - 1);
    EXPECT_GE(drawn.top(), margin - 1);
    EXPECT_LE(drawn.right(), sheet.width() - margin);
    EXPECT_LE(drawn.bottom(), sheet.height() - margin);
    EXPECT_NEAR(double(drawn.width()) / drawn.height(), 852.0 / 1102.0, 0.02);
    // As large as the paper allows: one side reaches its margins.
    EXPECT_TRUE(std::abs(drawn.width() - (sheet.width() - 2 * margin)) <= 3 ||
                std::abs(drawn.height() - (sheet.height() - 2 * margin)) <= 3)
        << drawn.width() << "x" << drawn.height() << " on " << sheet.width() << "x" << sheet.height();

    // A job that cannot start is not passed over in silence.
    board.PrintInto(QString::fromStdString(data.path() + "/no such folder/printed.pdf"));
    Key(board, Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Nothing was printed. Is your printer on?");
    EXPECT_EQ(ui.messages[0].caption, "VANTELO print error");
}

TEST_F(BoardPrintPictureTest, WithoutAPrinterTheBoardSaysWhatTheMainTextSays) {
    std::string problem;
    const bool hasPrinter = NewPrinter("", "", problem) != nullptr;
    ASSERT_EQ(problem, "") << "the printer module must load";
    if (hasPrinter) GTEST_SKIP() << "this machine has a default printer";
    CollageBoard& board = GoOnBoard();
    Key(board, Qt::Key_P, Qt::ControlModifier);
    board.Command(ID_BOARD_PRINT_PREVIEW)->trigger();
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const auto& message : ui.messages) {
        EXPECT_EQ(message.text, "No default printer is installed.");
        EXPECT_EQ(message.caption, "VANTELO print error");
    }
}

}  // namespace
