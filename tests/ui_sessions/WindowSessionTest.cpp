// SPDX-License-Identifier: GPL-3.0-or-later
// Save Session... and Open Session... in the window: a session saved, the
// window closed and a fresh one opened gives every control, every track
// window and the same page back.
#include "../ui_main/MainWindowFixture.h"
#include "page/FontSpan.h"
#include "richtext/RichTextOps.h"
#include "support/Random.h"
#include "ui/QtRichEdit.h"
#include "ui/TrackWindows.h"
#include "ui/trackview.h"

#include "app/MainFormIds.h"
#include "app/MainFrameIds.h"
#include "ui/TrackWindowIds.h"
#include "ProgramRun.h"
#include "app/BoardDoor.h"
#include "page/CollageModel.h"
#include "session/Session.h"
#include "ui/BoardIds.h"
#include "ui/CollageBoard.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

// fontconfig keeps its caches until the process ends; that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

constexpr int kSaveSession = ID_FILE_SAVE_SESSION;
constexpr int kOpenSession = ID_FILE_OPEN_SESSION;

class WindowSessionTest : public MainWindowTest {
protected:
    template <class W = QAbstractButton>
    W* TrackControl(int n, int id) const {
        return view->Tracks()->Window(n)->findChild<W*>(QString::number(id));
    }

    // Every control of the main form and of the track windows, and the texts
    // with their fonts, as one text.
    std::string Controls() {
        std::ostringstream s;
        for (int id :
             {IDC_TRACK1_FADER, IDC_TRACK2_FADER, IDC_TRACK3_FADER, IDC_TRACK4_FADER, IDC_TEXTVOLUME, IDC_IMAGEVOLUME})
            s << id << '=' << Control<QSlider>(id)->value() << ' ';
        for (int id : {IDC_SNIP1, IDC_SNIP2, IDC_SNIP3, IDC_SNIP4, IDC_SNIP5, IDC_SNIP6, IDC_SNIP7, IDC_USEFOLDER,
                       IDC_SHOWMAIN, IDC_TEXTOVERIMAGES, IDC_CAPTURECODE, IDC_PORTRAIT, IDC_LANDSCAPE})
            s << id << '=' << Control<QAbstractButton>(id)->isChecked() << ' ';
        s << "style=" << Control<QComboBox>(IDC_MAINSTYLE)->currentIndex() << ' ';
        s << "output=" << Control<QLineEdit>(IDC_OUTPUTEDIT)->text().toStdString() << ' ';
        s << "folder=" << Control<QLineEdit>(IDC_FOLDEREDIT)->text().toStdString() << ' ' << state->m_customImageFolder
          << '\n';
        s << "main=" << PlainTextOf(*state->m_mainText) << FontSpanOf(*state->m_mainText) << ' '
          << view->MainText()->BackgroundColour() << '\n';
        for (int n = 1; n <= 4; ++n) {
            trackview* window = view->Tracks()->Window(n);
            s << "track" << n << " on=" << state->m_trackWindowOpen[n - 1]
              << " pushed=" << view->Tracks()->IsOnOffPushed(n) << " window=" << (window && window->isVisible());
            if (window) {
                for (int id : {IDC_CUT1, IDC_CUT2, IDC_CUT3, IDC_CUT4, IDC_CUT5, IDC_CUT6, IDC_PREFIX, IDC_SUFFIX,
                               IDC_FRAGMENT3, IDC_FRAGMENT4, IDC_FRAGMENT5, IDC_USEWHOLE})
                    s << ' ' << id << '=' << TrackControl(n, id)->isChecked();
                s << " style=" << TrackControl<QComboBox>(n, IDC_TRACK_STYLE)->currentIndex() << ' '
                  << window->TextControl()->BackgroundColour();
            }
            RichEditControl& text = *state->m_tracks[n - 1].m_trackText;
            s << " text=" << PlainTextOf(text) << FontSpanOf(text) << '\n';
        }
        return s.str();
    }

