// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

#include <string>
#include <vector>

// The words of one run as a writer takes them: the snips as plain text,
// where each came from, and how the sources shared the draw.
namespace collage {

// The snip's words on one line: line breaks and tabs as spaces, runs of
// spaces single, no space at either end; "" for pictures and empty snips.
std::string SnipLine(const Item& item);

// One line per snip with words, in page order; with `provenance` each line
// starts with the snip's source title and a tab.
std::string CutUpText(const Collage& collage, bool provenance);

struct MixLine {
    std::string label;
    double weightShare = 0;
    double snipShare = 0;
    double wordShare = 0;
    int snips = 0;
    int words = 0;
    // Snips of this source with no word to show (a track that is on but
    // empty, a cut of blank words): on the page, left out of the text.
    int empty = 0;
};

// Per source of the run: its planned share, and the share of the snips and
// of the words the page got from it, counting the snips the text has a line
// for; the others are counted as empty. A page read back holds no run: its
// sources are those its snips name, their planned share unknown (-1).
std::vector<MixLine> MixOf(const Collage& collage);
// The same as a small table, percentages with one decimal.
std::string MixReportText(const Collage& collage);

}  // namespace collage
