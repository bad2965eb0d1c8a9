// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/OutputSettings.h"
#include "form/FontDefaults.h"
#include "mainform/MainCommands.h"
#include "richtext/DocumentRichEdit.h"
#include "richtext/RichTextOps.h"
#include "ScriptedUserInterface.h"

#include "ScratchFolder.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

void Write(const std::string& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

// The clipboard and focus of a window, kept in memory.
class FakeWindow : public MainTextWindow {
public:
    explicit FakeWindow(MainFormState& form) : m_form(form) {}
    int cuts = 0, copies = 0, pastes = 0, focusRequests = 0;
    bool focused = true;
    std::optional<SaveFormat> fileType;

    void Cut() override { ++cuts; }
    void Copy() override { ++copies; }
    void Paste() override { ++pastes; }
    bool HasFocus() const override { return focused; }
    void SetFocus() override { ++focusRequests; }
    std::optional<SaveFormat> AskFileType() override { return fileType; }

private:
    MainFormState& m_form;
};

class FakePrinter : public PrintTarget {
public:
    bool present = true;
    int charactersPerPage = 10;
    bool began = false, ended = false;
    std::vector<int> pageStarts;

    bool Begin(const std::string& name) override {
        documentName = name;
        began = present;
        return present;
    }
    int PrintPage(int start) override {
        pageStarts.push_back(start);
        // Guard against a loop that never ends: a test fails instead of hanging.
        if (pageStarts.size() > 1000) throw std::runtime_error("endless printing");
        return start + charactersPerPage;
    }
    void End() override { ended = true; }
    std::string documentName;
};

class MainCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.m_dataFolder = data.path();
        ApplySavedFont(*form.m_mainText, form.m_dataFolder);
    }
    void SetText(const std::string& text) { LoadMarkup(*form.m_mainText, text); }
    std::string Text() const { return PlainTextOf(*form.m_mainText); }

public:
    ScratchFolder data;
    MainFormState form;
    ScriptedUserInterface ui;
    FakeWindow window{form};
};

