// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <span>
#include <string>
#include <string_view>

// Every setting of the main form and the tracks, declared once: the session
// file, `tarvex4 go`, the window's ranges and the form's start values all
// read these rows. Adding a setting is a row here, a widget and the code
// that uses it.

// Entries of the collage style lists (main form 1090 and each track's 1093).
inline constexpr std::array<const char*, 6> kCollageStyles{"Plain - Solid BG", "Plain - NO BG", "Stamp Kit",
                                                           "Ransom Note",      "LCD Screen",    "Metal"};
// The shredder's fragment types as a session names them (radios 1014, 1015).
inline constexpr std::array<const char*, 2> kFragmentTypes{"prefix", "suffix"};

enum class SettingType {
    kNumber,  // a whole number from minimum to maximum
    kSwitch,  // true or false (initial 0 or 1)
    kColour,  // palette colour 0x00BBGGRR, "#RRGGBB" in a session
    kChoice,  // an index into `choices`, kept in a session as the choice's name
    kText,    // a path or name, initial `initialText`
};

struct Setting {
    // Where a session keeps it: dotted path from the file's top, or from a
    // track's object for a track setting. Empty: not kept in sessions.
    std::string_view key = {};
    SettingType type = SettingType::kNumber;
    int initial = 0;
    int minimum = 0;
    int maximum = 0;
    std::string_view initialText = {};
    std::span<const char* const> choices = {};
    // `tarvex4 go`'s option, empty when it has none, and its help line; a
    // number's help line gets its range and start value added (SettingHelp).
    std::string_view flag = {};
    std::string_view help = {};
    bool perTrack = false;
};

