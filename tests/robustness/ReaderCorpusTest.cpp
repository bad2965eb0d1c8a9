// SPDX-License-Identifier: GPL-3.0-or-later
// The reader fuzzers' corpora (their findings included), replayed with their checks.
#include <gtest/gtest.h>

#include "ReaderChecks.h"
#include "Robustness.h"

using namespace robust;

namespace {

struct Replay {
    int inputs = 0;
    int taken = 0;  // inputs the reader did not refuse
};

// Runs `check` on every input of the corpus; `taken` tells whether the
// reader took an input, so that a corpus of refusals alone is noticed.
template <typename Check, typename Taken>
Replay ReplayCorpus(const std::string& name, Check check, Taken taken) {
    Replay replay;
    for (const auto& entry : fs::directory_iterator(fs::path(TARVEX4_SOURCE_DIR) / "fuzz/corpus" / name)) {
        const std::string bytes = ReadFile(entry.path());
        EXPECT_EQ(check(bytes), "") << name << "/" << entry.path().filename().string();
        ++replay.inputs;
        if (taken(bytes)) ++replay.taken;
    }
    return replay;
}

}  // namespace

TEST(ReaderCorpus, PictureHeadersAreReadWithinTheirBytes) {
    const Replay replay = ReplayCorpus("picture_header", readercheck::PictureHeaderProblem, [](const std::string& b) {
        const auto* data = reinterpret_cast<const unsigned char*>(b.data());
        return PictureProblem(ReadPictureHeader(data, b.size()), data, b.size()).empty();
    });
    EXPECT_GE(replay.taken, 4);
    EXPECT_GT(replay.inputs, replay.taken);
}

TEST(ReaderCorpus, EditedPagesReadBackAsSaved) {
    const Replay replay = ReplayCorpus("page_edit", readercheck::PageEditProblem, [](const std::string& b) {
        collage::Collage page;
        std::string why;
        return b.size() > readercheck::kEditBytes && collage::ReadPage(b.substr(readercheck::kEditBytes), page, why);
    });
    EXPECT_GE(replay.taken, 5);
}

TEST(ReaderCorpus, SessionsReadBackAsWritten) {
    const Replay replay = ReplayCorpus("session", readercheck::SessionProblem, [](const std::string& b) {
        try {
            SessionFromJson(b);
            return true;
        } catch (const SessionError&) {
            return false;
        }
    });
    EXPECT_GE(replay.taken, 2);
    EXPECT_GT(replay.inputs, replay.taken);
}
