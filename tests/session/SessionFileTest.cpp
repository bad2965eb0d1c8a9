// SPDX-License-Identifier: GPL-3.0-or-later
// Session files: what they keep, and what happens with files that are not
// good sessions.
#include "SessionFixture.h"

#include "composer/CollageRun.h"
#include "page/FontSpan.h"
#include "support/Random.h"
#include "ScriptedUserInterface.h"
#include "session/SessionCommands.h"

#include <functional>

#include <nlohmann/json.hpp>

using namespace sessiontest;

namespace {

// Everything a session keeps of a form, as one comparable text.
std::string Snapshot(MainFormState& form) {
    std::string s = SessionToJson(CaptureSession(form, {false, false, false, false}));
    s += PlainTextOf(*form.m_mainText) + "|" + FontSpanOf(*form.m_mainText);
    for (TrackState& t : form.m_tracks) s += "|" + PlainTextOf(*t.m_trackText) + "|" + FontSpanOf(*t.m_trackText);
    return s;
}

// A fake set of track windows that remembers what was done to it.
struct RecordingWindows : TrackWindowPort {
    std::array<bool, 4> exists{}, shown{}, pushed{};
    bool Exists(int n) const override { return exists[static_cast<size_t>(n - 1)]; }
    void Create(int n, const std::string&, const std::string&) override { exists[static_cast<size_t>(n - 1)] = true; }
    void ShowNormalOrRestore(int n) override { shown[static_cast<size_t>(n - 1)] = true; }
    void Hide(int n) override { shown[static_cast<size_t>(n - 1)] = false; }
    void SetOnOffPushed(int n, bool on) override { pushed[static_cast<size_t>(n - 1)] = on; }
};

}  // namespace

TEST_F(SessionTest, RoundTripKeepsEverySettingTextAndFont) {
    MainFormState saved;
    FillForm(saved);
    const std::string path = scratch / "setup.vantelo";
    WriteSessionFile(path, CaptureSession(saved, {true, false, false, true}));

    MainFormState opened;
    Session session = ReadSessionFile(path);
    EXPECT_TRUE(ApplySession(session, opened).empty());
    EXPECT_EQ(Snapshot(opened), Snapshot(saved));
    // Spot checks that the snapshot does not hide a fault common to both sides.
    EXPECT_EQ(PlainTextOf(*opened.m_mainText).rfind("Grüße aus Köln, naïve café — 東京 bold", 0), 0u);
    EXPECT_EQ(FontSpanOf(*opened.m_mainText),
              "<font face='DejaVu Serif' color='#FF0000'><span style='font-size:18pt;'>");
    EXPECT_EQ(opened.m_mainText->BackgroundColour(), 0x00FFEEu);
    EXPECT_EQ(opened.m_tracks[2].m_trackText->BackgroundColour(), 0x112233u * 3);
    EXPECT_EQ(opened.m_tracks[1].GetWordsPerCut(), 3);
    EXPECT_EQ(opened.m_lastSeed, 987654321u);
    EXPECT_EQ(opened.m_outputFileText, output + "party.html");
    EXPECT_EQ(opened.WordsPerSnip(), 4);
    EXPECT_EQ(session.tracks[0].windowOpen, true);
    EXPECT_EQ(session.tracks[1].windowOpen, false);
    EXPECT_EQ(session.tracks[3].windowOpen, true);
}

TEST_F(SessionTest, EmptyTextsKeepTheirFont) {
    MainFormState saved;
    SetFont(*saved.m_mainText, "Liberation Serif", 500, 0x00AA00, false);
    MainFormState opened;
    ApplySession(SessionFromJson(SessionToJson(CaptureSession(saved, {}))), opened);
    EXPECT_EQ(opened.m_mainText->TextLength(), 0);
    EXPECT_EQ(FontSpanOf(*opened.m_mainText),
              "<font face='Liberation Serif' color='#00AA00'><span style='font-size:25pt;'>");
}