TEST_F(MainCommandsTest, StartGivesTheStartValuesTheSavedFontAndSaysWhenTheFolderCannotBeRead) {
    Write(data / "fdefaults.txt", "DejaVu Sans|300");
    form.SetWordsPerSnip(4);
    form.m_captureCode = form.m_showMain = false;
    form.m_mainStyle = 3;
    form.m_trackWindowOpen = {false, true, false, false};
    form.m_customImageFolder = "/elsewhere";
    form.m_outputFileName = "old.html";
    form.m_tracks[1].SetDatabasePath("/old/words6.db");

    StartMainForm(form, ui);
    EXPECT_EQ(MainTextFontSpan(form), "<font face='DejaVu Sans' color='#000000'><span style='font-size:15pt;'>");
    EXPECT_EQ(form.WordsPerSnip(), 1);
    EXPECT_TRUE(form.m_captureCode && form.m_showMain && form.m_textOverImages);
    EXPECT_EQ(form.m_mainStyle, 0);
    EXPECT_EQ(form.m_trackWindowOpen, (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(form.m_customImageFolder, "/");
    EXPECT_EQ(form.m_tracks[1].m_trackDatabasePath, data / "words6.db");
    // This data folder has no words database: no stored folder, and the user is told.
    EXPECT_EQ(form.m_outputFolder, "");
    EXPECT_EQ(form.m_outputFileText, "collage1.html");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "db error");
}

TEST_F(MainCommandsTest, UndoRestoresTheSameTextEachTime) {
    SetText("first words");
    CutMainText(form, window);
    SetText("second");
    UndoMainText(form);
    EXPECT_EQ(Text().find("first words"), 0u);
    SetText("third");
    UndoMainText(form);
    EXPECT_EQ(Text().find("first words"), 0u);
}

TEST_F(MainCommandsTest, UndoBeforeAnyEditKeepsTheText) {
    SetText("typed before any command");
    UndoMainText(form);
    EXPECT_EQ(Text().find("typed before any command"), 0u);
}

TEST_F(MainCommandsTest, OnlyCommandsThatChangeTheTextReplaceTheUndoText) {
    SetText("before");
    form.m_undoText = "marker";
    CopyMainText(window);
    EXPECT_EQ(form.m_undoText, "marker");
    EXPECT_EQ(window.copies, 1);

    const std::string rtf = form.m_mainText->StreamRtfOut();
    CutMainText(form, window);
    EXPECT_EQ(form.m_undoText, rtf);
    EXPECT_EQ(window.cuts, 1);

    for (auto command : {+[](MainCommandsTest& t) { PasteMainText(t.form, t.window); },
                         +[](MainCommandsTest& t) { NewMainText(t.form, t.window); },
                         +[](MainCommandsTest& t) { ChooseMainFont(t.form, t.ui, t.window); },
                         +[](MainCommandsTest& t) { OpenTextFile(t.form, t.ui); }}) {
        form.m_undoText = "marker";
        command(*this);
        EXPECT_EQ(form.m_undoText, rtf);
    }
}

TEST_F(MainCommandsTest, PasteWithoutFocusDoesNothing) {
    SetText("kept");
    form.m_undoText = "marker";
    window.focused = false;
    PasteMainText(form, window);
    EXPECT_EQ(window.pastes, 0);
    EXPECT_EQ(form.m_undoText, "marker");
    window.focused = true;
    PasteMainText(form, window);
    EXPECT_EQ(window.pastes, 1);
}

TEST_F(MainCommandsTest, NewCutsEverythingAndFocusesTheText) {
    SetText("all of it");
    NewMainText(form, window);
    EXPECT_EQ(window.cuts, 1);
    EXPECT_EQ(window.focusRequests, 1);
    // The cut acts on the whole text.
    form.m_mainText->SetSelection(0, 0);
    EXPECT_GT(form.m_mainText->TextLength(), 0);
}

TEST(CollectOpenedText, TakesSeventyFiveLinesAndSkipsOneCharacterLines) {
    std::stringstream eighty;
    for (int i = 1; i <= 80; ++i) eighty << "w" << i << "\n";
    std::string expected;
    for (int i = 1; i <= 75; ++i) expected += "w" + std::to_string(i) + " ";
    EXPECT_EQ(CollectOpenedText(eighty), expected);

    // Short lines count towards the 75 but add nothing; CR LF endings are lines too.
    std::stringstream mixed("a\r\nbe\r\n\r\nx\nsee  you\n");
    EXPECT_EQ(CollectOpenedText(mixed), "be see you ");
    // One accented letter is one character, not two bytes.
    std::stringstream accented("\xc3\xa9\nok\n");
    EXPECT_EQ(CollectOpenedText(accented), "ok ");
}

TEST_F(MainCommandsTest, OpenFillsTheTextFromTheFile) {
    const std::string file = data / "eighty.txt";
    std::string content;
    for (int i = 1; i <= 80; ++i) content += "word" + std::to_string(i) + "\n";
    Write(file, content);
    ui.openAnswers.push_back(FileChoice{file, "eighty.txt"});
    OpenTextFile(form, ui);
    const std::string text = Text();
    EXPECT_NE(text.find("word1 word2 word3"), std::string::npos);
    EXPECT_NE(text.find("word75"), std::string::npos);
    EXPECT_EQ(text.find("word76"), std::string::npos);
}

TEST_F(MainCommandsTest, OpenThatFailsKeepsTheText) {
    SetText("unchanged");
    ui.openAnswers.push_back(FileChoice{data / "missing.txt", "missing.txt"});
    OpenTextFile(form, ui);
    ui.openAnswers.push_back(FileChoice{"/", ""});
    OpenTextFile(form, ui);
    OpenTextFile(form, ui);  // cancelled
    EXPECT_EQ(Text().find("unchanged"), 0u);
    // The missing file is named; a cancel and a too-short path say nothing.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("missing.txt"), std::string::npos);
}

TEST_F(MainCommandsTest, SaveWritesPlainTextOrRtf) {
    SetText("save me please");
    window.fileType = MainTextWindow::SaveFormat::kPlainText;
    ui.saveAnswers.push_back(FileChoice{data / "out.txt", "out.txt"});
    SaveMainText(form, ui, window);
    EXPECT_EQ(ReadFile(data / "out.txt"), Text());
    EXPECT_NE(ReadFile(data / "out.txt").find("save me please"), std::string::npos);

    window.fileType = MainTextWindow::SaveFormat::kRichText;
    ui.saveAnswers.push_back(FileChoice{data / "out.rtf", "out.rtf"});
    SaveMainText(form, ui, window);
    const std::string rtf = ReadFile(data / "out.rtf");
    EXPECT_EQ(rtf, form.m_mainText->StreamRtfOut());
    DocumentRichEdit reread;
    ASSERT_TRUE(reread.StreamRtfIn(rtf));
    EXPECT_EQ(PlainTextOf(reread), Text());
}

TEST_F(MainCommandsTest, SaveCancelledOrUnwritable) {
    SetText("text");
    window.fileType.reset();
    ui.saveAnswers.push_back(FileChoice{data / "never.txt", "never.txt"});
    SaveMainText(form, ui, window);
    EXPECT_FALSE(std::filesystem::exists(data / "never.txt"));
    EXPECT_EQ(ui.saveAnswers.size(), 1u);  // no save dialog after a cancelled file type

    window.fileType = MainTextWindow::SaveFormat::kPlainText;
    ui.saveAnswers.clear();
    ui.saveAnswers.push_back(FileChoice{data / "no/such/folder/x.txt", "x.txt"});
    SaveMainText(form, ui, window);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("could not be written"), std::string::npos);
}

