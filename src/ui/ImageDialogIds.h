// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Ids of the image library's two dialogs and their controls. A control's id
// is also its object name, so tests and scripts find it by number.

// imageimport
constexpr int IDD_IMAGEIMPORT = 112;
constexpr int IDC_EXISTING_CATEGORY_RADIO = 1078;
constexpr int IDC_CATEGORY_COMBO = 1082;
constexpr int IDC_NEW_CATEGORY_RADIO = 1015;
constexpr int IDC_NEW_CATEGORY_EDIT = 1081;
constexpr int IDC_IMPORT_FOLDER_EDIT = 1000;
constexpr int IDC_IMPORT_FOLDER_BUTTON = 1076;
constexpr int IDC_IMPORT_BUTTON = 1077;
constexpr int IDC_IMPORT_EXIT = 2;      // the dialog's cancel button
constexpr int IDC_REDUCE_LARGE = 1083;  // "Reduce large pictures"

// imageCategories
constexpr int IDD_IMAGECATEGORIES = 114;
constexpr int IDC_CATEGORY_LIST = 1096;
constexpr int IDC_SOURCES_IMPORT = 1098;
constexpr int IDC_SOURCES_REFRESH = 1097;
constexpr int IDC_SOURCES_SAVE = 1099;
constexpr int IDC_SOURCES_EXIT = 1;  // the dialog's OK button