TEST_F(SessionTest, GoAfterOpeningGivesThePageOfGoBeforeSaving) {
    MainFormState before;
    FillForm(before);
    before.m_imageVolume = 6;
    ScriptedUserInterface ui;
    rng::Seed(4242);
    CollageResult first = BuildCollage(before, ui);
    ASSERT_TRUE(first.written) << first.problem;
    EXPECT_EQ(first.seed, 4242u);
    before.m_lastSeed = first.seed;  // as the window keeps it
    const std::string page = ReadFile(first.pagePath);
    ASSERT_NE(page.find("SRC='lib.gif'"), std::string::npos);
    ASSERT_TRUE(HasAnyOf(page, {"ŝnipoj", "ĉiuj", "ñandú", "ørken"})) << "track 3's words should be in the page";

    const std::string path = scratch / "go.vantelo";
    WriteSessionFile(path, CaptureSession(before, {}));
    std::filesystem::remove(first.pagePath);

    MainFormState after;
    after.m_dataFolder = data;
    ApplySession(ReadSessionFile(path), after);
    rng::Seed(12345);  // whatever the generator was doing since
    rng::Seed(*after.m_lastSeed);
    CollageResult second = BuildCollage(after, ui);
    ASSERT_TRUE(second.written) << second.problem;
    EXPECT_EQ(second.pagePath, first.pagePath);
    EXPECT_EQ(ReadFile(second.pagePath), page);
}

TEST_F(SessionTest, FilesThatAreNotGoodSessionsAreRefusedWithTheirReason) {
    MainFormState form;
    FillForm(form);
    const std::string good = SessionToJson(CaptureSession(form, {}));
    nlohmann::json newer = nlohmann::json::parse(good);
    newer["version"] = kSessionFormatVersion + 1;
    nlohmann::json badFader = nlohmann::json::parse(good);
    badFader["tracks"][2]["fader"] = 201;
    nlohmann::json badColour = nlohmann::json::parse(good);
    badColour["main"]["palette"] = "#12345";
    nlohmann::json badType = nlohmann::json::parse(good);
    badType["volumes"]["text"] = "20";
    nlohmann::json badName = nlohmann::json::parse(good);
    badName["output"]["fileName"] = "../../elsewhere.html";
    nlohmann::json badSeed = nlohmann::json::parse(good);
    badSeed["lastSeed"] = -1;
    nlohmann::json badKept = nlohmann::json::parse(good);
    badKept["board"] = {{"path", "/p.html"}, {"page", "x"}, {"kept", {"dpagetextitem1~", 7}}};
    nlohmann::json foreignJson = {{"format", "something-else"}, {"version", 1}};
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "{\"a\":";
    const std::string deepComplete = deep + "1" + std::string(100000, '}');

    const struct {
        const char* name;
        std::string content;  // empty name: no file at all
        const char* reason;
    } cases[] = {
        {"missing", "", "No such file or directory"},
        {"empty", " \n", "it is empty"},
        {"truncated", good.substr(0, good.size() / 2), "it is damaged or cut short"},
        {"picture", "\x89PNG\r\n\x1a\n....", "it is not a VANTELO session"},
        {"foreign json", foreignJson.dump(), "it is not a VANTELO session"},
        {"deeply nested", deepComplete, "it nests deeper than 64 levels (at byte 321)"},
        {"deeply cut", deep, "it nests deeper than 64 levels"},
        {"no version", R"({"format":"vantelo-session"})", "no valid session format version"},
        {"newer", newer.dump(), "newer version of the program (session format 4; this one reads up to 3)"},
        {"fader", badFader.dump(), "tracks[2].fader is not a number from 0 to 200"},
        {"colour", badColour.dump(), "main.palette is not a colour #RRGGBB"},
        {"type", badType.dump(), "volumes.text is not a number from 0 to 40"},
        {"seed", badSeed.dump(), "lastSeed is not a number from 0 to 4294967295"},
        {"page name", badName.dump(), "output.fileName is not a file name"},
        {"kept", badKept.dump(), "board.kept holds something that is not an item id"},
    };
    for (const auto& c : cases) {
        const std::string path = scratch / (std::string(c.name) + ".vantelo");
        if (std::string(c.name) != "missing") WriteFile(path, c.content);
        try {
            ReadSessionFile(path);
            ADD_FAILURE() << c.name << " was read";
        } catch (const SessionError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("Cannot open the session " + path + ": ", 0), 0u) << message;
            EXPECT_NE(message.find(c.reason), std::string::npos) << c.name << ": " << message;
        }
    }
}

