// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The track window and its controls.
inline constexpr int IDD_TRACKVIEW = 103;
inline constexpr int IDC_TRACKTEXT = 1004;

// Tool row.
inline constexpr int IDC_TRACK_FONT = 1039;
inline constexpr int IDC_TRACK_OPEN = 1016;
inline constexpr int IDC_TRACK_UNDO = 1017;
inline constexpr int IDC_TRACK_CUT = 1024;
inline constexpr int IDC_TRACK_COPY = 1025;
inline constexpr int IDC_TRACK_PASTE = 1026;
inline constexpr int IDC_TRACK_FILL = 1018;
inline constexpr int IDC_TRACK_AUTHORS = 1019;
inline constexpr int IDC_TRACK_PALETTE = 1030;

// "Collage Settings": words per cut 1..6, style, Use Whole.
inline constexpr int IDC_CUT1 = 1020;
inline constexpr int IDC_CUT2 = 1021;
inline constexpr int IDC_CUT3 = 1022;
inline constexpr int IDC_CUT4 = 1023;
inline constexpr int IDC_CUT5 = 1028;
inline constexpr int IDC_CUT6 = 1029;
inline constexpr int IDC_TRACK_STYLE = 1093;
inline constexpr int IDC_USEWHOLE = 1094;

// "Word Shredder": fragment type, fragment size 3..5 letters, the shred button.
inline constexpr int IDC_PREFIX = 1014;
inline constexpr int IDC_SUFFIX = 1015;
inline constexpr int IDC_FRAGMENT3 = 1011;
inline constexpr int IDC_FRAGMENT4 = 1012;
inline constexpr int IDC_FRAGMENT5 = 1013;
inline constexpr int IDC_SHRED = 1003;
