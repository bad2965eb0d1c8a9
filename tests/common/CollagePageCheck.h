// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs one GO from arbitrary bytes (settings, then the main text and four
// tracks) and checks the page: the fuzz target and the corpus replay test
// share it. Header only: the fuzz build links the core alone.
#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "composer/CollageRun.h"
#include "mainform/MainCommands.h"
#include "form/MainFormState.h"
#include "richtext/RichTextOps.h"
#include "support/Random.h"
#include "tracks/TrackCommands.h"

namespace collagecheck {

// The bytes that set up one run: 16 of settings, then five texts separated
// by the byte 0x1F.
struct Setup {
    std::uint32_t seed = 0;
    std::vector<std::string> texts;  // main, tracks 1..4
};

inline std::vector<std::string> SplitTexts(std::string_view bytes) {
    std::vector<std::string> texts;
    std::size_t from = 0;
    while (texts.size() < 4) {
        const std::size_t at = bytes.find('\x1F', from);
        if (at == std::string_view::npos) break;
        texts.emplace_back(bytes.substr(from, at - from));
        from = at + 1;
    }
    texts.emplace_back(bytes.substr(std::min(from, bytes.size())));
    texts.resize(5);
    return texts;
}

// Applies the settings bytes (missing ones read as 0) to the form.
inline std::uint32_t ApplySettings(MainFormState& form, std::string_view s) {
    auto at = [&](std::size_t i) -> unsigned { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u; };
    const std::uint32_t seed = at(0) | (at(1) << 8) | (at(2) << 16) | (at(3) << 24);
    form.m_textVolume = static_cast<int>(at(4) % 41);
    form.m_imageVolume = static_cast<int>(at(5) % 4);
    form.m_mainStyle = static_cast<int>(at(6) % 6);
    form.SetWordsPerSnip(static_cast<int>(at(7) % 7) + 1);
    const unsigned flags = at(8);
    form.m_showMain = !(flags & 1);
    form.m_captureCode = !(flags & 2);
    form.m_landscape = flags & 4;
    form.m_textOverImages = !(flags & 8);
    for (std::size_t k = 0; k < 4; ++k) {
        const unsigned t = at(9 + k);
        form.m_trackWindowOpen[k] = t & 1;
        form.m_trackFader[k] = static_cast<int>((t >> 1) * 2 % 201);
        TrackState& track = form.m_tracks[k];
        track.m_collageStyle = static_cast<int>(t % 6);
        track.SetWordsPerCut(static_cast<int>(t >> 5) % 6 + 1);
        track.m_useWhole = (at(13) >> k) & 1;
    }
    return seed;
}

// Loads the texts as Open does (the same line gathering, as plain text).
inline void LoadTexts(MainFormState& form, const std::vector<std::string>& texts) {
    std::istringstream main(texts[0]);
    LoadPlainText(*form.m_mainText, CollectOpenedText(main));
    for (std::size_t k = 0; k < 4; ++k) {
        std::istringstream track(texts[k + 1]);
        LoadPlainText(*form.m_tracks[k].m_trackText, JoinFirstLines(track, 100));
    }
}

inline std::size_t Count(std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

inline std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

// Why the page is not what a run may write; empty when it is. Every '<'
// must open a tag the composer writes, tags nest, script bodies are only the
// composer's, and every item the drag list names is written once.
inline std::string PageProblem(const std::string& page, const std::string& dragItemIds, bool captureCode) {
    static const std::vector<std::string> known = {"html", "head", "title", "script", "body", "center", "a",
                                                   "div",  "font", "span",  "img",    "br",   "meta"};
    std::vector<std::string> open;  // the container is "container", not "div"
    std::size_t scripts = 0;
    std::size_t pos = 0;
    const std::size_t tail = page.rfind("</div></center>");
    while ((pos = page.find('<', pos)) != std::string::npos) {
        const std::size_t at = pos;
        std::size_t end = pos + 1;
        char quote = 0;
        for (; end < page.size() && (quote || page[end] != '>'); ++end) {
            if (quote && page[end] == quote)
                quote = 0;
            else if (!quote && page[end] == '\'')
                quote = '\'';
            else if (!quote && page[end] == '<')
                return "'<' inside a tag at " + std::to_string(end);
        }
        if (end >= page.size()) return "unfinished tag at " + std::to_string(pos);
        const std::string tag = Lower(std::string_view(page).substr(pos + 1, end - pos - 1));
        const bool closing = !tag.empty() && tag[0] == '/';
        const std::size_t from = closing ? 1 : 0;
        const std::string name = tag.substr(from, tag.find_first_of(" \n", from) - from);
        if (std::find(known.begin(), known.end(), name) == known.end())
            return "unknown tag <" + tag.substr(0, 40) + "> at " + std::to_string(pos);
        pos = end + 1;
        if (name == "img" || name == "br" || name == "meta") continue;  // void elements
        if (!closing) {
            if (tag.rfind("div id='dpage", 0) == 0 && (open.empty() || open.back() != "container"))
                return "an item outside the page container at " + std::to_string(at);
            open.push_back(tag.rfind("div id='pagecontainer'", 0) == 0 ? "container" : name);
            if (name == "script") {
                ++scripts;
                const std::size_t close = page.find("</script>", pos);
                if (close == std::string::npos) return "script without its end";
                pos = close;
            }
            continue;
        }
        if (!open.empty() && open.back() == "container" && name == "div") {
            if (at != tail) return "the page container closed early at " + std::to_string(at);
            open.pop_back();
            continue;
        }
        // An end tag of no open element is dropped by the parser (an item
        // with no snip closes a font span it never opened); one that skips
        // an open element would break the nesting.
        if (std::find(open.begin(), open.end(), name) == open.end()) continue;
        if (open.back() != name) return "</" + name + "> closes <" + name + "> over an open <" + open.back() + ">";
        open.pop_back();
    }
    if (!open.empty()) return "<" + open.back() + "> never closed";
    if (scripts != (captureCode ? 4u : 2u)) return "unexpected number of scripts: " + std::to_string(scripts);
    const std::size_t listed = Count(dragItemIds, "~',");
    const std::size_t written = Count(page, "<div id='dpagetextitem") + Count(page, "<div id='dpageimageitem");
    if (listed != written)
        return "drag list names " + std::to_string(listed) + " items, page has " + std::to_string(written);
    if (page.find(dragItemIds) == std::string::npos) return "drag list is not in the page";
    if (page.size() < 14 || page.compare(page.size() - 14, 14, "</body></html>") != 0) return "page not complete";
    return "";
}

// One run from `bytes` with the data folder and output folder given.
// Returns the page problem (empty when the page is sound).
inline std::string RunOne(std::string_view bytes, const std::string& dataFolder, const std::string& outputFolder) {
    MainFormState form;
    form.m_dataFolder = dataFolder;
    form.m_outputFolder = outputFolder;
    const std::string_view settings = bytes.substr(0, std::min<std::size_t>(16, bytes.size()));
    const std::uint32_t seed = ApplySettings(form, settings);
    LoadTexts(form, SplitTexts(bytes.substr(settings.size())));
    rng::Seed(seed);
    const CollageResult run = ComposeCollage(form);
    return PageProblem(collage::WritePage(run.collage), run.dragItemIds, form.m_captureCode);
}

}  // namespace collagecheck
