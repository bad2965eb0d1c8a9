// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/Session.h"
#include "support/HexColour.h"

#include "richtext/DocumentRichEdit.h"
#include "support/SafeFile.h"
#include "support/TextFileReader.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <variant>

using nlohmann::json;
// Written in a fixed order, so that a person reading the file finds what it is first.
using ordered = nlohmann::ordered_json;

namespace {

// ---- writing ----

// Only the attributes that were uniform are written; an absent key means
// "mixed" and is left alone when the session is opened.
ordered FontJson(const CharFormat& f) {
    ordered font = ordered::object();
    if (f.Has(CharFormat::kFace)) font["face"] = f.face;
    if (f.Has(CharFormat::kSize)) font["sizeTwips"] = f.heightTwips;
    if (f.Has(CharFormat::kColour)) font["colour"] = HexColour(f.textColour);
    if (f.Has(CharFormat::kHighlight)) font["highlight"] = HexColour(f.highlightColour);
    if (f.Has(CharFormat::kBold)) font["bold"] = f.bold;
    if (f.Has(CharFormat::kItalic)) font["italic"] = f.italic;
    if (f.Has(CharFormat::kUnderline)) font["underline"] = f.underline;
    return font;
}

// Puts `value` at the dotted `key` under `object`, making the objects on the
// way; keys are written in the order they are first put.
void Place(ordered& object, std::string_view key, ordered value) {
    const std::size_t dot = key.find('.');
    if (dot == std::string_view::npos) {
        object[std::string(key)] = std::move(value);
        return;
    }
    Place(object[std::string(key.substr(0, dot))], key.substr(dot + 1), std::move(value));
}

// A setting's value as a session keeps it. A choice out of its list is
// written as its number, which reading refuses, so it is never saved.
ordered SettingJson(const Setting& s, long long value) {
    switch (s.type) {
        case SettingType::kSwitch: return value != 0;
        case SettingType::kColour: return HexColour(static_cast<std::uint32_t>(value));
        case SettingType::kChoice:
            if (value >= 0 && static_cast<std::size_t>(value) < s.choices.size())
                return s.choices[static_cast<std::size_t>(value)];
            return value;
        case SettingType::kNumber:
        case SettingType::kText: break;
    }
    return value;
}

void Put(ordered& object, const Setting& s, long long value) { Place(object, s.key, SettingJson(s, value)); }
void Put(ordered& object, const Setting& s, const std::string& text) { Place(object, s.key, text); }

// ---- the settings of the form and its tracks, one row each ----

// A setting kept in `Kept` (the session) and shown by `Shown` (the form's
// state, a track's state): a member of each, or on the form its accessors.
template <class Kept, class Shown, class T>
struct Member {
    const Setting* setting;
    T Kept::*kept;
    T Shown::*shown;
    T Get(const Shown& from) const { return from.*shown; }
    void Set(Shown& to, const T& value) const { to.*shown = value; }
};
template <class Kept, class Shown>
struct Accessed {
    const Setting* setting;
    int Kept::*kept;
    int (Shown::*get)() const;
    void (Shown::*set)(int);
    int Get(const Shown& from) const { return (from.*get)(); }
    void Set(Shown& to, int value) const { (to.*set)(value); }
};
template <class Kept, class Shown>
using Binding = std::variant<Member<Kept, Shown, int>, Member<Kept, Shown, bool>, Member<Kept, Shown, std::uint32_t>,
                             Member<Kept, Shown, std::string>, Accessed<Kept, Shown>>;

template <class Kept, class Shown, class T>
Binding<Kept, Shown> Bind(const Setting& setting, T Kept::*kept, T Shown::*shown) {
    return Member<Kept, Shown, T>{&setting, kept, shown};
}
template <class Kept, class Shown>
Binding<Kept, Shown> Bind(const Setting& setting, int Kept::*kept, int (Shown::*get)() const, void (Shown::*set)(int)) {
    return Accessed<Kept, Shown>{&setting, kept, get, set};
}

// In the order a session file lists them. A setting of the form or of a
// track that a session keeps is a row here and a member of Session or
// SessionTrack; what a row names is captured, applied, written and read.
const Binding<Session, MainFormState> kFormSettings[] = {
    Bind(settings::kPalette, &Session::palette, &MainFormState::m_backgroundColour),
    Bind(settings::kMainStyle, &Session::mainStyle, &MainFormState::m_mainStyle),
    Bind(settings::kWordsPerSnip, &Session::wordsPerSnip, &MainFormState::WordsPerSnip,
         &MainFormState::SetWordsPerSnip),
    Bind(settings::kShowMain, &Session::showMain, &MainFormState::m_showMain),
    Bind(settings::kTextOverImages, &Session::textOverImages, &MainFormState::m_textOverImages),
    Bind(settings::kCaptureCode, &Session::captureCode, &MainFormState::m_captureCode),
    Bind(settings::kPortrait, &Session::portrait, &MainFormState::m_portrait),
    Bind(settings::kLandscape, &Session::landscape, &MainFormState::m_landscape),
    Bind(settings::kTextVolume, &Session::textVolume, &MainFormState::m_textVolume),
    Bind(settings::kImageVolume, &Session::imageVolume, &MainFormState::m_imageVolume),
    Bind(settings::kUseCustomFolder, &Session::useCustomFolder, &MainFormState::m_useCustomFolder),
    Bind(settings::kCustomImageFolder, &Session::customImageFolder, &MainFormState::m_customImageFolder),
    Bind(settings::kCustomFolderText, &Session::customFolderText, &MainFormState::m_customFolderText),
    Bind(settings::kOutputFolder, &Session::outputFolder, &MainFormState::m_outputFolder),
    Bind(settings::kOutputFileName, &Session::outputFileName, &MainFormState::m_outputFileName),
};
// A track's own settings; whether it is on, its fader and its window are the form's.
const Binding<SessionTrack, TrackState> kTrackSettings[] = {
    Bind(settings::kTrackColour, &SessionTrack::colour, &TrackState::m_trackColour),
    Bind(settings::kWordsPerCut, &SessionTrack::wordsPerCut, &TrackState::GetWordsPerCut, &TrackState::SetWordsPerCut),
    Bind(settings::kTrackStyle, &SessionTrack::style, &TrackState::m_collageStyle),
    Bind(settings::kUseWhole, &SessionTrack::useWhole, &TrackState::m_useWhole),
    Bind(settings::kFragmentType, &SessionTrack::fragmentType, &TrackState::m_fragmentType),
    Bind(settings::kFragmentSize, &SessionTrack::fragmentSize, &TrackState::m_fragmentSize),
};

template <class Kept, class Shown, std::size_t N>
void CaptureSettings(const Binding<Kept, Shown> (&rows)[N], const Shown& from, Kept& into) {
    for (const auto& row : rows) std::visit([&](const auto& b) { into.*b.kept = b.Get(from); }, row);
}
template <class Kept, class Shown, std::size_t N>
void ApplySettings(const Binding<Kept, Shown> (&rows)[N], const Kept& from, Shown& into) {
    for (const auto& row : rows) std::visit([&](const auto& b) { b.Set(into, from.*b.kept); }, row);
}
template <class Kept, class Shown, std::size_t N>
void PutSettings(const Binding<Kept, Shown> (&rows)[N], ordered& object, const Kept& from) {
    for (const auto& row : rows) std::visit([&](const auto& b) { Put(object, *b.setting, from.*b.kept); }, row);
}

ordered TrackJson(const SessionTrack& t) {
    namespace k = settings;
    ordered track = ordered::object();
    track["rtf"] = t.rtf;
    track["font"] = FontJson(t.font);
    PutSettings(kTrackSettings, track, t);
    Put(track, k::kTrackOn, t.on);
    Put(track, k::kFader, t.fader);
    Put(track, k::kTrackWindowOpen, t.windowOpen);
    return track;
}

// ---- reading ----

// Reads the fields of one JSON object into the session, checking each;
// `where` names the object in messages ("main", "tracks[2]").
class FieldReader {
public:
    FieldReader(const json& object, std::string where) : m_object(object), m_where(std::move(where)) {}

