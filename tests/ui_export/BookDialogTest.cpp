// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export Collages as Book... worked by mouse and keyboard: pages left
// out and moved in the dialog come out as the book's pages, in that order.
#include "TestFiles.h"
#include "../ui_main/MainWindowFixture.h"
#include "app/MainFrameIds.h"
#include "page/CollageModel.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

// The colour in the middle of page `n` of the PDF.
QColor ColourMidPage(const std::string& pdf, int n, const std::string& stem) {
    const std::string page = std::to_string(n);
    CommandOutput("pdftoppm -r 10 -png -singlefile -f " + page + " -l " + page + " '" + pdf + "' '" + stem + page +
                  "'");
    const QImage image(QString::fromStdString(stem + page + ".png"));
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

QPushButton* ButtonNamed(QDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text().remove('&') == text) return button;
    return nullptr;
}

class BookDialog : public MainWindowTest {};

TEST_F(BookDialog, ThePagesPickedAndMovedAreTheBooksPagesInThatOrder) {
    // Red, green and blue pages (0x00BBGGRR).
    const std::pair<const char*, std::uint32_t> pages[] = {
        {"collage1.html", 0x0000FF}, {"collage2.html", 0x00FF00}, {"collage10.html", 0xFF0000}};
    for (const auto& [name, colour] : pages) {
        collage::Collage page;
        page.background = colour;
        WriteFile(output + name, collage::WritePage(page));
    }
    Open();
    const std::string pdf = output + "book.pdf";
    ui.saveAnswers.push_back(FileChoice{pdf, "book.pdf"});
    QStringList listed;
    bool worked = false;
    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* list = dialog ? dialog->findChild<QListWidget*>("pages") : nullptr;
        QPushButton* up = dialog ? ButtonNamed(*dialog, "Up") : nullptr;
        if (!list || !up) {
            if (dialog) dialog->reject();
            return;
        }
        for (int row = 0; row < list->count(); ++row) listed << list->item(row)->text();
        // collage2 left out, then collage10 moved up to the top.
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Space);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::keyClicks(dialog->findChild<QLineEdit*>("title"), "Two Pages");
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        worked = true;
    });
    frame->Command(ID_FILE_EXPORT_BOOK)->trigger();
    ASSERT_TRUE(worked) << "no book dialog with its page list came up";
    EXPECT_EQ(listed, QStringList({"collage1.html", "collage2.html", "collage10.html"}));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    const std::string info = "\n" + CommandOutput("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("\nPages:           3\n"), std::string::npos) << info;
    EXPECT_NE(info.find("\nTitle:           Two Pages\n"), std::string::npos) << info;
    EXPECT_EQ(ColourMidPage(pdf, 2, output + "page"), QColor(Qt::blue));
    EXPECT_EQ(ColourMidPage(pdf, 3, output + "page"), QColor(Qt::red));
}

}  // namespace
