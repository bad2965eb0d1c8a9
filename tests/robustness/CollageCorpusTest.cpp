// SPDX-License-Identifier: GPL-3.0-or-later
// The collage fuzzer's corpus (its findings included), replayed with its checks.
#include <gtest/gtest.h>

#include "CollagePageCheck.h"
#include "Robustness.h"
#include "page/PageSkeleton.h"

using namespace robust;

TEST(CollageCorpus, EveryInputGivesASoundPage) {
    ScratchFolder scratch;
    const std::string data = scratch / "data";
    CreateWordsDatabase(data);
    AddPicture(data, "one.gif", "GIF89a-one");
    AddPicture(data, "it's <two>.gif", "GIF89a-two");
    const std::string out = scratch / "out/";
    fs::create_directories(out);
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(TARVEX4_SOURCE_DIR) / "fuzz/corpus/collage")) {
        const std::string bytes = ReadFile(entry.path());
        EXPECT_EQ(collagecheck::RunOne(bytes, data, out), "") << entry.path().filename();
        ++inputs;
    }
    EXPECT_GE(inputs, 4);
}

TEST(CollageCorpus, TheCheckFindsAStrayTagOrAMissingItem) {
    MainFormState form;
    form.m_captureCode = false;
    const std::string head = page::Head(false) + "#000000'>";
    const std::string item =
        "<div id='dpagetextitem0~' style='x'><font face='a'><span style='y'>text</span></font></div>";
    const std::string ids = "'dpagetextitem0~',";
    EXPECT_EQ(collagecheck::PageProblem(head + item + page::Tail(ids), ids, false), "");
    EXPECT_NE(collagecheck::PageProblem(head + item + "<script>x</script>" + page::Tail(ids), ids, false), "");
    EXPECT_NE(collagecheck::PageProblem(head + item + "</div>" + page::Tail(ids), ids, false), "");
    const std::string broken =
        "<div id='dpagetextitem0~' style='x'><font face='a'><span style='y'></div></span></font></div>";
    EXPECT_NE(collagecheck::PageProblem(head + broken + page::Tail(ids), ids, false), "");
    EXPECT_NE(collagecheck::PageProblem(head + page::Tail(ids), ids, false), "");
    EXPECT_NE(collagecheck::PageProblem(head + "<b>" + item + page::Tail(ids), ids, false), "");
}