    const json* Find(const char* key) const {
        if (!m_object.is_object()) return nullptr;
        auto it = m_object.find(key);
        return it == m_object.end() || it->is_null() ? nullptr : &*it;
    }
    void Bool(const char* key, bool& into) const {
        if (const json* v = Find(key)) {
            if (!v->is_boolean()) Bad(key, "is not true or false");
            into = v->get<bool>();
        }
    }
    void Int(const char* key, int& into, int low, int high) const {
        if (const json* v = Find(key)) {
            const bool whole = v->is_number_integer();
            const long long n = whole ? v->get<long long>() : 0;
            if (!whole || n < low || n > high)
                Bad(key, "is not a number from " + std::to_string(low) + " to " + std::to_string(high));
            into = static_cast<int>(n);
        }
    }
    void Text(const char* key, std::string& into, std::size_t most = kSessionPathMax) const {
        if (const json* v = Find(key)) {
            if (!v->is_string()) Bad(key, "is not a text");
            const auto& text = v->get_ref<const std::string&>();
            if (text.size() > most) Bad(key, "is longer than " + SizeText(most));
            into = text;
        }
    }
    void Colour(const char* key, std::uint32_t& into) const {
        if (const json* v = Find(key)) {
            std::uint32_t colour = 0;
            if (!v->is_string() || !ParseColour(v->get<std::string>(), colour)) Bad(key, "is not a colour #RRGGBB");
            into = colour;
        }
    }
    FieldReader Object(const char* key) const {
        const json* v = Find(key);
        if (v != nullptr && !v->is_object()) Bad(key, "is not an object");
        return FieldReader(v != nullptr ? *v : Empty(), Name(key));
    }
    [[noreturn]] void Bad(const char* key, const std::string& why) const { throw SessionError(Name(key) + " " + why); }
    const json& Value() const { return m_object; }
    const std::string& Where() const { return m_where; }

private:
    static const json& Empty() {
        static const json empty = json::object();
        return empty;
    }
    std::string Name(const char* key) const { return m_where.empty() ? key : m_where + "." + key; }
    static std::string SizeText(std::size_t most) {
        if (most >= (1u << 20)) return std::to_string(most >> 20) + " MB";
        return std::to_string(most) + " characters";
    }
    // Sessions hold the long form only, as they are written.
    static bool ParseColour(const std::string& text, std::uint32_t& colour) {
        const std::optional<std::uint32_t> parsed = text.size() == 7 ? ParseHexColour(text) : std::nullopt;
        if (parsed) colour = *parsed;
        return parsed.has_value();
    }