TEST_F(SessionTest, OpeningABadFileLeavesTheFormAsItWas) {
    MainFormState form;
    FillForm(form);
    const std::string before = Snapshot(form);
    const std::string path = scratch / "cut.vantelo";
    const std::string good = SessionToJson(CaptureSession(form, {}));
    WriteFile(path, good.substr(0, good.size() - 20));

    ScriptedUserInterface ui;
    ui.openAnswers.push_back(FileChoice{path, "cut.vantelo"});
    RecordingWindows windows;
    EXPECT_EQ(OpenSessionCommand(form, ui, windows), std::nullopt);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Open Session");
    EXPECT_EQ(ui.messages[0].text, "Cannot open the session " + path + ": it is damaged or cut short.");
    EXPECT_EQ(Snapshot(form), before);
    EXPECT_FALSE(windows.exists[1]) << "no window is made for a file that was refused";
}

TEST_F(SessionTest, TheBoardsKeptItemsTravelAndOlderSessionsStillOpen) {
    MainFormState form;
    FillForm(form);
    form.m_boardPath = "/pages/collage1.html";
    form.m_boardPage = "<html>the page</html>";
    form.m_boardKept = {"dpagetextitem3~", "dpageimageitem0~"};
    const std::string text = SessionToJson(CaptureSession(form, {}));
    EXPECT_NE(text.find("\"version\": 3"), std::string::npos);
    MainFormState opened;
    ApplySession(SessionFromJson(text), opened);
    EXPECT_EQ(opened.m_boardKept, form.m_boardKept);
    EXPECT_EQ(opened.m_boardPage, form.m_boardPage);

    // A version 2 session has a board without kept items.
    opened.m_boardKept = {"left over"};
    ApplySession(SessionFromJson(R"({"format":"vantelo-session","version":2,
        "board":{"path":"/p/collage1.html","page":"<p>"}})"),
                 opened);
    EXPECT_TRUE(opened.m_boardKept.empty());
    EXPECT_EQ(opened.m_boardPath, "/p/collage1.html");
}

TEST_F(SessionTest, UnknownFieldsAreIgnoredAndAbsentOnesTakeStartValues) {
    Session s = SessionFromJson(R"({"format":"vantelo-session","version":1,"comment":"from a later tool",
        "main":{"style":2,"extra":[1,2]},"tracks":[{"fader":5,"glitter":true}],"volumes":{"image":0}})");
    EXPECT_EQ(s.mainStyle, 2);
    EXPECT_EQ(s.tracks[0].fader, 5);
    EXPECT_EQ(s.tracks[1].fader, 100);
    EXPECT_EQ(s.imageVolume, 0);
    EXPECT_EQ(s.textVolume, 20);
    EXPECT_EQ(s.wordsPerSnip, 1);
    EXPECT_TRUE(s.captureCode);
    EXPECT_EQ(s.outputFileName, "collage1.html");
    EXPECT_FALSE(s.lastSeed.has_value());

    MainFormState form;
    LoadMarkup(*form.m_mainText, "old words");
    ApplySession(s, form);
    EXPECT_EQ(form.m_mainText->TextLength(), 0) << "a session without a main text empties it";
    EXPECT_EQ(form.m_trackFader[0], 5);
}

