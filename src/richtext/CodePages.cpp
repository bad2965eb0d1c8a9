// SPDX-License-Identifier: GPL-3.0-or-later
#include "richtext/CodePages.h"

#include "richtext/Utf8Text.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace codepage {

// What the bytes 0x80..0xFF of one page stand for (kLeadByte: the first of
// two bytes). Bytes below 0x80 are ASCII in every page we read.
struct PageTable {
    int codePage = kWindows1252;
    std::string iconvName;  // empty for the built-in Windows-1252
    std::array<char32_t, 128> high{};
};

namespace {

constexpr char32_t kLeadByte = 0xFFFFFFFF;

std::string IconvName(int codePage) {
    switch (codePage) {
        case 10000: return "MACINTOSH";
        case 1361: return "JOHAB";
        default: return "CP" + std::to_string(codePage);
    }
}

// iconv from one page to UTF-32LE; closes itself.
class Converter {
public:
    explicit Converter(const std::string& name) : m_cd(iconv_open("UTF-32LE", name.c_str())) {}
    ~Converter() {
        if (Ok()) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // The one character `bytes` make: kLeadByte when they are the start of
    // a longer one, U+FFFD when they are no character (or more than one).
    char32_t Convert(const char* bytes, std::size_t length) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // initial shift state
        char* in = const_cast<char*>(bytes);
        std::size_t inLeft = length;
        unsigned char out[16];
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t outLeft = sizeof out;
        if (iconv(m_cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
            return errno == EINVAL ? kLeadByte : utf8text::kReplacement;
        // Pages that combine (1255, 1258) may hold a character back.
        iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        if (sizeof out - outLeft != 4) return utf8text::kReplacement;
        return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
    }

private:
    iconv_t m_cd;
};

std::unique_ptr<PageTable> BuildTable(int codePage) {
    auto table = std::make_unique<PageTable>();
    if (codePage != kWindows1252) {
        std::string name = IconvName(codePage);
        Converter converter(name);
        if (converter.Ok()) {
            table->codePage = codePage;
            table->iconvName = std::move(name);
            for (int b = 0x80; b < 0x100; ++b) {
                const char byte = static_cast<char>(b);
                table->high[b - 0x80] = converter.Convert(&byte, 1);
            }
            return table;
        }
    }
    for (int b = 0x80; b < 0x100; ++b) table->high[b - 0x80] = utf8text::FromCp1252(static_cast<std::uint8_t>(b));
    return table;
}

// Tables live as long as the program, so decoders may keep pointers to them.
const PageTable& TableOf(int codePage) {
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<PageTable>> tables;
    std::lock_guard lock(mutex);
    auto& slot = tables[codePage];
    if (!slot) slot = BuildTable(codePage);
    return *slot;
}

// Two-byte characters, one converter per page and thread.
char32_t ConvertPair(const PageTable& table, std::uint8_t lead, std::uint8_t trail) {
    thread_local std::map<int, std::unique_ptr<Converter>> converters;
    auto& converter = converters[table.codePage];
    if (!converter) converter = std::make_unique<Converter>(table.iconvName);
    if (!converter->Ok()) return utf8text::kReplacement;
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    const char32_t cp = converter->Convert(bytes, 2);
    return cp == kLeadByte ? utf8text::kReplacement : cp;
}

}  // namespace

int FromCharset(int charset) {
    switch (charset) {
        case 77: return 10000;  // Mac Roman
        case 128: return 932;   // Shift-JIS
        case 129: return 949;   // Hangul
        case 130: return 1361;  // Johab
        case 134: return 936;   // GB 2312
        case 136: return 950;   // Big5
        case 161: return 1253;  // Greek
        case 162: return 1254;  // Turkish
        case 163: return 1258;  // Vietnamese
        case 177: return 1255;  // Hebrew
        case 178: return 1256;  // Arabic
        case 186: return 1257;  // Baltic
        case 204: return 1251;  // Cyrillic
        case 222: return 874;   // Thai
        case 238: return 1250;  // Central European
        case 255: return 437;   // OEM
        default: return 0;
    }
}

void ByteDecoder::SetCodePage(int codePage) {
    if (codePage <= 0) codePage = kWindows1252;
    if (codePage == m_codePage) return;
    m_codePage = codePage;
    m_symbol = codePage == kSymbolPage      ? rtf::SymbolFont::kSymbol
               : codePage == kWingdingsPage ? rtf::SymbolFont::kWingdings
                                            : rtf::SymbolFont::kNone;
    m_table = nullptr;
    m_lead = 0;
}

const PageTable& ByteDecoder::Table() {
    if (m_table == nullptr) m_table = &TableOf(m_codePage);
    return *m_table;
}

long ByteDecoder::Feed(std::uint8_t byte) {
    if (m_lead != 0) {
        const std::uint8_t lead = m_lead;
        m_lead = 0;
        return static_cast<long>(ConvertPair(Table(), lead, byte));
    }
    if (m_symbol != rtf::SymbolFont::kNone) {
        const char32_t shown = rtf::SymbolCharacter(m_symbol, byte);
        return shown != 0 ? static_cast<long>(shown) : static_cast<long>(0xF000 + byte);
    }
    if (byte < 0x80) return byte;
    const char32_t cp = Table().high[byte - 0x80];
    if (cp == kLeadByte) {
        m_lead = byte;
        return kPending;
    }
    return static_cast<long>(cp);
}

void DocumentCodePages::SetFontName(int font, std::string_view name) {
    const rtf::SymbolFont symbol = rtf::SymbolFontOfName(name);
    if (symbol == rtf::SymbolFont::kNone)
        m_symbols.erase(font);
    else
        m_symbols[font] = symbol;
}

rtf::SymbolFont DocumentCodePages::SymbolFontOf(int font) const {
    auto found = m_symbols.find(font);
    return found == m_symbols.end() ? rtf::SymbolFont::kNone : found->second;
}

int DocumentCodePages::PageOfFont(int font) const {
    switch (SymbolFontOf(font)) {
        case rtf::SymbolFont::kSymbol: return kSymbolPage;
        case rtf::SymbolFont::kWingdings: return kWingdingsPage;
        case rtf::SymbolFont::kNone: break;
    }
    if (auto page = m_pages.find(font); page != m_pages.end() && page->second > 0) return page->second;
    if (auto charset = m_charsets.find(font); charset != m_charsets.end())
        if (int page = FromCharset(charset->second); page != 0) return page;
    return m_document;
}

}  // namespace codepage
