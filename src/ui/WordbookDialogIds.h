// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Templates and control ids of the author and wordbook dialogs.
#include "resources/ResourceIds.h"
#include "ui/StandardIds.h"

// Dialog templates.
inline constexpr int IDD_AUTHORS = 105;
inline constexpr int IDD_CUSTOMWAIT = 109;
inline constexpr int IDD_BOOKNAME = 110;

// authors (105)
inline constexpr int IDC_NEWPAGE = 1010;
inline constexpr int IDC_RENAME = 1011;
inline constexpr int IDC_DELETEFILE = 1012;
inline constexpr int IDC_AUTHORLIST = 1019;
inline constexpr int IDC_WORDBOOKLIST = 1020;

// bookname (110)
inline constexpr int IDC_NEWNAME = 1000;

// customwait (109)
inline constexpr int IDC_STOPLOAD = 1010;
inline constexpr int IDC_STARTLOAD = 1011;
inline constexpr int IDC_EXCLUDESHORT = 1066;
// The load's progress: bytes read of the file, and the entries stored.
inline constexpr int IDC_LOADPROGRESS = 1067;
inline constexpr int IDC_LOADCOUNT = 1068;