    const json& m_object;
    std::string m_where;
};

// The object that holds the setting, and its name there: "volumes.text" is
// "text" in "volumes".
std::pair<FieldReader, std::string> Locate(const FieldReader& from, std::string_view key) {
    const std::size_t dot = key.find('.');
    if (dot == std::string_view::npos) return {from, std::string(key)};
    return Locate(from.Object(std::string(key.substr(0, dot)).c_str()), key.substr(dot + 1));
}

std::string ChoicesText(const Setting& s) {
    std::string text;
    for (std::size_t i = 0; i < s.choices.size(); ++i) {
        if (i > 0) text += i + 1 == s.choices.size() ? " or " : ", ";
        text += '"' + std::string(s.choices[i]) + '"';
    }
    return text;
}

// A number, or a choice by its name.
void Read(const FieldReader& from, const Setting& s, int& into) {
    const auto [object, name] = Locate(from, s.key);
    if (s.type != SettingType::kChoice) {
        object.Int(name.c_str(), into, s.minimum, s.maximum);
        return;
    }
    std::string chosen;
    object.Text(name.c_str(), chosen);
    if (!object.Find(name.c_str())) return;
    for (std::size_t i = 0; i < s.choices.size(); ++i) {
        if (chosen == s.choices[i]) {
            into = static_cast<int>(i);
            return;
        }
    }
    object.Bad(name.c_str(), "is not " + ChoicesText(s));
}

void Read(const FieldReader& from, const Setting& s, bool& into) {
    const auto [object, name] = Locate(from, s.key);
    object.Bool(name.c_str(), into);
}

void Read(const FieldReader& from, const Setting& s, std::uint32_t& into) {
    const auto [object, name] = Locate(from, s.key);
    object.Colour(name.c_str(), into);
}

void Read(const FieldReader& from, const Setting& s, std::string& into) {
    const auto [object, name] = Locate(from, s.key);
    object.Text(name.c_str(), into);
}

template <class Kept, class Shown, std::size_t N>
void ReadSettings(const Binding<Kept, Shown> (&rows)[N], const FieldReader& from, Kept& into) {
    for (const auto& row : rows) std::visit([&](const auto& b) { Read(from, *b.setting, into.*b.kept); }, row);
}

CharFormat ReadFont(const FieldReader& r) {
    CharFormat f;
    auto mark = [&](const char* key, CharFormat::Mask bit) {
        if (r.Find(key)) f.mask |= bit;
    };
    r.Text("face", f.face, kSessionFaceMax);
    mark("face", CharFormat::kFace);
    r.Int("sizeTwips", f.heightTwips, 1, 32767);
    mark("sizeTwips", CharFormat::kSize);
    r.Colour("colour", f.textColour);
    mark("colour", CharFormat::kColour);
    r.Colour("highlight", f.highlightColour);
    mark("highlight", CharFormat::kHighlight);
    r.Bool("bold", f.bold);
    mark("bold", CharFormat::kBold);
    r.Bool("italic", f.italic);
    mark("italic", CharFormat::kItalic);
    r.Bool("underline", f.underline);
    mark("underline", CharFormat::kUnderline);
    return f;
}

SessionTrack ReadTrack(const FieldReader& r) {
    SessionTrack t;
    r.Text("rtf", t.rtf, kSessionTextMax);
    t.font = ReadFont(r.Object("font"));
    namespace k = settings;
    ReadSettings(kTrackSettings, r, t);
    Read(r, k::kTrackOn, t.on);
    Read(r, k::kFader, t.fader);
    Read(r, k::kTrackWindowOpen, t.windowOpen);
    return t;
}

// Checks what the file claims to be before anything else is read.
void CheckFormat(const json& root) {
    if (!root.is_object()) throw SessionError("it is not a VANTELO session");
    auto format = root.find("format");
    if (format == root.end() || *format != kSessionFormatName) throw SessionError("it is not a VANTELO session");
    auto version = root.find("version");
    if (version == root.end() || !version->is_number_integer() || version->get<long long>() < 1)
        throw SessionError("it has no valid session format version");
    if (version->get<long long>() > kSessionFormatVersion)
        throw SessionError("it was saved by a newer version of the program (session format " +
                           std::to_string(version->get<long long>()) + "; this one reads up to " +
                           std::to_string(kSessionFormatVersion) + ")");
}

std::optional<std::uint32_t> ReadSeed(const FieldReader& r) {
    const json* seed = r.Find("lastSeed");
    if (seed == nullptr) return std::nullopt;
    if (!seed->is_number_unsigned() || seed->get<unsigned long long>() > 0xFFFFFFFFull)
        r.Bad("lastSeed", "is not a number from 0 to 4294967295");
    return static_cast<std::uint32_t>(seed->get<unsigned long long>());
}

// ---- form state ----

CharFormat UniformFormat(RichEditControl& text) {
    text.SelectAll();
    CharFormat format = text.SelectionCharFormat();
    text.CollapseToStart();
    return format;
}

// The reader takes any text; what does not even open as RTF would come out
// as a jumble, so it is refused here.
bool LooksLikeRtf(const std::string& rtf) {
    const size_t start = rtf.find_first_not_of(" \t\r\n");
    return start != std::string::npos && rtf.compare(start, 5, "{\\rtf") == 0;
}

// The RTF with its groups balanced: a close brace that would end the
// document before its end is dropped, groups still open at the end are
// closed. Escaped braces are text. Sets `changed` when anything was mended.
std::string BalancedRtf(const std::string& rtf, bool& changed) {
    std::string out;
    out.reserve(rtf.size() + 8);
    const std::size_t last = rtf.find_last_not_of(" \t\r\n");
    int depth = 0;
    changed = false;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\' && i + 1 < rtf.size()) {
            out += c;
            out += rtf[++i];
            continue;
        }
        if (c == '{') ++depth;
        if (c == '}') {
            if (depth == 0 || (depth == 1 && i != last)) {
                changed = true;
                continue;
            }
            --depth;
        }
        out += c;
    }
    if (depth > 0) changed = true;
    out.append(static_cast<std::size_t>(depth), '}');
    return out;
}

