// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class MarkupBodyWriter;

// Renders the program's small HTML-like markup into an RTF document for a
// rich edit control. Unknown tags and attributes are ignored; the only
// failure is a closing group tag with no open group.

// A font record with the fields of the platform's LOGFONT; the renderer uses
// the height and the face name only.
struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string face;
};

// The record of the default GUI font: face "MS Shell Dlg", height -11
// (8 points at 96 dpi), which the renderer turns into 12-point text.
LogFont DefaultGuiFont();

// The colours that the names "window", "windowtext", "buttonface" and
// "buttontext" stand for (0x00BBGGRR).
struct SystemColours {
    std::uint32_t window = 0xFFFFFF;
    std::uint32_t windowText = 0x000000;
    std::uint32_t buttonFace = 0xF0F0F0;
    std::uint32_t buttonText = 0x000000;
};

// Twips per pixel for a screen of the given dots per inch (1440 / dpi).
int TwipsPerPixelForDpi(int dpi);

// The screen the rich edit controls are shown on. The window sets it from
// its logical dpi; headless it stays at 96 dpi (15 twips per pixel).
void SetScreenDpi(int dpi);
int ScreenTwipsPerPixel();

class MarkupRtfRenderer {
public:
    explicit MarkupRtfRenderer(int twipsPerPixel = ScreenTwipsPerPixel(), SystemColours systemColours = {});

    // Renders `markup` (it ends at its first NUL byte). On success returns
    // the RTF text and leaves the final background colour (the caller's, or
    // the last body bgcolor) in `backgroundColour`; on failure returns
    // nothing, leaves `backgroundColour` alone and Failure() says why.
    std::optional<std::string> RenderToRtf(std::string_view markup, const LogFont& baseFont, std::uint32_t textColour,
                                           std::uint32_t& backgroundColour);

    // A plain text as it is: every character shown, none taken as a tag.
    std::string RenderLiteral(std::string_view text, const LogFont& baseFont, std::uint32_t textColour,
                              std::uint32_t backgroundColour);

    const std::string& Failure() const { return m_failure; }

    // The tables of the last rendering (font records by RTF font number,
    // colours by RTF colour number - 1).
    const std::vector<LogFont>& FontTable() const { return m_fonts; }
    const std::vector<std::uint32_t>& ColourTable() const { return m_colours; }

private:
    friend class MarkupBodyWriter;
    // Starts a rendering: no failure, the base font and the two colours in
    // the tables; returns the base size in half points.
    std::int32_t Begin(const LogFont& baseFont, std::uint32_t textColour, std::uint32_t backgroundColour);
    // The head (font and colour tables) in front of the written body.
    std::string Finish(MarkupBodyWriter& writer, std::int32_t baseSize, std::uint32_t& backgroundColour);
    int m_twipsPerPixel;
    SystemColours m_systemColours;
    std::vector<LogFont> m_fonts;
    std::vector<std::uint32_t> m_colours;
    std::string m_failure;
};

// The options of a one-shot rendering.
struct RenderOptions {
    LogFont baseFont = DefaultGuiFont();
    std::uint32_t textColour = 0x000000;
    std::uint32_t backgroundColour = 0xFFFFFF;
    int twipsPerPixel = ScreenTwipsPerPixel();
    SystemColours systemColours{};
};

// One-shot form. `finalBackground` (optional) receives the final background
// colour on success; `failure` (optional) the reason on failure.
std::optional<std::string> RenderToRtf(std::string_view markup, const RenderOptions& options = {},
                                       std::uint32_t* finalBackground = nullptr, std::string* failure = nullptr);
// The same document for a plain text, every character of it shown.
std::string RenderLiteralToRtf(std::string_view text, const RenderOptions& options = {});
