// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/RtfNumbering.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace rtf {

namespace {

constexpr std::size_t kMaxNumberText = 16;

std::string RomanNumeral(int n, bool upper) {
    static constexpr std::pair<int, const char*> kDigits[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    std::string text;
    for (const auto& [value, digits] : kDigits) {
        for (; n >= value && text.size() < 32; n -= value) text += digits;
    }
    if (upper)
        for (char& c : text) c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// 1 a, 26 z, 27 aa, 28 bb, as word processors letter their lists.
std::string LetterNumeral(int n, bool upper) {
    if (n < 1) return std::to_string(n);
    const char letter = static_cast<char>((upper ? 'A' : 'a') + (n - 1) % 26);
    return std::string(static_cast<std::size_t>(std::min((n - 1) / 26 + 1, 32)), letter);
}

// The bullet's own character when it is a plain one ("-", "*", ">"); a
// symbol font's picture (a byte or \bullet) or nothing shows as a dot.
std::string BulletText(const std::string& before) {
    const std::size_t first = before.find_first_not_of(' ');
    if (first == std::string::npos) return "\xE2\x80\xA2";
    const std::string text = before.substr(first, before.find_last_not_of(' ') - first + 1);
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7F; });
    return plain ? text : "\xE2\x80\xA2";
}

}  // namespace

std::string NumberText(const NumberSettings& settings, int n) {
    switch (settings.format) {
        case 'A':
        case 'a': return LetterNumeral(n, settings.format == 'A');
        case 'I':
        case 'i': return n >= 1 ? RomanNumeral(n, settings.format == 'I') : std::to_string(n);
        default: return std::to_string(n);
    }
}

void ListNumbering::BeginSettings(std::size_t depth) {
    m_settingsDepth = depth;
    m_settings = NumberSettings{};
    m_text = nullptr;
}

bool ListNumbering::SettingsWord(std::string_view word, std::int64_t parameter, bool hasParameter, std::size_t depth) {
    if (m_settingsDepth == 0 || word.rfind("pn", 0) != 0) return false;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const int value = static_cast<int>(std::clamp<std::int64_t>(parameter, -kMax, kMax));
    NumberSettings& s = m_settings;
    if (word == "pnlvl" && hasParameter)
        s.depth = std::clamp(value, 0, 9);
    else if (word == "pnlvlbody")
        s.depth = 0;
    else if (word == "pnlvlblt")
        s.level = NumberSettings::Level::kBullet;
    else if (word == "pnlvlcont")
        s.level = NumberSettings::Level::kContinued;
    else if (word == "pnstart" && hasParameter)
        s.start = value;
    else if (word == "pndec" || word == "pnord" || word == "pnordt" || word == "pncard")
        s.format = '1';
    else if (word == "pnucltr")
        s.format = 'A';
    else if (word == "pnlcltr")
        s.format = 'a';
    else if (word == "pnucrm")
        s.format = 'I';
    else if (word == "pnlcrm")
        s.format = 'i';
    else if (word == "pntxtb" || word == "pntxta") {
        m_text = word == "pntxtb" ? &s.before : &s.after;
        m_text->clear();
        m_textDepth = depth;
    } else {
        return false;
    }
    return true;
}

void ListNumbering::SettingsText(std::string_view utf8) {
    if (m_text == nullptr || m_text->size() >= kMaxNumberText) return;
    m_text->append(utf8.substr(0, kMaxNumberText - m_text->size()));
}

void ListNumbering::BeginOwnNumber(std::size_t depth) {
    if (m_ownDepth != 0) return;
    m_ownDepth = depth;
    m_ownVisible = false;
    m_ownNumber = true;
    m_pending.clear();
}

void ListNumbering::OwnNumberText(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size() && !m_ownVisible; ++i) {
        const char c = utf8[i];
        if (c == ' ' || c == '\t') continue;
        if (utf8.substr(i, 2) == "\xC2\xA0") {
            ++i;  // a no-break space
            continue;
        }
        m_ownVisible = true;
    }
}

bool ListNumbering::GroupClosed(std::size_t depth, bool inText) {
    if (m_text != nullptr && depth < m_textDepth) m_text = nullptr;
    if (m_settingsDepth != 0 && depth < m_settingsDepth) {
        m_settingsDepth = 0;
        m_text = nullptr;
        if (inText) NumberParagraph();
    }
    if (m_ownDepth == 0 || depth >= m_ownDepth) return false;
    m_ownDepth = 0;
    if (m_ownVisible) return false;
    // Only blanks where the number goes: the number is made after all.
    m_ownNumber = false;
    m_pending = m_made;
    return true;
}

// The settings of a paragraph read: it is a list item, and gets the
// number's text unless the document wrote it.
void ListNumbering::NumberParagraph() {
    if (m_settings.level == NumberSettings::Level::kContinued) return;
    if (!m_previousNumbered && !m_paragraphNumbered) m_counters.fill(std::nullopt);
    m_paragraphNumbered = true;
    if (m_settings.level == NumberSettings::Level::kBullet) {
        m_made = BulletText(m_settings.before) + '\t';
    } else {
        const auto depth = static_cast<std::size_t>(m_settings.depth);
        for (std::size_t deeper = depth + 1; deeper < m_counters.size(); ++deeper) m_counters[deeper].reset();
        std::optional<int>& counter = m_counters[depth];
        counter = !counter ? m_settings.start : *counter + (*counter < std::numeric_limits<int>::max() ? 1 : 0);
        m_made = m_settings.before + NumberText(m_settings, *counter) + m_settings.after + '\t';
    }
    if (!m_ownNumber) m_pending = m_made;
}

std::string ListNumbering::TakePending() { return std::exchange(m_pending, std::string()); }

void ListNumbering::EndParagraph() {
    m_previousNumbered = m_paragraphNumbered;
    m_paragraphNumbered = false;
    m_ownNumber = false;
    m_made.clear();
    m_pending.clear();
}

}  // namespace rtf