bool Unbalanced(const std::string& rtf) {
    bool changed = false;
    if (LooksLikeRtf(rtf)) BalancedRtf(rtf, changed);
    return changed;
}

bool LoadText(RichEditControl& control, const std::string& rtf, const CharFormat& font) {
    // An empty text still carries its font, which the default format restores.
    bool mended = false;
    const std::string text =
        rtf.empty() ? DocumentRichEdit().StreamRtfOut() : (LooksLikeRtf(rtf) ? BalancedRtf(rtf, mended) : rtf);
    if (!LooksLikeRtf(text) || !control.StreamRtfIn(text)) return false;
    if (font.mask != 0) control.SetDefaultCharFormat(font);
    control.CollapseToStart();
    control.ScrollToFirstLine();
    return true;
}

// Deeper than any session goes; a file nested further is not one, and its
// depth is refused before the parser builds it.
constexpr int kSessionDepthMax = 64;

// The byte where the nesting of `text` goes deeper than kSessionDepthMax,
// or npos. Brackets inside strings do not count.
std::size_t TooDeepAt(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kSessionDepthMax) return i;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return std::string_view::npos;
}

// The number nlohmann names in an overflow message ("... parsing '1e999'").
std::string OverflowingNumber(const std::string& message) {
    const std::size_t open = message.find('\'');
    const std::size_t close = message.rfind('\'');
    return open != std::string::npos && close > open ? message.substr(open + 1, close - open - 1) : std::string();
}

