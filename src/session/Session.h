// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "form/MainFormState.h"
#include "richtext/RichEditControl.h"

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A saved cut-up setup: the main form's and the four tracks' texts and
// settings, and the seed that reproduces the last GO. Stored as JSON in a
// "*.vantelo" file.

inline constexpr const char* kSessionFormatName = "vantelo-session";
// Raised when the file's layout changes in a way older programs cannot read.
inline constexpr int kSessionFormatVersion = 3;  // 2: the board's arrangement, 3: its kept items
inline constexpr const char* kSessionExtension = ".vantelo";

// Each setting starts at its row's start value (form/Settings.h), which is
// also what a session that leaves it out gets.
struct SessionTrack {
    std::string rtf;
    // Attributes uniform over the text (its insertion format when empty).
    CharFormat font;
    std::uint32_t colour = settings::kTrackColour.initial;
    int wordsPerCut = settings::kWordsPerCut.initial;
    int style = settings::kTrackStyle.initial;
    bool useWhole = settings::kUseWhole.initial != 0;
    int fragmentType = settings::kFragmentType.initial;  // TrackState::kPrefix or kSuffix
    int fragmentSize = settings::kFragmentSize.initial;
    bool on = settings::kTrackOn.initial != 0;
    int fader = settings::kFader.initial;
    bool windowOpen = settings::kTrackWindowOpen.initial != 0;
};

struct Session {
    std::string mainRtf;
    CharFormat mainFont;
    std::uint32_t palette = settings::kPalette.initial;
    int mainStyle = settings::kMainStyle.initial;
    int wordsPerSnip = settings::kWordsPerSnip.initial;
    bool showMain = settings::kShowMain.initial != 0;
    bool textOverImages = settings::kTextOverImages.initial != 0;
    bool captureCode = settings::kCaptureCode.initial != 0;
    bool portrait = settings::kPortrait.initial != 0;
    bool landscape = settings::kLandscape.initial != 0;
    int textVolume = settings::kTextVolume.initial;
    int imageVolume = settings::kImageVolume.initial;
    bool useCustomFolder = settings::kUseCustomFolder.initial != 0;
    std::string customImageFolder{settings::kCustomImageFolder.initialText};
    std::string customFolderText{settings::kCustomFolderText.initialText};
    std::string outputFolder{settings::kOutputFolder.initialText};
    std::string outputFileName{settings::kOutputFileName.initialText};
    // The generator's state right before the last GO; none before the first.
    std::optional<std::uint32_t> lastSeed;
    std::array<SessionTrack, 4> tracks;
    // The cut-up board's arrangement: its page as tarvex4 writes it, and
    // where that page is (its pictures are named from that folder). Empty
    // when the board showed nothing.
    std::string boardPath;
    std::string boardPage;
    // View > "Show GO on the Board"; none in sessions from before it was kept.
    std::optional<bool> goOnBoard;
    // The page ids of the board's kept items ("dpagetextitem3~").
    std::vector<std::string> boardKept;
};

// A session file that cannot be read or written; the text says why, for the user.
class SessionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The form as it stands. `windowsOpen` tells which track windows are on
// screen (the form state does not know).
Session CaptureSession(const MainFormState& form, const std::array<bool, 4>& windowsOpen);

// Puts the session into the form state: every setting, the texts with their
// fonts and background colours. A text the RTF reader refuses is skipped (the
// control keeps what it had); the result names each one skipped.
// A text whose RTF braces do not balance is loaded as far as it can be read
// (groups left open are closed, a stray close brace is dropped).
std::vector<std::string> ApplySession(const Session& session, MainFormState& form);

// The texts of the session whose RTF braces do not balance ("the main text",
// "the text of track 2"): ApplySession loads what can be read of them, and
// the user is told.
std::vector<std::string> UnbalancedTexts(const Session& session);

// The largest field a session may hold: a font face as the font dialog
// takes it, a path, and a text in RTF. A larger one is refused by name.
inline constexpr std::size_t kSessionFaceMax = 31;
inline constexpr std::size_t kSessionPathMax = 4096;
inline constexpr std::size_t kSessionTextMax = 8u << 20;

std::string SessionToJson(const Session& session);
// Throws SessionError for anything that is not a readable session of this
// or an older format version. Unknown fields are ignored; absent ones keep
// the form's start values.
Session SessionFromJson(std::string_view text);

// Throw SessionError naming the file. A session is written through the safe
// writer, so the one there stays whole until the new one is complete.
void WriteSessionFile(const std::string& path, const Session& session);
Session ReadSessionFile(const std::string& path);

// A page's name, never a path: not empty, no "/", not "." or "..".
bool IsPlainFileName(const std::string& name);
// A name the browser opens as a page: it ends in .html or .htm (any case).
// A session names no other kind of output file.
bool IsPageName(const std::string& name);

// The name a session is shown by: its file name without ".vantelo".
std::string SessionName(const std::string& path);