namespace settings {

inline constexpr int kStyleMax = static_cast<int>(kCollageStyles.size()) - 1;

// ---- main form ----
inline constexpr Setting kPalette{
    .key = "main.palette", .type = SettingType::kColour, .initial = 0xFFFFFF, .maximum = 0xFFFFFF};
inline constexpr Setting kMainStyle{.key = "main.style",
                                    .maximum = kStyleMax,
                                    .choices = kCollageStyles,
                                    .flag = "--style",
                                    .help = "Main text style:"};
inline constexpr Setting kWordsPerSnip{.key = "main.wordsPerSnip",
                                       .initial = 1,
                                       .minimum = 1,
                                       .maximum = 7,
                                       .flag = "--words",
                                       .help = "Words per snip of the main text,"};
inline constexpr Setting kShowMain{.key = "main.show",
                                   .type = SettingType::kSwitch,
                                   .initial = 1,
                                   .maximum = 1,
                                   .flag = "--no-main",
                                   .help = "Uncheck \"Show Main, Style:\": take no snips from the main text"};
inline constexpr Setting kTextOverImages{.key = "textOverImages",
                                         .type = SettingType::kSwitch,
                                         .initial = 1,
                                         .maximum = 1,
                                         .flag = "--text-under-images",
                                         .help = "Uncheck \"Text Over Images\""};
inline constexpr Setting kCaptureCode{.key = "captureCode",
                                      .type = SettingType::kSwitch,
                                      .initial = 1,
                                      .maximum = 1,
                                      .flag = "--no-capture",
                                      .help = "Uncheck \"F.F. Capture Code\""};
inline constexpr Setting kPortrait{.key = "orientation.portrait", .type = SettingType::kSwitch, .maximum = 1};
inline constexpr Setting kLandscape{.key = "orientation.landscape",
                                    .type = SettingType::kSwitch,
                                    .maximum = 1,
                                    .flag = "--landscape",
                                    .help = "Landscape: place pictures within 1100 x 850"};
inline constexpr Setting kTextVolume{
    .key = "volumes.text", .initial = 20, .maximum = 40, .flag = "--text-volume", .help = "Text volume"};
inline constexpr Setting kImageVolume{
    .key = "volumes.image", .initial = 10, .maximum = 20, .flag = "--image-volume", .help = "Image volume"};
inline constexpr Setting kUseCustomFolder{.key = "customFolder.use",
                                          .type = SettingType::kSwitch,
                                          .maximum = 1,
                                          .flag = "--folder",
                                          .help = "Check \"Folder:\" with DIR as the custom picture folder"};
inline constexpr Setting kCustomImageFolder{.key = "customFolder.path", .type = SettingType::kText, .initialText = "/"};
inline constexpr Setting kCustomFolderText{.key = "customFolder.shown", .type = SettingType::kText};
inline constexpr Setting kOutputFolder{.key = "output.folder", .type = SettingType::kText};
inline constexpr Setting kOutputFileName{.key = "output.fileName",
                                         .type = SettingType::kText,
                                         .initialText = "collage1.html",
                                         .flag = "--name",
                                         .help = "Output file name ending in .html or .htm, not a path"};
// View > "Mark Sources in Page": each snip's div names its source. Not kept in sessions.
inline constexpr Setting kMarkSources{.type = SettingType::kSwitch,
                                      .maximum = 1,
                                      .flag = "--mark-sources",
                                      .help =
                                          "Give each snip of the page a title naming its source (hover in the "
                                          "browser)"};

// ---- each track ----
inline constexpr Setting kTrackColour{
    .key = "colour", .type = SettingType::kColour, .initial = 0xFFFFFF, .maximum = 0xFFFFFF, .perTrack = true};
inline constexpr Setting kWordsPerCut{.key = "wordsPerCut",
                                      .initial = 1,
                                      .minimum = 1,
                                      .maximum = 6,
                                      .flag = "--track-words",
                                      .help = "K=N: words per cut of track K,",
                                      .perTrack = true};
inline constexpr Setting kTrackStyle{.key = "style",
                                     .maximum = kStyleMax,
                                     .choices = kCollageStyles,
                                     .flag = "--track-style",
                                     .help = "K=S: track K's style,",
                                     .perTrack = true};
inline constexpr Setting kUseWhole{.key = "whole",
                                   .type = SettingType::kSwitch,
                                   .maximum = 1,
                                   .flag = "--whole",
                                   .help = "Use track K whole (no cuts)",
                                   .perTrack = true};
inline constexpr Setting kFragmentType{.key = "shredder.fragment",
                                       .type = SettingType::kChoice,
                                       .maximum = 1,
                                       .choices = kFragmentTypes,
                                       .perTrack = true};
inline constexpr Setting kFragmentSize{
    .key = "shredder.size", .initial = 3, .minimum = 3, .maximum = 5, .perTrack = true};
// Mixed into collages. Track 1 is shown when the form starts, so it starts on.
inline constexpr Setting kTrackOn{.key = "on",
                                  .type = SettingType::kSwitch,
                                  .maximum = 1,
                                  .flag = "--track-off",
                                  .help = "Turn track K off",
                                  .perTrack = true};
inline constexpr Setting kFader{.key = "fader",
                                .initial = 100,
                                .maximum = 200,
                                .flag = "--fader",
                                .help = "K=N: track K's fader,",
                                .perTrack = true};
inline constexpr Setting kTrackWindowOpen{
    .key = "windowOpen", .type = SettingType::kSwitch, .maximum = 1, .perTrack = true};

inline constexpr std::array<const Setting*, 25> kAll{
    &kPalette,         &kMainStyle,         &kWordsPerSnip,     &kShowMain,     &kTextOverImages,
    &kCaptureCode,     &kPortrait,          &kLandscape,        &kTextVolume,   &kImageVolume,
    &kUseCustomFolder, &kCustomImageFolder, &kCustomFolderText, &kOutputFolder, &kOutputFileName,
    &kMarkSources,     &kTrackColour,       &kWordsPerCut,      &kTrackStyle,   &kUseWhole,
    &kFragmentType,    &kFragmentSize,      &kTrackOn,          &kFader,        &kTrackWindowOpen};

}  // namespace settings

// The help line of the setting's option: a number's gets its range and start
// value ("Text volume 0..40 (default 20)").
std::string SettingHelp(const Setting& setting);
