// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One collage as data: the page container and its items in page order. The
// GO run builds it, the page is written from it, a page tarvex4 wrote reads
// back into it, and every drawing (export, board) draws it.
namespace collage {

enum class ItemKind { kText, kLetters, kPicture };

struct Item {
    ItemKind kind = ItemKind::kText;
    // The n of the page id: dpagetextitemN~ or dpageimageitemN~.
    int number = 0;
    int left = 0;
    int top = 0;
    // Text and letters: the stated width (their height is the browser's).
    // Pictures: the IMG width and height.
    int width = 0;
    int height = 0;
    std::int32_t z = 0;
    // Degrees clockwise, as a CSS rotate(); in the page only when not 0.
    double rotation = 0;

    // Text and letters: the style the snip was cut with (0 solid background,
    // 1 transparent, 2..5 a letter set) and its background colour (0x00BBGGRR).
    int style = 0;
    std::uint32_t background = 0xFFFFFF;
    // Text: the font span as the page has it (empty for an item that no
    // source filled) and the words, unescaped. Letters: the words the
    // letters spell, which the page does not hold.
    std::string fontSpan;
    std::string words;
    // Text and letters: the source the snip was cut from ("main",
    // "track 2 (notes.txt)"; empty when no source filled it) and its word
    // positions firstWord..lastWord, from 1 (none when lastWord < firstWord).
    // The page holds them only when its sources are marked.
    std::string source;
    int firstWord = 0;
    int lastWord = -1;
    // Letters: the tags of the letter pictures as the page has them.
    std::string lettersHtml;
    // Picture: the file, relative to the page's folder.
    std::string file;
    // Kept on the board through a new draw around it. Not in the page: a
    // session keeps it with the board.
    bool kept = false;

    std::string PageId() const;  // without the quotes
    // Letters: the letter pictures in order, relative to the page's folder.
    std::vector<std::string> Letters() const;
    bool operator==(const Item&) const = default;
};

// What a text snip's font span says; missing parts keep the browser's default.
struct SpanFont {
    std::string face;
    std::uint32_t colour = 0;  // 0x00BBGGRR
    int pointSize = 0;         // 0: not stated
};
SpanFont ParseFontSpan(const std::string& span);

// One source of a run's text and the share of the draw its weight asked for.
struct MixSource {
    std::string label;
    double weightShare = 0;
    bool operator==(const MixSource&) const = default;
};

struct Collage {
    static constexpr int kWidth = 850;
    static constexpr int kHeight = 1100;
    bool captureCode = false;
    // Each snip's div names its source in a title attribute.
    bool markSources = false;
    // The run's sources; not in the page.
    std::vector<MixSource> mix;
    std::uint32_t background = 0;  // 0x00BBGGRR
    std::vector<Item> items;
    bool operator==(const Collage&) const = default;
};

// The item's HTML as the page has it (unmarked).
std::string ItemHtml(const Item& item, bool markSources = false);
// "main 12-14": the source and the word positions; "" for no source.
std::string SourceTitle(const Item& item);
// What the page holds of a collage: a page read back equals this.
Collage PageOnly(const Collage& collage);
// The whole page.
std::string WritePage(const Collage& collage);
// The drag list the page's script gets: every item id, quoted, comma after each.
std::string DragItemIds(const Collage& collage);
// Adds one item's quoted id, with its comma, to such a list.
void AppendDragItemId(std::string& ids, const Item& item);

// Reads a page back: one tarvex4 wrote, the same page saved by a browser
// after items were dragged, or edited by hand. A page nobody changed writes
// again byte for byte. Anything that is no collage page is refused; `why`
// says what is missing.
bool ReadPage(const std::string& html, Collage& collage, std::string& why);

}  // namespace collage
