// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/FontPreset.h"

FontChoice FontPresetFrom(const CharFormat& uniform) {
    FontChoice preset;
    if (uniform.Has(CharFormat::kFace)) preset.face = uniform.face;
    if (uniform.Has(CharFormat::kSize)) preset.pointSizeTenths = uniform.heightTwips / 2;
    if (uniform.Has(CharFormat::kColour)) preset.colour = uniform.textColour;
    preset.bold = uniform.Has(CharFormat::kBold) && uniform.bold;
    preset.italic = uniform.Has(CharFormat::kItalic) && uniform.italic;
    preset.underline = uniform.Has(CharFormat::kUnderline) && uniform.underline;
    return preset;
}