json ParseSession(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) throw SessionError("it is empty");
    // Not even the opening brace: some other kind of file.
    if (text[start] != '{') throw SessionError("it is not a VANTELO session");
    if (const std::size_t at = TooDeepAt(text); at != std::string_view::npos)
        throw SessionError("it nests deeper than " + std::to_string(kSessionDepthMax) + " levels (at byte " +
                           std::to_string(at + 1) + ")");
    try {
        return json::parse(text);
    } catch (const json::parse_error& e) {
        if (e.byte >= text.size()) throw SessionError("it is damaged or cut short");
        throw SessionError("it is damaged at byte " + std::to_string(e.byte));
    } catch (const json::out_of_range& e) {
        const std::string number = OverflowingNumber(e.what());
        const std::size_t at = number.empty() ? std::string_view::npos : text.find(number);
        throw SessionError("it holds a number too large to read" +
                           (at == std::string_view::npos ? std::string()
                                                         : " (" + number + " at byte " + std::to_string(at + 1) + ")"));
    } catch (const json::exception&) {
        throw SessionError("it cannot be read as JSON");
    }
}

}  // namespace

Session CaptureSession(const MainFormState& form, const std::array<bool, 4>& windowsOpen) {
    Session s;
    s.mainRtf = form.m_mainText->StreamRtfOut();
    s.mainFont = UniformFormat(*form.m_mainText);
    CaptureSettings(kFormSettings, form, s);
    s.lastSeed = form.m_lastSeed;
    s.boardPath = form.m_boardPath;
    s.boardPage = form.m_boardPage;
    s.goOnBoard = form.m_goOnBoard;
    s.boardKept = form.m_boardKept;
    for (size_t i = 0; i < 4; ++i) {
        const TrackState& track = form.m_tracks[i];
        SessionTrack& t = s.tracks[i];
        t.rtf = track.m_trackText->StreamRtfOut();
        t.font = UniformFormat(*track.m_trackText);
        CaptureSettings(kTrackSettings, track, t);
        t.on = form.m_trackWindowOpen[i];
        t.fader = form.m_trackFader[i];
        t.windowOpen = windowsOpen[i];
    }
    return s;
}

