// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "resources/Pictures.h"

// The numbered bitmaps as drawn when the program was built (a source the
// build generates); the window program's start hands them to BitmapPicture.
extern const BuiltPicture kBuiltPictures[];
extern const int kBuiltPictureCount;
