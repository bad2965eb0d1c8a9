// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main form and its controls. A control's id is also its object name.
inline constexpr int IDD_TARVEX4_FORM = 101;
inline constexpr int IDC_MAINTEXT = 1004;

// Tool row, left to right.
inline constexpr int IDC_FONT = 1038;
inline constexpr int IDC_PRINT = 1040;
inline constexpr int IDC_OPEN = 1041;
inline constexpr int IDC_SAVE = 1042;
inline constexpr int IDC_UNDO = 1013;
inline constexpr int IDC_PALETTE = 1039;
inline constexpr int IDC_CUT = 1014;
inline constexpr int IDC_COPY = 1015;
inline constexpr int IDC_PASTE = 1021;
inline constexpr int IDC_FILL = 1022;
inline constexpr int IDC_AUTHORS = 1023;

// The four track boxes: group, fader, window button, on/off button.
inline constexpr int IDC_TRACK1_GROUP = 1052;
inline constexpr int IDC_TRACK2_GROUP = 1053;
inline constexpr int IDC_TRACK3_GROUP = 1054;
inline constexpr int IDC_TRACK4_GROUP = 1055;
inline constexpr int IDC_TRACK1_FADER = 1008;
inline constexpr int IDC_TRACK2_FADER = 1024;
inline constexpr int IDC_TRACK3_FADER = 1028;
inline constexpr int IDC_TRACK4_FADER = 1032;
inline constexpr int IDC_TRACK1_SHOW = 1009;
inline constexpr int IDC_TRACK2_SHOW = 1025;
inline constexpr int IDC_TRACK3_SHOW = 1029;
inline constexpr int IDC_TRACK4_SHOW = 1033;
inline constexpr int IDC_TRACK1_ONOFF = 1010;
inline constexpr int IDC_TRACK2_ONOFF = 1026;
inline constexpr int IDC_TRACK3_ONOFF = 1030;
inline constexpr int IDC_TRACK4_ONOFF = 1034;

// "Image Input Settings".
inline constexpr int IDC_USEFOLDER = 1104;
inline constexpr int IDC_FOLDEREDIT = 1088;
inline constexpr int IDC_FOLDERBUTTON = 1093;
inline constexpr int IDC_DATABASELABEL = 1063;
inline constexpr int IDC_SOURCES = 1095;

// "Main Settings".
inline constexpr int IDC_SHOWMAIN = 1089;
inline constexpr int IDC_MAINSTYLE = 1090;
inline constexpr int IDC_TEXTOVERIMAGES = 1100;
inline constexpr int IDC_SNIPLABEL = 1061;
inline constexpr int IDC_SNIP1 = 1031;
inline constexpr int IDC_SNIP2 = 1035;
inline constexpr int IDC_SNIP3 = 1036;
inline constexpr int IDC_SNIP4 = 1037;
inline constexpr int IDC_SNIP5 = 1043;
inline constexpr int IDC_SNIP6 = 1056;
inline constexpr int IDC_SNIP7 = 1057;
inline constexpr int IDC_CAPTURECODE = 1101;
inline constexpr int IDC_PORTRAIT = 1102;
inline constexpr int IDC_LANDSCAPE = 1103;

// Bottom row: output file, volumes, GO.
inline constexpr int IDC_OUTPUTBUTTON = 1087;
inline constexpr int IDC_OUTPUTEDIT = 1086;
inline constexpr int IDC_TEXTVOLUME = 1091;
inline constexpr int IDC_IMAGEVOLUME = 1092;
inline constexpr int IDC_GO = 1084;
