// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/CutUpText.h"

#include <algorithm>
#include <cstdio>

namespace collage {

std::string SnipLine(const Item& item) {
    if (item.kind == ItemKind::kPicture) return {};
    std::string line;
    bool space = false;
    for (char c : item.words) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            space = !line.empty();
            continue;
        }
        if (space) line += ' ';
        space = false;
        line += c;
    }
    return line;
}

std::string CutUpText(const Collage& collage, bool provenance) {
    std::string text;
    for (const Item& item : collage.items) {
        const std::string line = SnipLine(item);
        if (line.empty()) continue;
        if (provenance) text += SourceTitle(item) + "\t";
        text += line + "\n";
    }
    return text;
}

std::vector<MixLine> MixOf(const Collage& collage) {
    std::vector<MixLine> lines;
    for (const MixSource& source : collage.mix) lines.push_back({source.label, source.weightShare});
    if (collage.mix.empty()) {
        for (const Item& item : collage.items) {
            if (item.kind == ItemKind::kPicture || item.source.empty()) continue;
            if (std::none_of(lines.begin(), lines.end(),
                             [&](const MixLine& line) { return line.label == item.source; }))
                lines.push_back({item.source, -1});
        }
    }
    int snips = 0;
    int words = 0;
    for (const Item& item : collage.items) {
        for (MixLine& line : lines) {
            if (item.kind == ItemKind::kPicture || item.source != line.label) continue;
            if (SnipLine(item).empty()) {
                line.empty += 1;
                continue;
            }
            const int taken = item.lastWord >= item.firstWord ? item.lastWord - item.firstWord + 1 : 0;
            line.snips += 1;
            line.words += taken;
            snips += 1;
            words += taken;
        }
    }
    for (MixLine& line : lines) {
        line.snipShare = snips > 0 ? double(line.snips) / snips : 0;
        line.wordShare = words > 0 ? double(line.words) / words : 0;
    }
    return lines;
}

std::string MixReportText(const Collage& collage) {
    std::string text = "source\tweight\tsnips\twords\tempty\n";
    char row[96];
    for (const MixLine& line : MixOf(collage)) {
        std::snprintf(row, sizeof row, "\t%.1f%%\t%.1f%% (%d)\t%.1f%% (%d)\t%d\n", 100 * line.weightShare,
                      100 * line.snipShare, line.snips, 100 * line.wordShare, line.words, line.empty);
        text += line.label + row;
    }
    return text;
}

}  // namespace collage