std::vector<std::string> ApplySession(const Session& s, MainFormState& form) {
    std::vector<std::string> skipped;
    if (!LoadText(*form.m_mainText, s.mainRtf, s.mainFont)) skipped.push_back("the main text");
    form.m_boardPath = s.boardPath;
    form.m_boardPage = s.boardPage;
    if (s.goOnBoard) form.m_goOnBoard = *s.goOnBoard;
    form.m_boardKept = s.boardKept;
    ApplySettings(kFormSettings, s, form);
    form.m_mainText->SetBackgroundColour(s.palette);
    form.m_outputFileText = s.outputFolder + s.outputFileName;
    form.m_lastSeed = s.lastSeed;
    for (size_t i = 0; i < 4; ++i) {
        const SessionTrack& t = s.tracks[i];
        TrackState& track = form.m_tracks[i];
        if (!LoadText(*track.m_trackText, t.rtf, t.font))
            skipped.push_back("the text of track " + std::to_string(i + 1));
        ApplySettings(kTrackSettings, t, track);
        track.m_trackText->SetBackgroundColour(t.colour);
        form.m_trackWindowOpen[i] = t.on;
        form.m_trackFader[i] = t.fader;
    }
    return skipped;
}

std::vector<std::string> UnbalancedTexts(const Session& s) {
    std::vector<std::string> texts;
    if (Unbalanced(s.mainRtf)) texts.push_back("the main text");
    for (size_t i = 0; i < s.tracks.size(); ++i) {
        if (Unbalanced(s.tracks[i].rtf)) texts.push_back("the text of track " + std::to_string(i + 1));
    }
    return texts;
}

std::string SessionToJson(const Session& s) {
    ordered root = {{"format", kSessionFormatName}, {"version", kSessionFormatVersion}};
    namespace k = settings;
    if (s.lastSeed) root["lastSeed"] = *s.lastSeed;
    root["main"] = {{"rtf", s.mainRtf}, {"font", FontJson(s.mainFont)}};
    PutSettings(kFormSettings, root, s);
    root["tracks"] = ordered::array();
    for (const SessionTrack& t : s.tracks) root["tracks"].push_back(TrackJson(t));
    if (!s.boardPage.empty()) {
        root["board"] = {{"path", s.boardPath}, {"page", s.boardPage}};
        if (!s.boardKept.empty()) root["board"]["kept"] = s.boardKept;
    }
    if (s.goOnBoard) root["goOnBoard"] = *s.goOnBoard;
    // A path with bytes that are not UTF-8 cannot go into JSON as it is.
    return root.dump(2, ' ', false, ordered::error_handler_t::replace) + "\n";
}

namespace {

// Item ids are short; a page holds far fewer items than this.
constexpr std::size_t kKeptIdMax = 40;
constexpr std::size_t kKeptIdsMax = 100000;

std::vector<std::string> ReadKeptIds(const FieldReader& board) {
    std::vector<std::string> ids;
    const json* kept = board.Find("kept");
    if (kept == nullptr) return ids;
    if (!kept->is_array() || kept->size() > kKeptIdsMax) board.Bad("kept", "is not a list of item ids");
    for (const json& id : *kept) {
        if (!id.is_string() || id.get_ref<const std::string&>().size() > kKeptIdMax)
            board.Bad("kept", "holds something that is not an item id");
        ids.push_back(id.get<std::string>());
    }
    return ids;
}

}  // namespace

