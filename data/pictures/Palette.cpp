// SPDX-License-Identifier: GPL-3.0-or-later
#include "Palette.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

struct Colour {
    std::array<int, 3> c;  // r, g, b
    long count;
    int box = 0;
};

struct Box {
    std::size_t begin, end;  // range of the colour list
    int Spread(const std::vector<Colour>& colours, int* axis) const {
        int best = -1;
        for (int a = 0; a < 3; ++a) {
            int lo = 255, hi = 0;
            for (std::size_t i = begin; i < end; ++i) {
                lo = std::min(lo, colours[i].c[a]);
                hi = std::max(hi, colours[i].c[a]);
            }
            if (hi - lo > best) {
                best = hi - lo;
                *axis = a;
            }
        }
        return best;
    }
};

std::vector<Box> MedianCut(std::vector<Colour>& colours, std::size_t maxBoxes) {
    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < maxBoxes) {
        // split the box with the widest spread
        int bestSpread = 0, bestAxis = 0;
        std::size_t bestBox = boxes.size();
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2) continue;
            int axis = 0;
            const int spread = boxes[b].Spread(colours, &axis);
            if (spread > bestSpread) bestSpread = spread, bestAxis = axis, bestBox = b;
        }
        if (bestBox == boxes.size()) break;
        Box& box = boxes[bestBox];
        const auto first = colours.begin() + static_cast<long>(box.begin);
        const auto last = colours.begin() + static_cast<long>(box.end);
        std::sort(first, last, [&](const Colour& a, const Colour& b) { return a.c[bestAxis] < b.c[bestAxis]; });
        long total = 0;
        for (auto it = first; it != last; ++it) total += it->count;
        long running = 0;
        std::size_t cut = box.begin;
        while (cut < box.end - 1 && running + colours[cut].count <= total / 2) running += colours[cut++].count;
        if (cut == box.begin) ++cut;
        const Box upper{cut, box.end};
        box.end = cut;
        boxes.push_back(upper);
    }
    return boxes;
}

}  // namespace

giffile::IndexedImage ToIndexed(const QImage& picture) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    giffile::IndexedImage out;
    out.width = argb.width();
    out.height = argb.height();
    std::unordered_map<std::uint32_t, long> histogram;
    bool anyTransparent = false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(row[x]) < 128)
                anyTransparent = true;
            else
                ++histogram[row[x] & 0xFFFFFFu];
        }
    }
    std::vector<Colour> colours;
    for (const auto& [rgb, count] : histogram)
        colours.push_back(Colour{{int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)}, count});
    // a fixed order keeps the build deterministic whatever the hash order
    std::sort(colours.begin(), colours.end(), [](const Colour& a, const Colour& b) { return a.c < b.c; });
    const std::vector<Box> boxes = MedianCut(colours, anyTransparent ? 255 : 256);

    std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        double sum[3] = {0, 0, 0};
        long n = 0;
        for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i) {
            for (int a = 0; a < 3; ++a) sum[a] += double(colours[i].c[a]) * colours[i].count;
            n += colours[i].count;
            indexOf[std::uint32_t(colours[i].c[0]) << 16 | std::uint32_t(colours[i].c[1]) << 8 |
                    std::uint32_t(colours[i].c[2])] = static_cast<std::uint8_t>(b);
        }
        const auto mean = [&](int a) { return static_cast<std::uint32_t>(sum[a] / double(n) + 0.5); };
        out.palette.push_back(mean(0) << 16 | mean(1) << 8 | mean(2));
    }
    if (anyTransparent) {
        out.transparentIndex = static_cast<int>(out.palette.size());
        out.palette.push_back(0xFFFFFF);
    }
    if (out.palette.empty()) out.palette.push_back(0);
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            out.pixels[static_cast<std::size_t>(y) * out.width + x] =
                qAlpha(row[x]) < 128 ? static_cast<std::uint8_t>(out.transparentIndex) : indexOf[row[x] & 0xFFFFFFu];
    }
    return out;
}
