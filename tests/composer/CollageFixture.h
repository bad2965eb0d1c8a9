// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small data folder (words database with a few pictures, art fonts) and
// output folder in a temp dir, for collage runs without the delivered data.
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "form/MainFormState.h"
#include "richtext/RichTextOps.h"
#include "page/CollageModel.h"
#include "composer/CollageRun.h"
#include "support/Random.h"
#include "ScratchFolder.h"
#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "WordsDatabaseFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace fixture {

namespace fs = std::filesystem;

// The C runtime generator worked out independently: the n-th draws of a seed.
inline std::vector<int> Draws(std::uint32_t seed, int count) {
    std::vector<int> draws;
    std::uint32_t state = seed;
    for (int i = 0; i < count; ++i) {
        state = state * 214013u + 2531011u;
        draws.push_back(static_cast<int>((state >> 16) & 0x7FFF));
    }
    return draws;
}

class CollageTest : public ::testing::Test {
protected:
    void SetUp() override {
        dataFolder = (root / "data").string();
        outputFolder = (root / "out").string() + "/";
        fs::create_directories(dataFolder);
        fs::create_directories(outputFolder);
        CreateWordsDatabase(dataFolder);
        AddArtFonts(dataFolder);
        state.m_dataFolder = dataFolder;
        state.m_outputFolder = outputFolder;
    }

    // Adds a picture to the library in category 1 (or `category`).
    void AddPicture(const std::string& fileName, int width, int height, const std::string& bytes = "GIF89a-picture",
                    const std::string& category = "1") {
        ::AddPicture(dataFolder, fileName, bytes, width, height, category);
    }

    void Sql(const std::string& statement) {
        SqlDatabase db;
        db.Open(wordsdb::DatabasePath(dataFolder));
        db.Execute(statement);
    }

    void SetMainText(const std::string& text) { LoadMarkup(*state.m_mainText, text); }
    void SetTrackText(int k, const std::string& text) {
        LoadMarkup(*state.m_tracks[static_cast<size_t>(k - 1)].m_trackText, text);
    }

    // The page text for `seed`, as a GO press would build it.
    std::string Compose(std::uint32_t seed) {
        rng::Seed(seed);
        last = ComposeCollage(state);
        return collage::WritePage(last.collage);
    }
    // A whole GO press for `seed`, answered by `ui`.
    CollageResult Build(ScriptedUserInterface& ui, std::uint32_t seed = 1) {
        rng::Seed(seed);
        return BuildCollage(state, ui);
    }
    // The user's picture folder, root/pics, in use.
    void UsePictureFolder() {
        state.m_useCustomFolder = true;
        state.m_customImageFolder = (root / "pics").string();
    }

    std::string Page() const { return ReadFile(fs::path(outputFolder) / state.m_outputFileName); }

    ScratchFolder scratch;
    fs::path root = scratch.path();
    std::string dataFolder;
    std::string outputFolder;
    MainFormState state;
    // What the last Compose left behind.
    CollageResult last;
};

// A page read back into the model; a failure to read is the test's failure.
inline collage::Collage ReadBack(const std::string& page) {
    collage::Collage model;
    std::string why;
    EXPECT_TRUE(collage::ReadPage(page, model, why)) << why;
    return model;
}

// The items of a page, in page order.
struct Item {
    std::string id;
    int top = 0, left = 0, z = 0;
    int width = -1;          // text items: the box width; images: the IMG width
    int height = -1;         // images only
    std::string background;  // text items
    std::string body;        // what follows the opening tag
};

// The number that follows `key` at or after `from` (-1 when absent).
inline int NumberAfter(const std::string& text, const std::string& key, size_t from, size_t to) {
    size_t at = text.find(key, from);
    if (at == std::string::npos || at >= to) return -1;
    return std::atoi(text.c_str() + at + key.size());
}

inline std::vector<Item> ItemsOf(const std::string& page) {
    std::vector<Item> items;
    const std::string open = "<div id='";
    for (size_t at = page.find(open); at != std::string::npos; at = page.find(open, at + 1)) {
        Item item;
        size_t idEnd = page.find('\'', at + open.size());
        item.id = page.substr(at + open.size(), idEnd - at - open.size());
        if (item.id == "pagecontainer") continue;
        size_t tagEnd = page.find("'>", idEnd + 1);
        const std::string style = page.substr(idEnd, tagEnd - idEnd);
        item.top = NumberAfter(style, "top:", 0, style.size());
        item.left = NumberAfter(style, "left:", 0, style.size());
        item.width = NumberAfter(style, "width:", 0, style.size());
        item.z = NumberAfter(style, "Z-INDEX:", 0, style.size());
        size_t bg = style.find("background");
        item.background = style.substr(bg, style.find("Z-INDEX:") - bg);
        size_t bodyStart = tagEnd + 2;
        item.body = page.substr(bodyStart, page.find("</div>", bodyStart) - bodyStart);
        if (item.body.rfind("<IMG name=", 0) == 0) {
            item.width = NumberAfter(item.body, " width=", 0, item.body.size());
            item.height = NumberAfter(item.body, " height=", 0, item.body.size());
        }
        items.push_back(item);
    }
    return items;
}

}  // namespace fixture
