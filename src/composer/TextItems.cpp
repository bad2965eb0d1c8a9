// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/TextItems.h"

#include "page/ArtFontLetters.h"
#include "composer/OutputSettings.h"
#include "composer/SnipRules.h"
#include "richtext/RichTextOps.h"
#include "support/Random.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

// One of the five places text is cut from, gathered once per run.
struct SnipSource {
    std::string label;
    std::string text;
    std::optional<WordIndex> words;
    int wordCount = 0;
    int wordsPerSnip = 1;
    int style = 0;
    bool whole = false;
    std::string fontSpan;
    std::uint32_t colour = 0xFFFFFF;
    // Weight range of a contributing track: matches s < r < e.
    bool contributes = false;
    int weight = 0;
    int rangeStart = 0;
    int rangeEnd = 0;

    void SetText(std::string plain) {
        text = std::move(plain);
        words.emplace(text);
        wordCount = words->Count();
    }
    SnipCut Snip() const { return whole ? CutLeadingWords(text, 40) : CutSnip(*words, wordCount, wordsPerSnip); }
};

struct Sources {
    SnipSource main;
    std::array<SnipSource, 4> tracks;
    int totalWeight = 0;
};

Sources GatherSources(const MainFormState& state) {
    Sources sources;
    SnipSource& main = sources.main;
    main.label = "main";
    main.SetText(PlainTextOf(*state.m_mainText));
    main.wordsPerSnip = state.WordsPerSnip();
    main.style = state.m_mainStyle;
    main.fontSpan = MainTextFontSpan(state);
    main.colour = state.m_backgroundColour;

    int c = 0;
    for (size_t k = 0; k < sources.tracks.size(); ++k) {
        SnipSource& track = sources.tracks[k];
        if (!state.m_trackWindowOpen[k]) continue;
        const TrackState& window = state.m_tracks[k];
        track.contributes = true;
        track.label = "track " + std::to_string(k + 1);
        if (!window.m_trackFileName.empty()) track.label += " (" + window.m_trackFileName + ")";
        track.SetText(PlainTextOf(*window.m_trackText));
        track.wordsPerSnip = window.GetWordsPerCut();
        track.style = window.GetCollageStyle();
        track.whole = window.IsUseWhole();
        track.fontSpan = window.GetTextStylePrefix();
        track.colour = window.m_trackColour;
        track.rangeStart = k == 0 ? 0 : c + 1;
        track.weight = std::clamp(state.m_trackFader[k], settings::kFader.minimum, settings::kFader.maximum);
        c += track.weight;
        track.rangeEnd = c;
    }
    sources.totalWeight = c;
    return sources;
}

// A lettered snip keeps the space the item starts with: its first letter
// picture is a space.
std::string Snip(int style, std::string snip) { return style < 2 ? snip : " " + snip; }

// The share of the draw each source's weight asks for: the main text every
// other snip when shown, the tracks the rest by their faders.
std::vector<collage::MixSource> PlannedMix(const Sources& sources, bool showMain) {
    std::vector<collage::MixSource> mix;
    const int total = sources.totalWeight;
    const double tracksShare = !showMain ? 1.0 : total > 0 ? 0.5 : 0.0;
    if (showMain) mix.push_back({sources.main.label, 1.0 - tracksShare});
    for (const SnipSource& track : sources.tracks) {
        if (!track.contributes) continue;
        mix.push_back({track.label, total > 0 ? tracksShare * track.weight / total : 0.0});
    }
    return mix;
}

bool Blank(std::string_view word) { return word.find_first_not_of(" \t\r\n") == std::string_view::npos; }

// A text ends with the space after its last line, so its last word is
// empty: a snip's positions leave such words out at either end and never run
// past the last word that shows; a snip of none holds no position.
void KeepShownWords(const WordIndex& words, SnipCut& cut) {
    if (cut.last < cut.first) return;
    while (cut.last >= cut.first && Blank(words.Word(cut.last - 1))) --cut.last;
    while (cut.first <= cut.last && Blank(words.Word(cut.first - 1))) ++cut.first;
    if (cut.last < cut.first) {
        cut.first = 0;
        cut.last = -1;
    }
}

void Cut(const SnipSource& source, int style, std::string& content, collage::Item& item) {
    SnipCut cut = source.Snip();
    if (source.words) KeepShownWords(*source.words, cut);
    item.source = source.label;
    item.firstWord = cut.first;
    item.lastWord = cut.last;
    content = Snip(style, std::move(cut.text));
}

}  // namespace

void AppendTextItems(CollageRunContext& run, std::int32_t zStart, std::vector<collage::Item>& items,
                     std::vector<collage::MixSource>* mix) {
    const MainFormState& state = run.state;
    Sources sources = GatherSources(state);
    if (mix) *mix = PlannedMix(sources, state.m_showMain);
    int words = sources.main.wordCount;
    for (const SnipSource& track : sources.tracks) words += track.wordCount;
    const int limit = std::max(words, 10);
    const int count = std::clamp(state.m_textVolume, settings::kTextVolume.minimum, settings::kTextVolume.maximum);
    const bool showMain = state.m_showMain;
    const int total = sources.totalWeight;

    bool turn = false;
    int style = 0;
    // Before any source matched, an item takes white.
    std::uint32_t colour = 0xFFFFFF;

    for (int n = 0; n < limit && n < count; ++n) {
        int r = rng::Next();
        // With no weight at all the draw cannot be reduced and matches nothing.
        if (total > 0) {
            while (r > total) r -= total;
        }
        // The font span, then the words (plain styles) or the raw text (lettered).
        std::string span;
        std::string content = " ";
        collage::Item item;
        if (showMain && turn) r = 999999;
        for (const SnipSource& track : sources.tracks) {
            if (!track.contributes || total <= 0 || !(track.rangeStart < r && r < track.rangeEnd)) continue;
            style = track.style;
            if (style < 2) span = track.fontSpan;
            Cut(track, style, content, item);
            colour = track.colour;
        }
        if (showMain && turn) {
            const SnipSource& main = sources.main;
            style = main.style;
            if (style < 2) span = main.fontSpan;
            Cut(main, style, content, item);
            colour = main.colour;
            turn = false;
        } else {
            turn = true;
        }

        zStart += 1;
        item.number = n;
        item.z = zStart;
        item.style = style;
        if (style == 0) item.background = colour;
        AppendDragItemId(run.dragItemIds, item);

        item.left = rng::Next() % 750;
        item.top = rng::Next() % 1000;
        item.width = rng::Next() % 750;
        if (item.width + item.left > 750) item.width = 750 - item.left;
        if (item.width < 40) item.width = 40;

        // The page has always had runs of spaces made single, markup included.
        if (style > 1) {
            item.kind = collage::ItemKind::kLetters;
            item.lettersHtml = CollapseSpaces(BuildArtFontLetters(content, style));
            item.words = content;
        } else {
            item.fontSpan = CollapseSpaces(span);
            item.words = CollapseSpaces(content);
        }
        items.push_back(std::move(item));
    }
}

std::string BuildTextItems(const MainFormState& state, std::int32_t zStart) {
    CollageRunContext run(state);
    std::vector<collage::Item> items;
    AppendTextItems(run, zStart, items);
    std::string html;
    for (const collage::Item& item : items) html += collage::ItemHtml(item);
    return html;
}
