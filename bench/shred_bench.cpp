// SPDX-License-Identifier: GPL-3.0-or-later
// Shredding speed on plain text of the size a track holds after a big paste,
// ASCII and with multi-byte characters.
#include "form/TrackState.h"
#include "richtext/RichTextOps.h"
#include "tracks/WordShredder.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string SampleText(std::size_t bytes, bool multiByte) {
    const std::string word = multiByte
                                 ? "n\xC3\xA4\xC3\xAFvet\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xA7 "
                                 : "collage fragments of the river text ";
    std::string text;
    while (text.size() < bytes) text += word;
    return text;
}

void BM_ShredWords(benchmark::State& state) {
    const std::string text = SampleText(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
    const ShredSettings settings{FragmentType::Suffix, 4};
    for (auto _ : state) benchmark::DoNotOptimize(ShredWords(text, settings));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ShredWords)->Args({64 << 10, 0})->Args({64 << 10, 1})->Args({1 << 20, 0})->Args({1 << 20, 1});

// The whole button: RTF out, plain text, shred, render, RTF in.
void BM_ShredTrack(benchmark::State& state) {
    const std::string text = SampleText(static_cast<std::size_t>(state.range(0)), false);
    TrackState track;
    for (auto _ : state) {
        state.PauseTiming();
        LoadMarkup(*track.m_trackText, text);
        state.ResumeTiming();
        ShredTrack(track);
    }
}
BENCHMARK(BM_ShredTrack)->Arg(16 << 10)->Arg(256 << 10)->Unit(benchmark::kMillisecond);

}  // namespace
