// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rtf {

// Old-style paragraph numbering ({\*\pn ...}): what one paragraph says of
// its number. Some word processors (AbiWord, old Word) write only this and
// no text of the number.
struct NumberSettings {
    enum class Level : std::uint8_t { kNumbered, kBullet, kContinued };
    Level level = Level::kNumbered;
    int depth = 0;  // \pnlvlN: 1..9; the body level counts as 0
    int start = 1;
    char format = '1';   // '1' decimal, 'A'/'a' letters, 'I'/'i' roman numerals
    std::string before;  // \pntxtb
    std::string after;   // \pntxta
};

// "3", "c", "iii" as `settings` write the number n.
std::string NumberText(const NumberSettings& settings, int n);

// The numbers of a document's paragraphs, as word processors make them from
// the settings: counted per level from its start while paragraphs stay list
// items, started again after a paragraph that is none, a deeper level anew
// under each item above it. A number the document writes itself (\pntext,
// \listtext) wins, unless it holds nothing but blanks. Both RTF readers feed
// it the same events, so both show the same numbers.
//
// Depths are the reader's group stack size: just after a group's '{' is
// pushed, and after a '}' is popped.
class ListNumbering {
public:
    // "pn" read in a group of document text at `depth`: settings follow.
    void BeginSettings(std::size_t depth);
    bool InSettings() const { return m_settingsDepth != 0; }
    // A word inside the settings; true when it is one of them. After
    // \pntxtb or \pntxta, the text of that group is the number's.
    bool SettingsWord(std::string_view word, std::int64_t parameter, bool hasParameter, std::size_t depth);
    bool TakesText() const { return m_text != nullptr; }
    // Text of a \pntxtb or \pntxta group (a few characters are kept).
    void SettingsText(std::string_view utf8);

    // "pntext" or "listtext" opened a group of document text at `depth`.
    void BeginOwnNumber(std::size_t depth);
    bool InOwnNumber() const { return m_ownDepth != 0; }
    // Text of that group: only blanks leave the number to be made.
    void OwnNumberText(std::string_view utf8);

    // A group closed, leaving the stack `depth` deep; `inText` is whether
    // the reader reads document text again. True when a number the document
    // wrote closed holding only blanks: the reader takes that text back.
    bool GroupClosed(std::size_t depth, bool inText);

    // The number's text and a tab, to go before the paragraph's first
    // character; "" when there is none (taken once).
    std::string TakePending();
    bool HasPending() const { return !m_pending.empty(); }
    void EndParagraph();

private:
    void NumberParagraph();

    NumberSettings m_settings;
    std::size_t m_settingsDepth = 0;  // 0: not reading settings
    std::string* m_text = nullptr;    // \pntxtb or \pntxta being read
    std::size_t m_textDepth = 0;
    std::size_t m_ownDepth = 0;  // 0: not in \pntext or \listtext
    bool m_ownVisible = false;
    bool m_ownNumber = false;                         // this paragraph wrote its number
    std::string m_made;                               // this paragraph's number, made from the settings
    std::string m_pending;                            // and not yet written
    bool m_paragraphNumbered = false;                 // this paragraph is a list item
    bool m_previousNumbered = false;                  // and the one before
    std::array<std::optional<int>, 10> m_counters{};  // the last number given per depth
};

}  // namespace rtf
