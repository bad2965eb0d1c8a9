// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the rich text bridge on inputs of about 5 MB.
#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::size_t kTargetBytes = 5u << 20;

// Markup as the program produces it: words, line feeds, spans and a few tags.
const std::string& Markup() {
    static const std::string markup = [] {
        const char* const pieces[] = {
            "The quick brown fox jumps over the lazy dog. ",
            "<b>cut</b> <i>up</i> ",
            "<font face='Courier New' color='#336699' size=4>collage text</font>\n",
            "caf\xc3\xa9 na\xc3\xafve \xe4\xb8\xad\xe6\x96\x87   spaced\twords\r\n",
            "<font face='Arial' color='#A0B0C0'><span style='font-size:14pt;'>snip</span></font> ",
            "<p>paragraph {braces} and \\backslash ",
        };
        std::string text;
        text.reserve(kTargetBytes + 200);
        for (std::size_t i = 0; text.size() < kTargetBytes; ++i) text += pieces[i % 6];
        return text;
    }();
    return markup;
}

const std::string& RenderedRtf() {
    static const std::string rtf = *RenderToRtf(Markup());
    return rtf;
}

// RTF as our writer streams it out (\uN, \tab, colour and font switches).
const std::string& WrittenRtf() {
    static const std::string rtf = RichDocument::FromRtf(RenderedRtf()).ToRtf();
    return rtf;
}

void BM_RenderMarkup(benchmark::State& state) {
    const std::string& markup = Markup();
    for (auto _ : state) {
        auto rtf = RenderToRtf(markup);
        benchmark::DoNotOptimize(rtf);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * markup.size()));
}
BENCHMARK(BM_RenderMarkup)->Unit(benchmark::kMillisecond);

void BM_ExtractPlainText(benchmark::State& state) {
    const std::string& rtf = WrittenRtf();
    std::string text;
    for (auto _ : state) {
        bool ok = ExtractPlainText(rtf, text);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ExtractPlainText)->Unit(benchmark::kMillisecond);

void BM_ReadDocument(benchmark::State& state) {
    const std::string& rtf = WrittenRtf();
    for (auto _ : state) {
        RichDocument document = RichDocument::FromRtf(rtf);
        benchmark::DoNotOptimize(document);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond);

void BM_ReadWriteRoundTrip(benchmark::State& state) {
    const std::string& rtf = WrittenRtf();
    for (auto _ : state) {
        std::string again = RichDocument::FromRtf(rtf).ToRtf();
        benchmark::DoNotOptimize(again);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ReadWriteRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
