#include "composer/TextItems.h"

#include "composer/ArtFontLetters.h"
#include "richtext/HtmlText.h"
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
    int rangeStart = 0;
    int rangeEnd = 0;

    void SetText(std::string plain) {
        text = std::move(plain);
        words.emplace(text);
        wordCount = words->Count();
    }
    std::string Snip() const { return PickSnip(*words, wordCount, wordsPerSnip); }
};

struct Sources {
    SnipSource main;
    std::array<SnipSource, 4> tracks;
    int totalWeight = 0;
};

Sources GatherSources(MainFormState& state) {
    Sources sources;
    SnipSource& main = sources.main;
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
        track.SetText(PlainTextOf(*window.m_trackText));
        track.wordsPerSnip = window.GetWordsPerCut();
        track.style = window.GetCollageStyle();
        track.whole = window.IsUseWhole();
        track.fontSpan = window.GetTextStylePrefix();
        track.colour = window.m_trackColour;
        track.rangeStart = k == 0 ? 0 : c + 1;
        c += std::clamp(state.m_trackFader[k], 0, MainFormState::kFaderMax);
        track.rangeEnd = c;
    }
    sources.totalWeight = c;
    return sources;
}

// Snip words go into the page escaped; lettered styles spell the raw text.
void AppendSnip(std::string& content, const std::string& snip, int style) {
    content += style < 2 ? EscapeHtml(snip) : snip;
}

}  // namespace

std::string BuildTextItems(MainFormState& state, std::int32_t zStart) {
    Sources sources = GatherSources(state);
    int words = sources.main.wordCount;
    for (const SnipSource& track : sources.tracks) words += track.wordCount;
    const int limit = std::max(words, 10);
    const int items = std::clamp(state.m_textVolume, 0, MainFormState::kTextVolumeMax);
    const bool showMain = state.m_showMain;
    const int total = sources.totalWeight;

    bool turn = false;
    int style = 0;
    // Before any source matched, an item takes white.
    std::uint32_t colour = 0xFFFFFF;
    std::string collected;

    for (int n = 0; n < limit && n < items; ++n) {
        int r = rng::Next();
        // With no weight at all the draw cannot be reduced and matches nothing.
        if (total > 0) {
            while (r > total) r -= total;
        }
        std::string content = " ";
        if (showMain && turn) r = 999999;
        for (const SnipSource& track : sources.tracks) {
            if (!track.contributes || total <= 0 || !(track.rangeStart < r && r < track.rangeEnd)) continue;
            style = track.style;
            if (style < 2) content = track.fontSpan;
            AppendSnip(content, track.whole ? LeadingWords(track.text, 40) : track.Snip(), style);
            colour = track.colour;
        }
        if (showMain && turn) {
            const SnipSource& main = sources.main;
            style = main.style;
            if (style < 2) content = main.fontSpan;
            AppendSnip(content, main.Snip(), style);
            colour = main.colour;
            turn = false;
        } else {
            turn = true;
        }

        zStart += 1;
        const std::string id = "'dpagetextitem" + std::to_string(n) + "~'";
        state.m_dragItemIds += id + ",";

        const int left = rng::Next() % 750;
        const int top = rng::Next() % 1000;
        int width = rng::Next() % 750;
        if (width + left > 750) width = 750 - left;
        if (width < 40) width = 40;

        collected += "<div id=" + id + " style='position:absolute;top:" + std::to_string(top) +
                     "px;left:" + std::to_string(left) + "px;width:" + std::to_string(width) +
                     "px;text-align:left;";
        if (style == 0) {
            collected += "background-color:" + HtmlColour(colour) + ";Z-INDEX:";
        } else {
            collected += "background:transparent;Z-INDEX:";
        }
        collected += std::to_string(zStart) + "'>";
        if (style > 1) {
            collected += BuildArtFontLetters(content, style) + "</div>";
        } else {
            collected += content + "</span></font></div>";
        }
    }
    return CollapseSpaces(collected);
}
