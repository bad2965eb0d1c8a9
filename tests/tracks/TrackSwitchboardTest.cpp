// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/MainFormState.h"
#include "tracks/TrackSwitchboard.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Remembers which windows exist and are visible, and the on/off looks.
class FakeTrackWindows : public TrackWindowPort {
public:
    struct Created {
        int n;
        std::string title;
        std::string databasePath;
    };
    std::vector<Created> created;
    std::set<int> visible;
    std::map<int, bool> pushed;
    int hideCalls = 0;

    bool Exists(int n) const override {
        for (const auto& c : created)
            if (c.n == n) return true;
        return false;
    }
    void Create(int n, const std::string& title, const std::string& databasePath) override {
        EXPECT_FALSE(Exists(n)) << "window " << n << " created twice";
        created.push_back({n, title, databasePath});
    }
    void ShowNormalOrRestore(int n) override {
        EXPECT_TRUE(Exists(n));
        visible.insert(n);
    }
    void Hide(int n) override {
        EXPECT_TRUE(Exists(n));
        ++hideCalls;
        visible.erase(n);
    }
    void SetOnOffPushed(int n, bool on) override { pushed[n] = on; }
};

class TrackSwitchboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.m_dataFolder = "/home/u/.local/share/vantelo";
        form.m_trackWindowOpen = {false, false, false, false};
    }
    MainFormState form;
    FakeTrackWindows windows;
};

TEST_F(TrackSwitchboardTest, FirstShowCreatesTitledWindowWithTrackDatabase) {
    ShowTrack(form, windows, 3);

    ASSERT_EQ(windows.created.size(), 1u);
    EXPECT_EQ(windows.created[0].n, 3);
    EXPECT_EQ(windows.created[0].title, "VANTELO TEXT INPUT TRACK 3");
    EXPECT_EQ(windows.created[0].databasePath, "/home/u/.local/share/vantelo/words6.db");
    EXPECT_EQ(form.m_tracks[2].m_trackDatabasePath, "/home/u/.local/share/vantelo/words6.db");
    EXPECT_TRUE(windows.visible.count(3));
    EXPECT_TRUE(windows.pushed[3]);
    EXPECT_EQ((std::array<bool, 4>{false, false, true, false}), form.m_trackWindowOpen);
}

TEST_F(TrackSwitchboardTest, ShowingAgainReusesTheWindowAndTurnsTheTrackBackOn) {
    ShowTrack(form, windows, 2);
    TrackOnOff(form, windows, 2);
    EXPECT_FALSE(form.m_trackWindowOpen[1]);
    EXPECT_FALSE(windows.visible.count(2));
    EXPECT_FALSE(windows.pushed[2]);

    ShowTrack(form, windows, 2);
    EXPECT_EQ(windows.created.size(), 1u);
    EXPECT_TRUE(form.m_trackWindowOpen[1]);
    EXPECT_TRUE(windows.visible.count(2));
    EXPECT_TRUE(windows.pushed[2]);
}

TEST_F(TrackSwitchboardTest, OnOffBeforeTheWindowExistsOnlyTurnsTheTrackOff) {
    form.m_trackWindowOpen[1] = true;  // whatever the flag said before
    TrackOnOff(form, windows, 2);

    EXPECT_TRUE(windows.created.empty());
    EXPECT_EQ(windows.hideCalls, 0);
    EXPECT_FALSE(form.m_trackWindowOpen[1]);

    // The window is still created normally afterwards.
    ShowTrack(form, windows, 2);
    EXPECT_EQ(windows.created.size(), 1u);
    EXPECT_TRUE(form.m_trackWindowOpen[1]);
}

TEST_F(TrackSwitchboardTest, TrackOneCannotBeSwitchedOff) {
    ShowTrack(form, windows, 1);
    TrackOnOff(form, windows, 1);

    EXPECT_TRUE(form.m_trackWindowOpen[0]);
    EXPECT_TRUE(windows.visible.count(1));
    EXPECT_TRUE(windows.pushed[1]) << "the button must keep showing that track 1 is on";
}

TEST_F(TrackSwitchboardTest, TracksAreIndependentAndOutOfRangeNumbersAreIgnored) {
    ShowTrack(form, windows, 1);
    ShowTrack(form, windows, 4);
    TrackOnOff(form, windows, 4);
    ShowTrack(form, windows, 0);
    ShowTrack(form, windows, 5);
    TrackOnOff(form, windows, 5);

    EXPECT_EQ((std::array<bool, 4>{true, false, false, false}), form.m_trackWindowOpen);
    EXPECT_EQ(windows.created.size(), 2u);
    EXPECT_TRUE(windows.visible.count(1));
    EXPECT_FALSE(windows.visible.count(4));
}

}  // namespace
