// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "ModalAnswerer.h"

#include "app/BitmapSlider.h"
#include "drawing/BgrColour.h"
#include "resources/Pictures.h"
#include "richtext/RichTextOps.h"
#include "support/Random.h"
#include "ui/CFolderDialog.h"
#include "ui/CFontDialog.h"
#include "ui/QtPrintTarget.h"
#include "ui/QtRichEdit.h"
#include "ui/QtUserInterface.h"
#include "app/MainFormIds.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QTimer>

#include <cstdlib>

namespace {

TEST(Pictures, EveryButtonCaptionHasFourDistinctPictures) {
    TestApp();
    for (const char* caption :
         {"font", "print", "open", "file", "undo", "pallette", "cutbutton", "copybutton", "pastebutton", "fill",
          "authors", "showtrack", "onoffb", "sources", "lyric", "someothercaption"}) {
        const QImage up = ButtonPicture(caption, 'U').toImage();
        ASSERT_FALSE(up.isNull()) << caption;
        for (QChar state : {QChar('D'), QChar('F'), QChar('X')}) {
            const QImage other = ButtonPicture(caption, state).toImage();
            EXPECT_EQ(other.size(), up.size()) << caption;
            EXPECT_NE(other, up) << caption << " " << state.toLatin1();
        }
        // The caption is matched without regard to case, as resource names are.
        EXPECT_EQ(ButtonPicture(QString(caption).toUpper(), 'u').toImage(), up);
        // Buttons take their size before anything is drawn: it must be the picture's.
        EXPECT_EQ(ButtonPictureSize(caption), up.size()) << caption;
        EXPECT_EQ(ButtonPictureSize(QString(caption).toUpper()), up.size()) << caption;
    }
    for (const char* caption : {"import", "exitsel", "refresh", "savesel", "newpage", "Create", "authorok"})
        EXPECT_EQ(ButtonPictureSize(caption), ButtonPicture(caption, 'X').size()) << caption;
    // The buttons fill their places on the form (16 x 14 units; show-track 23 x 19).
    EXPECT_EQ(ButtonPicture("font", 'U').size(), QSize(24, 23));
    EXPECT_EQ(ButtonPicture("showtrack", 'U').size(), QSize(35, 31));
}

TEST(Pictures, OnOffIsGreenWhenPushed) {
    TestApp();
    auto greenness = [](const QImage& image) {
        long g = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.green() > c.red() + 40 && c.green() > c.blue() + 40) ++g;
            }
        return g;
    };
    EXPECT_GT(greenness(ButtonPicture("onoffb", 'D').toImage()), 100);
    EXPECT_EQ(greenness(ButtonPicture("onoffb", 'U').toImage()), 0);
}

TEST(Pictures, NumberedBitmaps) {
    TestApp();
    for (int id : {223, 308, 136, 137, 278, 242}) EXPECT_FALSE(BitmapPicture(id).isNull()) << id;
    EXPECT_TRUE(BitmapPicture(999).isNull());
    EXPECT_FALSE(AppIcon().isNull());
}

TEST(BitmapSlider, ThumbFollowsThePositionAndKeysDoNothing) {
    TestApp();
    BitmapSlider slider;
    slider.SetSkin(137, 136, 104);
    slider.setRange(0, 200);
    slider.resize(147, 18);
    slider.setValue(100);
    EXPECT_EQ(slider.ThumbX(), (147 - 10) * 100 / 205);
    slider.setValue(200);
    EXPECT_EQ(slider.ThumbX(), (147 - 10) * 200 / 205);

    slider.show();
    slider.setFocus();
    QTest::keyClick(&slider, Qt::Key_Left);
    QTest::keyClick(&slider, Qt::Key_Home);
    EXPECT_EQ(slider.value(), 200);

    // Dragging the thumb moves it; the dragging flag lasts while the button is down.
    const QPoint thumb(slider.ThumbX() + 4, 8);
    QTest::mousePress(&slider, Qt::LeftButton, {}, thumb);
    EXPECT_TRUE(slider.IsDragging());
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 8), slider.mapToGlobal(QPointF(20, 8)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&slider, &move);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(20, 8));
    EXPECT_FALSE(slider.IsDragging());
    EXPECT_LT(slider.value(), 40);
    EXPECT_LE(std::abs(slider.ThumbX() - 16), 2);
}

