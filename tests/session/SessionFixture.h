// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scratch data folder (words database with one picture, art fonts) and a
// form state whose every session setting is off its start value.
#include "form/MainFormState.h"
#include "session/Session.h"
#include "richtext/RichTextOps.h"

#include "ScratchFolder.h"
#include "TestFiles.h"
#include "WordsDatabaseFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <initializer_list>
#include <fstream>
#include <sstream>
#include <string>

namespace sessiontest {

// Whether any of `words` is in `text`.
inline bool HasAnyOf(const std::string& text, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (text.find(w) != std::string::npos) return true;
    return false;
}

// Sets the whole text's font.
inline void SetFont(RichEditControl& text, const std::string& face, int twips, std::uint32_t colour, bool bold) {
    CharFormat f;
    f.mask = CharFormat::kFace | CharFormat::kSize | CharFormat::kColour | CharFormat::kBold;
    f.face = face;
    f.heightTwips = twips;
    f.textColour = colour;
    f.bold = bold;
    text.SelectAll();
    text.SetSelectionCharFormat(f);
    text.CollapseToStart();
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        data = scratch.path() + "/data";
        output = scratch.path() + "/out/";
        std::filesystem::create_directories(output);
        CreateWordsDatabase(data, output);
        AddPicture(data, "lib.gif", "GIF89a-picture");
        AddArtFonts(data);
    }

    // Every setting a session keeps, off its start value; non-ASCII texts.
    void FillForm(MainFormState& form) {
        form.m_dataFolder = data;
        for (TrackState& t : form.m_tracks) t.SetDatabasePath(form.DatabasePath());
        LoadMarkup(*form.m_mainText, "Grüße aus Köln, naïve café — 東京 <b>bold</b> words here and there");
        SetFont(*form.m_mainText, "DejaVu Serif", 360, 0x0000FF, true);
        form.m_backgroundColour = 0x00FFEE;
        form.m_mainText->SetBackgroundColour(0x00FFEE);
        form.m_mainStyle = 3;
        form.SetWordsPerSnip(4);
        form.m_showMain = true;
        form.m_textOverImages = false;
        form.m_captureCode = false;
        form.m_portrait = false;
        form.m_landscape = true;
        form.m_textVolume = 33;
        form.m_imageVolume = 3;
        form.m_useCustomFolder = true;
        form.m_customImageFolder = scratch.path() + "/pictures/";
        form.m_customFolderText = form.m_customImageFolder;
        form.m_outputFolder = output;
        form.m_outputFileName = "party.html";
        form.m_outputFileText = output + "party.html";
        form.m_trackWindowOpen = {true, false, true, true};
        form.m_trackFader = {0, 17, 200, 150};
        for (int k = 1; k <= 4; ++k) {
            TrackState& t = form.m_tracks[static_cast<size_t>(k - 1)];
            LoadMarkup(*t.m_trackText, "track " + std::to_string(k) + " ŝnipoj ĉiuj ñandú ørken words to cut");
            SetFont(*t.m_trackText, k % 2 ? "Liberation Mono" : "DejaVu Sans", 200 + 40 * k, 0x102030u * k, k == 2);
            t.m_trackColour = 0x112233u * static_cast<std::uint32_t>(k);
            t.m_trackText->SetBackgroundColour(t.m_trackColour);
            t.SetWordsPerCut(k + 1);
            t.m_collageStyle = std::array<int, 4>{1, 2, 0, 5}[static_cast<size_t>(k - 1)];
            t.m_useWhole = k == 4;
            t.m_fragmentType = TrackState::kSuffix;
            t.m_fragmentSize = 5;
        }
        form.m_lastSeed = 987654321u;
    }

    ScratchFolder scratch;
    std::string data;
    std::string output;
};

}  // namespace sessiontest
