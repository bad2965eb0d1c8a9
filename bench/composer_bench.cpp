// SPDX-License-Identifier: GPL-3.0-or-later
// One whole GO press without the browser: main text and four tracks of 1 MB
// each, 40 text items, 20 image slots over a library of 1,000 pictures.
#include "composer/CollageRun.h"
#include "composer/KeepAndRedraw.h"
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "form/MainFormState.h"
#include "richtext/RichTextOps.h"
#include "support/ConsoleUserInterface.h"
#include "support/Random.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string MegabyteOfWords(int salt) {
    static const char* words[] = {"the", "quick", "brown",   "fox",   "jumps", "over",  "lazy", "dog",
                                  "cut", "up",    "collage", "words", "fall",  "where", "they", "will"};
    std::string text;
    text.reserve(1 << 20);
    unsigned n = static_cast<unsigned>(salt) * 7919u;
    while (text.size() < (1u << 20)) {
        n = n * 1103515245u + 12345u;
        text += words[(n >> 16) % 16];
        text += ((n >> 8) % 13 == 0) ? "\n" : " ";
    }
    return text;
}

struct Fixture {
    fs::path root;
    MainFormState state;

    Fixture() {
        root = fs::temp_directory_path() / ("tarvex4_composer_bench_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "data");
        fs::create_directories(root / "out/artfonts/stampkit");
        std::ofstream(root / "out/artfonts/stampkit/a.gif") << "GIF89a";

        SqlDatabase db;
        db.Open(wordsdb::DatabasePath((root / "data").string()));
        db.Execute("BEGIN");
        for (const auto& table : wordsdb::DeliveredTables()) db.Execute(table.createStatement);
        db.Execute(wordsdb::InsertSelectionList("1"));
        std::string picture(1200, '\0');
        for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<char>(i * 31);
        SqlBlob blob;
        blob.SetBytes(reinterpret_cast<const unsigned char*>(picture.data()), static_cast<int>(picture.size()));
        const std::string encoded = blob.Encoded();
        for (int i = 0; i < 1000; ++i) {
            db.Execute(wordsdb::InsertImage("1", "pic" + std::to_string(i) + ".gif", "320", "240", encoded.c_str()));
        }
        db.Execute("COMMIT");

        state.m_dataFolder = (root / "data").string();
        state.m_outputFolder = (root / "out").string() + "/";
        state.m_textVolume = 40;
        state.m_imageVolume = 20;
        state.SetWordsPerSnip(4);
        LoadMarkup(*state.m_mainText, MegabyteOfWords(0));
        for (int k = 0; k < 4; ++k) {
            state.m_trackWindowOpen[static_cast<size_t>(k)] = true;
            state.m_tracks[static_cast<size_t>(k)].m_collageStyle = k + 1;
            state.m_tracks[static_cast<size_t>(k)].SetWordsPerCut(k + 2);
            LoadMarkup(*state.m_tracks[static_cast<size_t>(k)].m_trackText, MegabyteOfWords(k + 1));
        }
    }
    ~Fixture() { fs::remove_all(root); }
};

void BM_WholeCollageRun(benchmark::State& run) {
    Fixture fixture;
    ConsoleUserInterface ui(std::cerr);
    std::uint32_t seed = 1;
    for (auto _ : run) {
        rng::Seed(seed++);
        CollageResult result = BuildCollage(fixture.state, ui);
        if (!result.written) run.SkipWithError(result.problem.c_str());
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_WholeCollageRun)->Unit(benchmark::kMillisecond);

// GO Around Kept Items on a page of the same settings (40 snips and 20
// picture slots), half of its items kept: the goal is within 1.5x of a plain GO.
void BM_GoAroundKeptItems(benchmark::State& run) {
    Fixture fixture;
    ConsoleUserInterface ui(std::cerr);
    rng::Seed(1);
    CollageResult first = BuildCollage(fixture.state, ui);
    if (!first.written) {
        run.SkipWithError(first.problem.c_str());
        return;
    }
    collage::Collage page = first.collage;
    for (size_t i = 0; i < page.items.size(); i += 2) page.items[i].kept = true;
    const std::set<std::string> kept = keepredraw::KeptIds(page);
    std::uint32_t seed = 2;
    for (auto _ : run) {
        rng::Seed(seed++);
        CollageResult result = BuildCollage(fixture.state, ui, [&](const MainFormState& state) {
            return keepredraw::ComposeAround(state, page, kept);
        });
        if (!result.written) run.SkipWithError(result.problem.c_str());
        benchmark::DoNotOptimize(result);
    }
    run.counters["items"] = static_cast<double>(page.items.size());
    run.counters["kept"] = static_cast<double>(kept.size());
}
BENCHMARK(BM_GoAroundKeptItems)->Unit(benchmark::kMillisecond);

// The part of a run that reads the five texts back as plain text.
void BM_PlainTextOfFiveSources(benchmark::State& run) {
    Fixture fixture;
    for (auto _ : run) {
        size_t total = PlainTextOf(*fixture.state.m_mainText).size();
        for (const TrackState& track : fixture.state.m_tracks) total += PlainTextOf(*track.m_trackText).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_PlainTextOfFiveSources)->Unit(benchmark::kMillisecond);

}  // namespace