TEST(QtRichEdit, StaysEqualToItsDocumentThroughEditsAndFormats) {
    TestApp();
    QtRichEdit edit;
    edit.show();
    LoadMarkup(edit, "one two");
    EXPECT_EQ(edit.toPlainText().trimmed(), "one two");

    // What the user types is in the RTF the program reads.
    QTextCursor cursor = edit.textCursor();
    cursor.movePosition(QTextCursor::End);
    edit.setTextCursor(cursor);
    QTest::keyClicks(&edit, " three");
    EXPECT_NE(PlainTextOf(edit).find("three"), std::string::npos);

    CharFormat format;
    format.mask = CharFormat::kFace | CharFormat::kSize | CharFormat::kBold;
    format.face = "DejaVu Serif";
    format.heightTwips = 400;
    format.bold = true;
    edit.SetSelection(0, 3);
    edit.SetSelectionCharFormat(format);
    const QTextCharFormat shown = [&] {
        QTextCursor c(edit.document());
        c.setPosition(1);
        return c.charFormat();
    }();
    EXPECT_EQ(shown.fontFamilies().toStringList().value(0), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(shown.fontPointSize(), 20.0);
    EXPECT_GE(shown.fontWeight(), QFont::Bold);

    // A selection made in the widget is the one the port reads.
    QTextCursor select(edit.document());
    select.setPosition(0);
    select.setPosition(3, QTextCursor::KeepAnchor);
    edit.setTextCursor(select);
    EXPECT_EQ(edit.SelectionCharFormat().heightTwips, 400);
    edit.SelectAll();
    EXPECT_FALSE(edit.SelectionCharFormat().Has(CharFormat::kSize));

    // RTF out and in again gives the same text and formats.
    QtRichEdit copy;
    ASSERT_TRUE(copy.StreamRtfIn(edit.StreamRtfOut()));
    EXPECT_EQ(copy.toPlainText(), edit.toPlainText());
    copy.SetSelection(0, 3);
    EXPECT_EQ(copy.SelectionCharFormat().face, "DejaVu Serif");
}

TEST(QtRichEdit, DefaultFormatAppliesToTypedText) {
    TestApp();
    QtRichEdit edit;
    edit.show();
    CharFormat courier;
    courier.mask = CharFormat::kFace | CharFormat::kSize;
    courier.face = "Courier";
    courier.heightTwips = 240;
    edit.SetDefaultCharFormat(courier);
    edit.setFocus();
    QTest::keyClicks(&edit, "typed");
    edit.SelectAll();
    const CharFormat f = edit.SelectionCharFormat();
    EXPECT_EQ(f.face, "Courier");
    EXPECT_EQ(f.heightTwips, 240);
    edit.SetBackgroundColour(0x00FF00);
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(edit.BackgroundColour(), 0x00FF00u);
}

TEST(QtUserInterface, DialogFiltersBecomeQtFilters) {
    EXPECT_EQ(QtFilterFromDialogFilter("Text file (*.txt)|*.txt||"), "Text file (*.txt)");
    EXPECT_EQ(QtFilterFromDialogFilter("HTML file (*.html)|*.htm||"), "HTML file (*.html *.htm)");
    EXPECT_EQ(QtFilterFromDialogFilter("plain text|*.txt||"), "plain text (*.txt)");
    EXPECT_EQ(QtFilterFromDialogFilter("a (*.a)|*.a|b (*.b)|*.b||"), "a (*.a);;b (*.b)");
}

// Red is the low byte: the colour a dialog returns is the colour the page writes.
TEST(BgrColour, ChannelsKeepTheirPlaceBothWays) {
    EXPECT_EQ(QColorFromBgr(0x563412u).name(QColor::HexRgb), "#123456");
    EXPECT_EQ(BgrFromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
    for (std::uint32_t bgr : {0x000000u, 0xFFFFFFu, 0x0000FFu, 0xFF0000u, 0x80FF01u})
        EXPECT_EQ(BgrFromQColor(QColorFromBgr(bgr)), bgr);
    // The byte above blue is no colour.
    EXPECT_EQ(QColorFromBgr(0xAB563412u), QColorFromBgr(0x563412u));
}

TEST(QtUserInterface, MessageBoxIsWideEnoughForItsCaption) {
    TestApp();
    QtUserInterface ui;
    int width = 0, needed = 0;
    ModalAnswerer answer([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        QFont bold = box->font();
        bold.setBold(true);
        // The caption in a bold title font, the window icon and three title buttons.
        needed = QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 120;
        width = box->width();
        box->accept();
    });
    EXPECT_EQ(ui.ShowMessage("No default printer is installed.", "VANTELO print error"), MessageResult::Ok);
    EXPECT_GE(width, needed);
}

// The font dialog offers a colour besides face, style and size, preset from
// the text, and the colour chosen there comes back with the font.
TEST(CFontDialog, ChoosesAColourWithTheFont) {
    TestApp();
    FontChoice preset{"DejaVu Sans", 140, 0xFF0000, true, false, true};
    {
        CFontDialog dialog(preset);
        const QFont shown = dialog.FontPart()->currentFont();
        EXPECT_EQ(shown.family(), "DejaVu Sans");
        EXPECT_EQ(shown.pointSizeF(), 14.0);
        EXPECT_TRUE(shown.bold());
        EXPECT_TRUE(shown.underline());
        EXPECT_EQ(dialog.Choice().colour, 0xFF0000u);
        EXPECT_EQ(dialog.ColourButton()->text(), "#0000FF");
    }

    // Through the window's interface: the colour button opens the colour
    // dialog, green is chosen there, then the font dialog is confirmed.
    QtUserInterface ui;
    int step = 0;
    auto answer = std::make_unique<ModalAnswerer>([&step](QWidget* modal) {
        if (auto* colours = qobject_cast<QColorDialog*>(modal)) {
            colours->setCurrentColor(QColor(0, 128, 0));
            QMetaObject::invokeMethod(colours, "accept", Qt::QueuedConnection);
        } else if (auto* font = qobject_cast<CFontDialog*>(modal)) {
            if (step++ == 0)
                QMetaObject::invokeMethod(font->ColourButton(), "click", Qt::QueuedConnection);
            else
                QMetaObject::invokeMethod(font, "accept", Qt::QueuedConnection);
        }
    });
    const std::optional<FontChoice> chosen = ui.ChooseFont(preset);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->colour, 0x008000u);
    EXPECT_EQ(chosen->face, "DejaVu Sans");
    EXPECT_EQ(chosen->pointSizeTenths, 140);
    EXPECT_TRUE(chosen->bold);
    EXPECT_FALSE(chosen->italic);
    EXPECT_TRUE(chosen->underline);
    answer.reset();

    // Cancelled: no choice.
    ModalAnswerer cancel([](QWidget* modal) { QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection); });
    EXPECT_FALSE(ui.ChooseFont(preset).has_value());
}

