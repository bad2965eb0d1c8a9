// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The cut-up board window: its commands (menu and keys) and controls. A
// command's id is its action's object name.
inline constexpr int IDD_BOARD = 320;
inline constexpr int IDC_BOARD_VIEW = 3201;

// File
inline constexpr int ID_BOARD_OPEN = 32900;
inline constexpr int ID_BOARD_SAVE = 32901;
inline constexpr int ID_BOARD_SAVE_AS = 32902;
inline constexpr int ID_BOARD_CLOSE = 32903;
inline constexpr int ID_BOARD_EXPORT = 32904;
// Edit
inline constexpr int ID_BOARD_UNDO = 32910;
inline constexpr int ID_BOARD_REDO = 32911;
inline constexpr int ID_BOARD_FRONT = 32912;
inline constexpr int ID_BOARD_BACK = 32913;
inline constexpr int ID_BOARD_DELETE = 32914;
inline constexpr int ID_BOARD_SELECT_ALL = 32915;
inline constexpr int ID_BOARD_COPY_TEXT = 32916;
// The right-click menu of an item
inline constexpr int IDR_BOARD_ITEM_MENU = 3202;
// View
inline constexpr int ID_BOARD_ZOOM_FIT = 32920;
inline constexpr int ID_BOARD_ZOOM_ACTUAL = 32921;
inline constexpr int ID_BOARD_ZOOM_IN = 32922;
inline constexpr int ID_BOARD_ZOOM_OUT = 32923;
// Board
inline constexpr int ID_BOARD_KEEP = 32930;
inline constexpr int ID_BOARD_GO_AROUND = 32931;
inline constexpr int ID_BOARD_ADD_TEXT = 32932;
inline constexpr int ID_BOARD_ADD_PICTURE = 32933;
inline constexpr int ID_BOARD_DUPLICATE = 32934;
inline constexpr int ID_BOARD_PASTE = 32935;
inline constexpr int ID_BOARD_EDIT_TEXT = 32936;
// File, printing
inline constexpr int ID_BOARD_PRINT = 32905;
inline constexpr int ID_BOARD_PRINT_PREVIEW = 32906;
// Add Picture: the image library's categories and pictures
inline constexpr int IDD_BOARD_PICTURE = 321;
inline constexpr int IDC_PICTURE_CATEGORIES = 3211;
inline constexpr int IDC_PICTURE_LIST = 3212;
inline constexpr int IDC_PICTURE_FROM_FILE = 3213;
// Board > Rotate
inline constexpr int ID_BOARD_ROTATE_RIGHT = 32940;
inline constexpr int ID_BOARD_ROTATE_LEFT = 32941;
inline constexpr int ID_BOARD_ROTATE_RIGHT_FINE = 32942;
inline constexpr int ID_BOARD_ROTATE_LEFT_FINE = 32943;
inline constexpr int ID_BOARD_ROTATE_NONE = 32944;
