// SPDX-License-Identifier: GPL-3.0-or-later
// Wordbook load speed: 200,000 one-word lines, and 5 MB of running text
// (entries of ten-word phrases), each into a fresh wordbook table.
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "wordbooks/WordbookLoader.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Scratch {
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "tarvex4-bench-XXXXXX").string();
        path = mkdtemp(pattern.data()) ? pattern : "";
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string path;
};

std::string OneWordLines(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += "word" + std::to_string(i) + "\n";
    return text;
}

std::string RunningText(std::size_t bytes) {
    const std::string line =
        "The river ran past the mill and the miller sang of bread and stones while the wheel turned slowly "
        "under a grey sky, and children counted boats that drifted down towards the sea in the evening light\n";
    std::string text;
    while (text.size() < bytes) text += line;
    return text;
}

void Load(benchmark::State& state, const std::string& content) {
    Scratch scratch;
    const std::string file = scratch.path + "/input.txt";
    std::ofstream(file, std::ios::binary) << content;
    const std::string database = scratch.path + "/words6.db";
    long entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(database);
        {
            SqlDatabase db;
            db.Open(database);
            db.Execute(wordsdb::CreateWordTable("book1"));
        }
        wordbooks::LoadRequest request;
        request.m_filePath = file;
        request.m_tableName = "book1";
        request.m_databasePath = database;
        request.m_db.Open(database);
        state.ResumeTiming();
        wordbooks::LoadWordbookFile(request);
        entries = request.m_entriesStored;
    }
    state.counters["entries"] = static_cast<double>(entries);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(content.size()));
}

void BM_LoadOneWordLines(benchmark::State& state) { Load(state, OneWordLines(200000)); }
BENCHMARK(BM_LoadOneWordLines)->Unit(benchmark::kMillisecond);

void BM_LoadRunningText(benchmark::State& state) { Load(state, RunningText(5 << 20)); }
BENCHMARK(BM_LoadRunningText)->Unit(benchmark::kMillisecond);

}  // namespace