// Answers the folder dialog that is about to open.
void AnswerFolderDialog(const QString& folder, bool accept) {
    QTimer::singleShot(50, [folder, accept] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        if (!accept) return dialog->reject();
        // Type the path as a user would: selectFile() depends on the file
        // system model having loaded the folder, which happens later.
        dialog->setDirectory(folder);
        if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit")) edit->setText(folder);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

TEST(CFolderDialog, ReturnsOneWithThePathOrTwoWhenCancelled) {
    TestApp();
    ScratchFolder start;
    std::filesystem::create_directories(start / "pictures");
    CFolderDialog cancel("Custom GIF Images Folder:", QString::fromStdString(start.path()), nullptr);
    AnswerFolderDialog({}, false);
    EXPECT_EQ(cancel.DoModal(), 2);
    EXPECT_TRUE(cancel.GetFolderPath().isEmpty());

    CFolderDialog choose("Custom GIF Images Folder:", QString::fromStdString(start.path()), nullptr);
    AnswerFolderDialog(QString::fromStdString(start / "pictures"), true);
    EXPECT_EQ(choose.DoModal(), 1);
    EXPECT_EQ(choose.GetFolderPath().toStdString(), start / "pictures");
}

TEST(QtPrintTarget, PrintsEveryPageAndEnds) {
    TestApp();
    ScratchFolder out;
    MainFormState form;
    QtRichEdit edit;
    edit.ShowText(*form.m_mainText);
    std::string text;
    for (int i = 0; i < 400; ++i) text += "line " + std::to_string(i) + "<br>";
    LoadMarkup(edit, text);
    QtPrintTarget target(edit, QString::fromStdString(out / "print.pdf"));
    ScriptedUserInterface ui;
    PrintMainText(form, ui, target);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_GT(target.PagesPrinted(), 2);
    EXPECT_LT(target.PagesPrinted(), 40);
    EXPECT_GT(std::filesystem::file_size(out / "print.pdf"), 1000u);
}

TEST_F(MainWindowTest, GoWritesThePageOfTheWindowLikeTheCommandLine) {
    Open();
    const std::string mainFile = data.path() + "/main.txt";
    WriteFile(mainFile, "the quick brown fox\njumps over the lazy dog\nand runs into the woods\n");
    ui.openAnswers.push_back(FileChoice{mainFile, "main.txt"});
    QTest::mouseClick(view->Control(IDC_OPEN), Qt::LeftButton);
    Control<QRadioButton>(IDC_SNIP2)->click();  // two words per snip

    rng::Seed(1234);
    QTest::mouseClick(view->Control(IDC_GO), Qt::LeftButton);
    const std::string page = ReadFile(output + "collage1.html");
    ASSERT_FALSE(page.empty());
    // The wait box came up with the press on GO, and the run ended it.
    EXPECT_TRUE(view->WaitBoxCreated());
    EXPECT_EQ(ui.waitHidden, 1);

    const std::string cliOut = data.path() + "/cli/";
    const std::string command = std::string(TARVEX4_EXE) + " go --seed 1234 --words 2 --main '" + mainFile +
                                "' --data '" + data.path() + "' --out '" + cliOut + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadFile(cliOut + "collage1.html"), page);
}

}  // namespace

namespace {

TEST_F(MainWindowTest, GoGivesTheWindowsPageWithTheSavedFontToo) {
    WriteFile(data.path() + "/fdefaults.txt", "DejaVu Serif|400");
    Open();
    rng::Seed(99);
    QTest::mouseClick(view->Control(IDC_GO), Qt::LeftButton);
    const std::string page = ReadFile(output + "collage1.html");
    ASSERT_NE(page.find("<font face='DejaVu Serif' color='#000000'><span style='font-size:20pt;'>"), std::string::npos)
        << page;

    // `go` writes to the stored output folder as the window did.
    std::filesystem::remove(output + "collage1.html");
    const std::string command = std::string(TARVEX4_EXE) + " go --seed 99 --data '" + data.path() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadFile(output + "collage1.html"), page);
}

}  // namespace