Session SessionFromJson(std::string_view text) {
    const json root = ParseSession(text);
    CheckFormat(root);

    Session s;
    const FieldReader top(root, "");
    s.lastSeed = ReadSeed(top);
    namespace k = settings;
    const FieldReader main = top.Object("main");
    main.Text("rtf", s.mainRtf, kSessionTextMax);
    s.mainFont = ReadFont(main.Object("font"));
    ReadSettings(kFormSettings, top, s);
    if (s.portrait && s.landscape) {
        const auto [orientation, landscape] = Locate(top, k::kLandscape.key);
        orientation.Bad(landscape.c_str(), "and portrait cannot both be checked");
    }
    // The page's name, never a path: a session cannot send the page elsewhere than its folder.
    const auto [output, fileName] = Locate(top, k::kOutputFileName.key);
    if (!IsPlainFileName(s.outputFileName)) output.Bad(fileName.c_str(), "is not a file name");
    if (!IsPageName(s.outputFileName)) output.Bad(fileName.c_str(), "does not end in .html or .htm");

    if (const json* tracks = top.Find("tracks")) {
        if (!tracks->is_array() || tracks->size() > s.tracks.size()) top.Bad("tracks", "is not a list of 4 tracks");
        for (size_t i = 0; i < tracks->size(); ++i) {
            const json& track = (*tracks)[i];
            if (!track.is_object()) top.Bad("tracks", "holds something that is not a track");
            s.tracks[i] = ReadTrack(FieldReader(track, "tracks[" + std::to_string(i) + "]"));
        }
    }
    const FieldReader board = top.Object("board");
    board.Text("path", s.boardPath);
    board.Text("page", s.boardPage, kSessionTextMax);
    if (top.Find("goOnBoard")) top.Bool("goOnBoard", s.goOnBoard.emplace());
    s.boardKept = ReadKeptIds(board);
    return s;
}

void WriteSessionFile(const std::string& path, const Session& session) {
    const std::string text = SessionToJson(session);
    // A session that could not be opened again is not written.
    try {
        SessionFromJson(text);
    } catch (const SessionError& e) {
        throw SessionError("Cannot save the session " + path + ": " + e.what() + ".");
    }
    std::string problem;
    if (!WriteFileReplacing(path, text, problem)) {
        // The writer's reason, in the words of every session message.
        const std::string said = "Cannot write the file " + path + ": ";
        if (problem.rfind(said, 0) == 0) problem = problem.substr(said.size());
        throw SessionError("Cannot save the session " + path + ": " + problem + ".");
    }
}

Session ReadSessionFile(const std::string& path) {
    // Larger than its fields together can be: refused before it is parsed.
    constexpr std::size_t kSessionFileMax = 8 * kSessionTextMax;
    std::string text;
    std::string why;
    switch (ReadRegularFile(path, kSessionFileMax, text, why)) {
        case WholeFile::kRead: break;
        case WholeFile::kCannotRead: throw SessionError("Cannot open the session " + path + ": " + why + ".");
        case WholeFile::kTooLarge:
            throw SessionError("Cannot open the session " + path + ": it is larger than a session can be (more than " +
                               std::to_string(kSessionFileMax >> 20) + " MB).");
    }
    try {
        return SessionFromJson(text);
    } catch (const SessionError& e) {
        throw SessionError("Cannot open the session " + path + ": " + e.what() + ".");
    }
}

bool IsPageName(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string extension = name.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "html" || extension == "htm";
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

std::string SessionName(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    const std::string extension = kSessionExtension;
    if (name.size() > extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
        name.resize(name.size() - extension.size());
    return name;
}
