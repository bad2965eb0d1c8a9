// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The interface of the picture module (tarvex4-pictures.so), which decodes
// and reduces pictures with libvips. The module is loaded with dlopen only
// when a picture must be reduced: linking libvips costs every program start
// tens of milliseconds (it brings about a hundred shared libraries), and
// most runs never reduce anything.
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { TARVEX4_REDUCED_JPEG = 1, TARVEX4_REDUCED_PNG = 2 };

struct Tarvex4Reduced {
    unsigned char* bytes;  // the encoded picture, freed by tarvex4_free_reduced
    size_t count;
    int width;
    int height;
    int kind;           // TARVEX4_REDUCED_JPEG or TARVEX4_REDUCED_PNG
    char problem[256];  // why it failed, when the call returned 0
};

// Decodes the picture in `bytes` (upright by its EXIF orientation, the first
// frame of an animation), shrinks it so that its longest side is at most
// `maxSide` pixels and encodes it as JPEG, or as PNG when it has
// transparency, smaller and smaller until it takes at most `maxBytes`.
// Returns 1 and fills `out`, or 0 with out->problem set.
typedef int (*Tarvex4ReduceFunction)(const unsigned char* bytes, size_t count, int maxSide, size_t maxBytes,
                                     struct Tarvex4Reduced* out);
typedef void (*Tarvex4FreeFunction)(struct Tarvex4Reduced* out);

#define TARVEX4_REDUCE_SYMBOL "tarvex4_reduce_picture"
#define TARVEX4_FREE_SYMBOL "tarvex4_free_reduced"

#ifdef __cplusplus
}
#endif
