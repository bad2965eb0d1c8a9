// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export Collage... in the window: nothing before the first GO, then
// the last GO's page drawn into the file chosen.
#include "../ui_main/MainWindowFixture.h"
#include "app/MainFormIds.h"
#include "app/MainFrameIds.h"
#include "richtext/RichTextOps.h"

#include <QAction>
#include <QBuffer>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QTimer>
#include <QImage>

// fontconfig keeps its caches until the process ends; that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

class WindowExport : public MainWindowTest {};

TEST_F(WindowExport, TheLastGoIsExportedAsTheFileTypeAsks) {
    Open();
    frame->Command(ID_FILE_EXPORT_COLLAGE)->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("press GO first"), std::string::npos) << ui.messages[0].text;
    EXPECT_TRUE(ui.saveInitialNames.empty());

    LoadMarkup(*state->m_mainText, "words for the exported collage");
    view->OnCommand(IDC_GO);
    ASSERT_TRUE(std::filesystem::exists(output + "collage1.html"));
    ui.messages.clear();
    const std::string svg = output + "picture.svg";
    ui.saveAnswers.push_back(FileChoice{svg, "picture.svg"});
    frame->Command(ID_FILE_EXPORT_COLLAGE)->trigger();
    EXPECT_EQ(ui.saveInitialNames.back(), std::filesystem::canonical(output).string() + "/collage1.png");
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    const std::string drawing = ReadFile(svg);
    EXPECT_NE(drawing.find("<svg"), std::string::npos);
    EXPECT_NE(drawing.find("<text"), std::string::npos);  // the snips stay text
    // Where it went is said in the status bar, with a way to its folder.
    auto* note = frame->findChild<QLabel*>("writtenNote");
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->text().contains(QString::fromStdString(svg))) << note->text().toStdString();
    EXPECT_TRUE(note->text().contains("Open folder"));
}

TEST_F(WindowExport, APdfIsFittedOnThePaperChosenInTheWindow) {
    Open();
    LoadMarkup(*state->m_mainText, "words for the exported collage");
    view->OnCommand(IDC_GO);
    const std::string pdf = output + "letter.pdf";
    ui.saveAnswers.push_back(FileChoice{pdf, "letter.pdf"});
    QStringList offered;
    QTimer::singleShot(500, [&offered] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        offered = dialog->comboBoxItems();
        dialog->setTextValue("Letter");
        dialog->accept();
    });
    frame->Command(ID_FILE_EXPORT_COLLAGE)->trigger();
    EXPECT_TRUE(offered.contains("A4") && offered.contains("Letter")) << offered.join(", ").toStdString();
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    // US Letter is 612 x 792 points.
    EXPECT_NE(ReadFile(pdf).find("/MediaBox [0 0 612"), std::string::npos);
}

TEST_F(WindowExport, AFileThePageIsDrawnFromIsRefusedAndAnyOtherAskedAbout) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&png, "PNG"));
    AddPicture(data.path(), "shown.png", png.data().toStdString(), 4, 4);
    Open();
    LoadMarkup(*state->m_mainText, "words for the exported collage");
    view->OnCommand(IDC_GO);
    const std::string picture = output + "shown.png";
    ASSERT_TRUE(ReadFile(output + "collage1.html").find("shown.png") != std::string::npos);

    ui.saveAnswers.push_back(FileChoice{picture, "shown.png"});
    // Should the picture size be asked for, the question is cancelled.
    QTimer::singleShot(500, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    });
    frame->Command(ID_FILE_EXPORT_COLLAGE)->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok) << "refused, not asked about";
    EXPECT_NE(ui.messages[0].text.find(picture), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(ui.messages[0].text.find("collage1.html"), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(ReadFile(picture), png.data().toStdString());

    // Another file is replaced only when the user says so.
    const std::string svg = output + "old.svg";
    WriteFile(svg, "old drawing");
    ui.messages.clear();
    ui.messageAnswers.push_back(MessageResult::No);
    ui.saveAnswers.push_back(FileChoice{svg, "old.svg"});
    frame->Command(ID_FILE_EXPORT_COLLAGE)->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ReadFile(svg), "old drawing");
    ui.saveAnswers.push_back(FileChoice{svg, "old.svg"});
    frame->Command(ID_FILE_EXPORT_COLLAGE)->trigger();
    EXPECT_NE(ReadFile(svg).find("<svg"), std::string::npos);
}

}  // namespace
