// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

namespace collage {

// An item's kind as the export's boxes and go's JSON name it.
inline const char* KindName(ItemKind kind) {
    switch (kind) {
        case ItemKind::kPicture: return "picture";
        case ItemKind::kLetters: return "letters";
        case ItemKind::kText: break;
    }
    return "text";
}

}  // namespace collage