TEST_F(SessionTest, AnUnreadableTextIsReportedAndSkipped) {
    MainFormState saved;
    FillForm(saved);
    nlohmann::json json = nlohmann::json::parse(SessionToJson(CaptureSession(saved, {true, true, false, false})));
    json["tracks"][1]["rtf"] = "plain words, not RTF";
    const std::string path = scratch / "odd text.vantelo";
    WriteFile(path, json.dump());

    MainFormState form;
    LoadMarkup(*form.m_tracks[1].m_trackText, "what track two had");
    ScriptedUserInterface ui;
    ui.openAnswers.push_back(FileChoice{path, "odd text.vantelo"});
    RecordingWindows windows;
    EXPECT_EQ(OpenSessionCommand(form, ui, windows), std::optional<std::string>("odd text"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "The session odd text was opened, but the text of track 2 could not be read; what was shown there "
              "before was kept.");
    EXPECT_EQ(PlainTextOf(*form.m_tracks[1].m_trackText), "what track two had\n");
    EXPECT_EQ(form.m_trackFader[1], 17) << "the rest of the session is opened";
    EXPECT_EQ(PlainTextOf(*form.m_tracks[0].m_trackText), PlainTextOf(*saved.m_tracks[0].m_trackText));
}

TEST_F(SessionTest, ATextWithUnbalancedBracesIsReportedAndWhatCanBeReadIsShown) {
    MainFormState saved;
    FillForm(saved);
    nlohmann::json json = nlohmann::json::parse(SessionToJson(CaptureSession(saved, {true, true, false, false})));
    // A group left open, as a file cut short would have it ...
    json["main"]["rtf"] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 kept words \\{braced\\} {\\b bold";
    // ... and a close brace too many in the middle.
    json["tracks"][1]["rtf"] = "{\\rtf1\\ansi first half} second half}";
    const std::string path = scratch / "braces.vantelo";
    WriteFile(path, json.dump());

    MainFormState form;
    ScriptedUserInterface ui;
    ui.openAnswers.push_back(FileChoice{path, "braces.vantelo"});
    RecordingWindows windows;
    ASSERT_TRUE(OpenSessionCommand(form, ui, windows));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("the main text and the text of track 2"), std::string::npos)
        << ui.messages[0].text;
    EXPECT_NE(ui.messages[0].text.find("braces do not balance"), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(PlainTextOf(*form.m_mainText), "kept words {braced} bold\n");
    EXPECT_EQ(PlainTextOf(*form.m_tracks[1].m_trackText), "first half second half\n");

    // A whole session says nothing.
    ui.messages.clear();
    const std::string whole = scratch / "whole.vantelo";
    WriteSessionFile(whole, CaptureSession(saved, {}));
    ui.openAnswers.push_back(FileChoice{whole, "whole.vantelo"});
    ASSERT_TRUE(OpenSessionCommand(form, ui, windows));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
}

// Tens of MB in one field would take the window seconds and hundreds of MB
// to open, and each save would double it.
TEST_F(SessionTest, FieldsLargerThanTheWindowHoldsAreRefusedByName) {
    MainFormState form;
    FillForm(form);
    const std::string good = SessionToJson(CaptureSession(form, {}));
    const struct {
        const char* field;
        std::function<void(nlohmann::json&)> spoil;
    } cases[] = {
        {"main.font.face",
         [](nlohmann::json& j) { j["main"]["font"]["face"] = std::string(kSessionFaceMax + 1, 'F'); }},
        {"tracks[3].font.face",
         [](nlohmann::json& j) { j["tracks"][3]["font"]["face"] = std::string(kSessionFaceMax + 1, 'F'); }},
        {"main.rtf",
         [](nlohmann::json& j) { j["main"]["rtf"] = "{\\rtf1 " + std::string(kSessionTextMax, 'w') + "}"; }},
        {"tracks[0].rtf", [](nlohmann::json& j) { j["tracks"][0]["rtf"] = std::string(kSessionTextMax + 1, 'w'); }},
        {"output.folder", [](nlohmann::json& j) { j["output"]["folder"] = std::string(kSessionPathMax + 1, 'd'); }},
        {"customFolder.path",
         [](nlohmann::json& j) { j["customFolder"]["path"] = std::string(kSessionPathMax + 1, 'd'); }},
    };
    for (const auto& c : cases) {
        nlohmann::json json = nlohmann::json::parse(good);
        c.spoil(json);
        try {
            SessionFromJson(json.dump());
            ADD_FAILURE() << c.field << " was taken";
        } catch (const SessionError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string(c.field) + " is longer than"), std::string::npos)
                << e.what();
        }
    }
    // At the limit it is still a session.
    nlohmann::json json = nlohmann::json::parse(good);
    json["main"]["font"]["face"] = std::string(kSessionFaceMax, 'F');
    EXPECT_EQ(SessionFromJson(json.dump()).mainFont.face, std::string(kSessionFaceMax, 'F'));

    // What could not be opened again is not saved, and the old file stays.
    const std::string path = scratch / "keep.vantelo";
    WriteSessionFile(path, CaptureSession(form, {}));
    const std::string before = ReadFile(path);
    Session tooLarge = CaptureSession(form, {});
    tooLarge.mainFont.face = std::string(kSessionFaceMax + 5, 'F');
    tooLarge.mainFont.mask |= CharFormat::kFace;
    EXPECT_THROW(WriteSessionFile(path, tooLarge), SessionError);
    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(SessionTest, OpeningShowsAndHidesTheTrackWindowsAsSaved) {
    MainFormState saved;
    FillForm(saved);
    // Track 3 is on with its window closed; track 2 is off.
    const std::string path = scratch / "w.vantelo";
    WriteSessionFile(path, CaptureSession(saved, {true, false, false, true}));

    MainFormState form;
    RecordingWindows windows;
    windows.exists[1] = windows.shown[1] = true;
    ScriptedUserInterface ui;
    ui.openAnswers.push_back(FileChoice{path, "w.vantelo"});
    ASSERT_TRUE(OpenSessionCommand(form, ui, windows));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(windows.exists, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_EQ(windows.shown, (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(windows.pushed, (std::array<bool, 4>{true, false, true, true}));
    EXPECT_EQ(form.m_trackWindowOpen, (std::array<bool, 4>{true, false, true, true}));
}

TEST_F(SessionTest, SaveCommandAddsTheExtensionAndReportsAFailedWrite) {
    MainFormState form;
    FillForm(form);
    ScriptedUserInterface ui;
    ui.saveAnswers.push_back(FileChoice{scratch / "evening", "evening"});
    EXPECT_EQ(SaveSessionCommand(form, ui, {}, ""), std::optional<std::string>("evening"));
    EXPECT_TRUE(std::filesystem::exists(scratch / "evening.vantelo"));
    const std::string saved = ReadFile(scratch / "evening.vantelo");

    // A folder where the file should be: nothing written, the user told.
    std::filesystem::create_directories(scratch / "taken.vantelo/x");
    ui.saveAnswers.push_back(FileChoice{scratch / "taken.vantelo", "taken.vantelo"});
    EXPECT_EQ(SaveSessionCommand(form, ui, {}, "evening"), std::nullopt);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Save Session");
    EXPECT_EQ(ui.messages[0].text.rfind("Cannot save the session " + scratch / "taken.vantelo" + ": ", 0), 0u)
        << ui.messages[0].text;
    EXPECT_FALSE(std::filesystem::exists(scratch / "taken.vantelo.part"));

    // Cancelled: nothing.
    EXPECT_EQ(SaveSessionCommand(form, ui, {}, "evening"), std::nullopt);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ReadFile(scratch / "evening.vantelo"), saved);
}
