// SPDX-License-Identifier: GPL-3.0-or-later
// The fuzzers' corpora, crash inputs included, replayed with the fuzzers' checks.
#include "richtext/DocumentRichEdit.h"
#include "richtext/MarkupRtfRenderer.h"
#include "richtext/RichDocument.h"
#include "richtext/RtfTextExtractor.h"
#include "richtext/Utf8Text.h"
#include "RtfChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::vector<std::pair<std::string, std::string>> Corpus(const std::string& name) {
    std::vector<std::pair<std::string, std::string>> inputs;
    const std::filesystem::path dir = std::filesystem::path(TARVEX4_SOURCE_DIR) / "fuzz/corpus" / name;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream buffer;
        buffer << in.rdbuf();
        inputs.emplace_back(entry.path().filename().string(), buffer.str());
    }
    return inputs;
}

TEST(FuzzCorpus, MarkupRendersIntoConvertibleDocuments) {
    auto inputs = Corpus("markup_renderer");
    ASSERT_FALSE(inputs.empty());
    for (const auto& [name, markup] : inputs) {
        auto rtf = RenderToRtf(markup);
        if (!rtf) continue;
        EXPECT_EQ(rtfcheck::Problem(*rtf), "") << name;
        std::string text;
        EXPECT_TRUE(ExtractPlainText(RichDocument::FromRtf(*rtf).ToRtf(), text)) << name;
    }
}

TEST(FuzzCorpus, ExtractorFailuresLeaveTheOutputAlone) {
    auto inputs = Corpus("rtf_extractor");
    ASSERT_FALSE(inputs.empty());
    for (const auto& [name, rtf] : inputs) {
        std::string text = "sentinel";
        if (!ExtractPlainText(rtf, text)) {
            EXPECT_EQ(text, "sentinel") << name;
            continue;
        }
        for (std::size_t pos = 0; pos < text.size();)
            ASSERT_GE(utf8text::Decode(text, pos), 0) << name << ": not UTF-8 at " << pos;
    }
}

TEST(FuzzCorpus, ReaderOutputIsStableAndConvertible) {
    auto inputs = Corpus("rtf_reader");
    ASSERT_FALSE(inputs.empty());
    for (const auto& [name, rtf] : inputs) {
        DocumentRichEdit edit;
        edit.StreamRtfIn(rtf);
        const std::string written = edit.StreamRtfOut();
        EXPECT_EQ(RichDocument::FromRtf(written).ToRtf(), written) << name;
        std::string text;
        EXPECT_TRUE(ExtractPlainText(written, text)) << name;
    }
}

}  // namespace
