// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/SnipRules.h"

#include "support/Random.h"

#include <algorithm>
#include <cstring>

int CountWords(std::string_view text) { return 1 + static_cast<int>(std::count(text.begin(), text.end(), ' ')); }

std::string_view WordAt(std::string_view text, int k) {
    if (k < 0) return {};
    size_t start = 0;
    for (int i = 0; i < k; ++i) {
        size_t space = text.find(' ', start);
        if (space == std::string_view::npos) return {};
        start = space + 1;
    }
    size_t end = text.find(' ', start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

WordIndex::WordIndex(std::string_view text) : m_text(text) {
    m_spaces.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), ' ')));
    const char* data = text.data();
    const char* end = data + text.size();
    for (const char* p = data; p < end;) {
        const void* hit = std::memchr(p, ' ', static_cast<size_t>(end - p));
        if (!hit) break;
        const char* space = static_cast<const char*>(hit);
        m_spaces.push_back(static_cast<std::uint32_t>(space - data));
        p = space + 1;
    }
}

std::string_view WordIndex::Word(int k) const {
    if (k < 0 || k > static_cast<int>(m_spaces.size())) return {};
    size_t start = k == 0 ? 0 : m_spaces[static_cast<size_t>(k) - 1] + 1;
    size_t end = k < static_cast<int>(m_spaces.size()) ? m_spaces[static_cast<size_t>(k)] : m_text.size();
    return m_text.substr(start, end - start);
}

namespace {

template <class WordSource>
SnipCut PickSnipFrom(const WordSource& wordAt, int count, int n) {
    int r = rng::Next();
    while (r > 500000) r -= 500000;
    // A count below 1 cannot reduce the draw; no word lies below it anyway.
    if (count >= 1) {
        while (r > count) r -= count;
    }
    SnipCut snip;
    for (int i = 0; i < n; ++i) {
        if (r + i < count) {
            if (i > 0) snip.text += ' ';
            snip.text += wordAt(r + i);
            if (i == 0) snip.first = r + 1;
            snip.last = r + i + 1;
        }
    }
    return snip;
}

}  // namespace

SnipCut CutSnip(const WordIndex& words, int count, int n) {
    return PickSnipFrom([&](int k) { return words.Word(k); }, count, n);
}

std::string PickSnip(const WordIndex& words, int count, int n) { return CutSnip(words, count, n).text; }

std::string PickSnip(std::string_view text, int count, int n) {
    return PickSnipFrom([&](int k) { return WordAt(text, k); }, count, n).text;
}

SnipCut CutLeadingWords(std::string_view text, int most) {
    SnipCut cut;
    cut.text = LeadingWords(text, most);
    // Each word taken brings one space; a text without a space gives none.
    const int taken = static_cast<int>(std::count(cut.text.begin(), cut.text.end(), ' '));
    if (taken > 0) {
        cut.first = 1;
        cut.last = taken;
    }
    return cut;
}

std::string LeadingWords(std::string_view text, int most) {
    std::string result;
    std::string_view remainder = text;
    bool lastPending = false;
    int taken = 0;
    while (taken < most && (remainder.find(' ') != std::string_view::npos || lastPending)) {
        std::string_view token;
        if (lastPending) {
            token = remainder;
            lastPending = false;
        } else {
            size_t space = remainder.find(' ');
            token = remainder.substr(0, space);
            remainder = remainder.substr(space + 1);
            if (remainder.find(' ') == std::string_view::npos) lastPending = true;
        }
        result += ' ';
        result += token;
        ++taken;
    }
    return result;
}

std::string CollapseSpaces(std::string_view html) {
    std::string out;
    out.reserve(html.size());
    for (size_t i = 0; i < html.size(); ++i) {
        if (html[i] == ' ' && i + 1 < html.size() && html[i + 1] == ' ') continue;
        out += html[i];
    }
    return out;
}
