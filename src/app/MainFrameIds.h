// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Commands of the frame's menu and accelerator keys. The standard commands
// keep the numbers the framework gave them.

// File
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_IMPORT_IMAGES = 32782;
inline constexpr int ID_APP_EXIT = 57665;
// Sessions, below the menu's stored items.
inline constexpr int ID_FILE_SAVE_SESSION = 32800;
inline constexpr int ID_FILE_OPEN_SESSION = 32801;
inline constexpr int ID_FILE_EXPORT_COLLAGE = 32802;
inline constexpr int ID_FILE_EXPORT_BOOK = 32803;

// The cut-up board: File > Open Board..., View > Cut-up Board and its GO check.
inline constexpr int ID_FILE_OPEN_BOARD = 32810;
inline constexpr int ID_VIEW_BOARD = 32811;
inline constexpr int ID_VIEW_GO_ON_BOARD = 32812;

// The words of the last GO: Edit > "Copy Cut-up as Text", View > "Mark
// Sources in Page" and "Last Mix".
inline constexpr int ID_EDIT_COPY_CUTUP_TEXT = 32820;
inline constexpr int ID_VIEW_MARK_SOURCES = 32821;
inline constexpr int ID_VIEW_LAST_MIX = 32822;

// Edit
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_PASTE = 57637;

// Help
inline constexpr int ID_HELP_USER_GUIDE = 32772;

// Keys only: F6 and Shift+F6 move between panes, which the frame has not.
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