    // Every setting off its start value, through the widgets where there is one.
    void ChangeEverything() {
        LoadMarkup(*state->m_mainText, "Grüße aus Köln: naïve café, 東京 und ein paar Wörter mehr");
        CharFormat font;
        font.mask = CharFormat::kFace | CharFormat::kSize | CharFormat::kColour;
        font.face = "DejaVu Serif";
        font.heightTwips = 280;
        font.textColour = 0x0000C0;
        state->m_mainText->SelectAll();
        state->m_mainText->SetSelectionCharFormat(font);
        ui.colourAnswers.push_back(0x00EEFF);
        view->OnCommand(IDC_PALETTE);
        const std::pair<int, int> sliders[] = {{IDC_TRACK1_FADER, 30}, {IDC_TRACK2_FADER, 170}, {IDC_TRACK3_FADER, 200},
                                               {IDC_TRACK4_FADER, 60}, {IDC_TEXTVOLUME, 35},    {IDC_IMAGEVOLUME, 0}};
        for (auto [id, value] : sliders) Control<QSlider>(id)->setValue(value);
        for (int id : {IDC_SNIP4, IDC_LANDSCAPE}) Control<QAbstractButton>(id)->click();  // 4 words, landscape
        ui.folderAnswers.push_back(FolderChoice{1, data.path() + "/pictures/"});
        view->OnCommand(IDC_FOLDERBUTTON);
        for (int id : {IDC_TEXTOVERIMAGES, IDC_CAPTURECODE})
            Control<QAbstractButton>(id)->click();  // text under images, no capture code
        Control<QComboBox>(IDC_MAINSTYLE)->setCurrentIndex(4);
        ui.saveAnswers.push_back(FileChoice{output + "evening.html", "evening.html"});
        view->OnCommand(IDC_OUTPUTBUTTON);

        view->OnCommand(IDC_TRACK2_SHOW);  // track 2: shown, set up
        LoadMarkup(*state->m_tracks[1].m_trackText, "ŝnipoj ĉiuj ñandú ørken and plain words");
        for (int id : {IDC_CUT5, IDC_SUFFIX, IDC_FRAGMENT5, IDC_USEWHOLE}) TrackControl(2, id)->click();
        TrackControl<QComboBox>(2, IDC_TRACK_STYLE)->setCurrentIndex(1);
        ui.colourAnswers.push_back(0x203040);
        TrackControl(2, IDC_TRACK_PALETTE)->click();
        view->OnCommand(IDC_TRACK3_SHOW);  // track 3: on, its window closed again
        LoadMarkup(*state->m_tracks[2].m_trackText, "third track's words");
        view->Tracks()->Window(3)->hide();
        view->OnCommand(IDC_TRACK4_SHOW);  // track 4: shown, then switched off
        view->OnCommand(IDC_TRACK4_ONOFF);
    }
};

}  // namespace

TEST_F(WindowSessionTest, SavedSessionReopensEveryControlTextAndPage) {
    Open();
    ChangeEverything();
    view->OnCommand(IDC_GO);
    ASSERT_TRUE(state->m_lastSeed.has_value());
    const std::string page = ReadFile(output + "evening.html");
    ASSERT_NE(page.find("pagecontainer"), std::string::npos);
    const std::string before = Controls();
    ASSERT_NE(before.find("ŝnipoj"), std::string::npos);

    const std::string session = data.path() + "/evening.vantelo";
    ui.saveAnswers.push_back(FileChoice{session, "evening.vantelo"});
    frame->Command(kSaveSession)->trigger();
    EXPECT_EQ(frame->windowTitle().toStdString(), "VANTELO  Version 1.2 - evening");
    ASSERT_TRUE(std::filesystem::exists(session));
    EXPECT_TRUE(ui.messages.empty());

    Close();
    std::filesystem::rename(output + "evening.html", output + "before.html");
    Open();
    EXPECT_EQ(frame->windowTitle().toStdString(), "VANTELO  Version 1.2");
    EXPECT_NE(Controls(), before);
    ui.openAnswers.push_back(FileChoice{session, "evening.vantelo"});
    frame->Command(kOpenSession)->trigger();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Controls(), before);
    EXPECT_EQ(frame->windowTitle().toStdString(), "VANTELO  Version 1.2 - evening");

    rng::Seed(*state->m_lastSeed);
    view->OnCommand(IDC_GO);
    EXPECT_EQ(ReadFile(output + "evening.html"), page);

    // The same page from the command line, byte for byte.
    const std::string headless = data.path() + "/headless/";
    const ProgramRun run = RunTarvex4(
        "go --data " + Quoted(data.path()) + " --session " + Quoted(session) + " --seed last --out " + Quoted(headless),
        data.path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(headless + "evening.html"), page);
}