TEST_F(MainCommandsTest, FontIsWrittenToTheDataFolderAndAppliedAtTheNextStart) {
    SetText("some text");
    ui.fontAnswers.push_back(FontChoice{"DejaVu Sans", 180, 0, true, false, false});
    ChooseMainFont(form, ui, window);
    ASSERT_EQ(ui.fontPresets.size(), 1u);
    EXPECT_EQ(ReadFile(data / "fdefaults.txt"), "DejaVu Sans|360");

    form.m_mainText->SelectAll();
    CharFormat now = form.m_mainText->SelectionCharFormat();
    EXPECT_EQ(now.heightTwips, 360);
    EXPECT_TRUE(now.Has(CharFormat::kBold) && now.bold);
    EXPECT_EQ(window.focusRequests, 1);

    MainFormState next;
    next.m_dataFolder = data.path();
    ApplySavedFont(*next.m_mainText, next.m_dataFolder);
    const CharFormat restored = next.m_mainText->SelectionCharFormat();
    EXPECT_EQ(restored.face, "DejaVu Sans");
    EXPECT_EQ(restored.heightTwips, 360);
}

TEST_F(MainCommandsTest, FontPresetComesFromTheUniformFormat) {
    SetText("x");
    CharFormat courier;
    courier.mask = CharFormat::kFace | CharFormat::kSize;
    courier.face = "Courier";
    courier.heightTwips = 240;
    form.m_mainText->SetDefaultCharFormat(courier);
    ChooseMainFont(form, ui, window);  // cancelled
    ASSERT_EQ(ui.fontPresets.size(), 1u);
    EXPECT_EQ(ui.fontPresets[0].face, "Courier");
    EXPECT_EQ(ui.fontPresets[0].pointSizeTenths, 120);
    EXPECT_FALSE(std::filesystem::exists(data / "fdefaults.txt"));
}

TEST(FontDefaults, ReadsFaceAndTwipsOrFallsBackToCourier) {
    ScratchFolder data;
    Write(data / "fdefaults.txt", "Liberation Serif|400\r\nignored");
    auto font = ReadFontDefaults(data / "fdefaults.txt");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->face, "Liberation Serif");
    EXPECT_EQ(font->heightTwips, 400);

    for (const char* bad : {"", "|300", "Arial|0", "Arial|-5", "no bar here"}) {
        Write(data / "fdefaults.txt", bad);
        EXPECT_FALSE(ReadFontDefaults(data / "fdefaults.txt")) << bad;
    }
    DocumentRichEdit text;
    ApplySavedFont(text, data.path());
    const CharFormat format = text.SelectionCharFormat();
    EXPECT_EQ(format.face, "Courier");
    EXPECT_EQ(format.heightTwips, 240);
    EXPECT_FALSE(ReadFontDefaults(data / "absent.txt"));
}

TEST_F(MainCommandsTest, PrintingReportsNoPrinterAndEmptyJobs) {
    FakePrinter printer;
    printer.present = false;
    PrintMainText(form, ui, printer);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No default printer is installed.");
    EXPECT_EQ(ui.messages[0].caption, "VANTELO print error");

    FakePrinter empty;
    PrintMainText(form, ui, empty);
    EXPECT_TRUE(empty.began);
    EXPECT_TRUE(empty.ended);
    EXPECT_EQ(empty.documentName, "testout");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Nothing was printed. Is your printer on?");
}

TEST_F(MainCommandsTest, PrintingGoesPageByPageAndStopsWhenNothingFits) {
    SetText("twenty-five characters..");
    const int length = form.m_mainText->TextLength();
    FakePrinter printer;
    PrintMainText(form, ui, printer);
    EXPECT_EQ(int(printer.pageStarts.size()), (length + 9) / 10);
    EXPECT_EQ(printer.pageStarts[1], 10);
    EXPECT_TRUE(ui.messages.empty());

    FakePrinter stuck;
    stuck.charactersPerPage = 0;
    PrintMainText(form, ui, stuck);
    EXPECT_EQ(stuck.pageStarts.size(), 1u);
    EXPECT_TRUE(stuck.ended);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Nothing was printed. Is your printer on?");
}

TEST_F(MainCommandsTest, UserGuideOpensTheManualOfTheDataFolder) {
    OpenUserGuide(form, ui);
    ASSERT_EQ(ui.openedPages.size(), 1u);
    EXPECT_EQ(ui.openedPages[0], data.path() + "/usermanual/vantelo_manual.html");
}

}  // namespace
