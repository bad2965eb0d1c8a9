// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/TextItems.h"
#include "form/MainFormState.h"
#include "richtext/RichTextOps.h"
#include "support/Random.h"
#include "tracks/TrackSwitchboard.h"

#include <gtest/gtest.h>

namespace {

// Windows that only remember that they exist: the collage reads the state alone.
class HeadlessWindows : public TrackWindowPort {
public:
    std::array<bool, 5> exists{};
    bool Exists(int n) const override { return exists[static_cast<std::size_t>(n)]; }
    void Create(int n, const std::string&, const std::string&) override { exists[static_cast<std::size_t>(n)] = true; }
    void ShowNormalOrRestore(int) override {}
    void Hide(int) override {}
    void SetOnOffPushed(int, bool) override {}
};

class TracksInCollageTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.m_showMain = false;
        state.m_trackWindowOpen = {false, false, false, false};
        LoadMarkup(*state.m_tracks[1].m_trackText, "zebra zebra zebra zebra");
        LoadMarkup(*state.m_tracks[2].m_trackText, "quokka quokka quokka quokka");
        state.m_tracks[1].m_trackColour = 0x00336699;  // red 0x99, green 0x66, blue 0x33
    }
    std::string Items() {
        rng::Seed(7);
        return BuildTextItems(state, 0);
    }

    MainFormState state;
    HeadlessWindows windows;
};

TEST_F(TracksInCollageTest, OnlyShownTracksAreMixedWithTheirOwnSettings) {
    ShowTrack(state, windows, 2);
    const std::string items = Items();

    EXPECT_NE(items.find("zebra"), std::string::npos);
    EXPECT_EQ(items.find("quokka"), std::string::npos) << "track 3 was never shown";
    EXPECT_NE(items.find(state.m_tracks[1].GetTextStylePrefix()), std::string::npos);
    EXPECT_NE(items.find("background-color:#996633"), std::string::npos);

    // Switched off, track 2 no longer contributes.
    TrackOnOff(state, windows, 2);
    EXPECT_EQ(Items().find("zebra"), std::string::npos);
}

TEST_F(TracksInCollageTest, WholeTextSettingReachesTheItems) {
    ShowTrack(state, windows, 2);
    state.m_tracks[1].m_useWhole = true;
    EXPECT_NE(Items().find("zebra zebra zebra zebra"), std::string::npos);
}

}  // namespace