TEST_F(WindowSessionTest, ABadSessionFileLeavesTheWindowAsItWas) {
    Open();
    ChangeEverything();
    const std::string before = Controls();
    std::string deep = "{\"format\":\"vantelo-session\",\"version\":2,\"x\":";
    for (int i = 0; i < 100; ++i) deep += "[";
    const std::pair<std::string, const char*> files[] = {
        {R"({"format":"vantelo-session","version":7,"main":{"style":0}})", "newer version of the program"},
        // nlohmann throws out_of_range for it, which must not reach the event loop.
        {R"({"format":"vantelo-session","version":2,"main":{"style":1e999}})", "a number too large to read"},
        {deep, "nests deeper than 64 levels"},
    };
    for (const auto& [text, reason] : files) {
        SCOPED_TRACE(reason);
        const std::string path = data.path() + "/bad.vantelo";
        std::ofstream(path, std::ios::trunc) << text;
        ui.messages.clear();
        ui.openAnswers.push_back(FileChoice{path, "bad.vantelo"});
        frame->Command(kOpenSession)->trigger();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].caption, "Open Session");
        EXPECT_NE(ui.messages[0].text.find(reason), std::string::npos) << ui.messages[0].text;
        EXPECT_EQ(Controls(), before);
        EXPECT_EQ(frame->windowTitle().toStdString(), "VANTELO  Version 1.2");
    }
}

// A session names the board's page, and may come from anyone: Save Board
// writes there only after the user has confirmed the name once.
TEST_F(WindowSessionTest, TheBoardPathOfASessionIsConfirmedBeforeTheFirstSave) {
    Open();
    view->OnCommand(IDC_GO);
    const std::string pagePath = output + "collage1.html";
    const std::string page = ReadFile(pagePath);
    collage::Collage arranged;
    std::string why;
    ASSERT_TRUE(collage::ReadPage(page, arranged, why)) << why;
    arranged.background ^= 0xFFFFFF;
    Session session = CaptureSession(*state, {});
    session.boardPath = pagePath;
    session.boardPage = collage::WritePage(arranged);
    const std::string sessionPath = data.path() + "/board.vantelo";
    WriteSessionFile(sessionPath, session);
    ui.openAnswers.push_back(FileChoice{sessionPath, "board.vantelo"});
    frame->Command(kOpenSession)->trigger();
    CollageBoard& board = view->Board().Board();
    ASSERT_TRUE(board.Modified());

    ui.saveInitialNames.clear();
    board.Command(ID_BOARD_SAVE)->trigger();  // the dialog is cancelled
    ASSERT_EQ(ui.saveInitialNames.size(), 1u);
    EXPECT_EQ(ui.saveInitialNames[0], pagePath) << "the session's path is offered";
    EXPECT_EQ(ReadFile(pagePath), page);
    EXPECT_TRUE(board.Modified());

    ui.saveAnswers.push_back(FileChoice{pagePath, "collage1.html"});
    board.Command(ID_BOARD_SAVE)->trigger();
    EXPECT_EQ(ReadFile(pagePath), session.boardPage);
    EXPECT_FALSE(board.Modified());
    // Confirmed once: later saves go there without asking.
    arranged.background ^= 0x0F0F0F;
    ASSERT_TRUE(board.Apply("Again", arranged));
    board.Command(ID_BOARD_SAVE)->trigger();
    EXPECT_EQ(ui.saveInitialNames.size(), 2u);
    EXPECT_EQ(ReadFile(pagePath), collage::WritePage(arranged));
}
