// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>

// Picture kinds that the library does not hold (a page shows GIF, JPEG, PNG
// and WebP only), known by their first bytes, so that an import can say what
// a file it leaves out is instead of passing over it without a word.

// Enough of a file's start to know its kind; an SVG may open with an XML
// declaration, comments and a document type before its <svg.
constexpr std::size_t kUntakenKindHeadBytes = 1024;

// "HEIC", "AVIF", "TIFF", "BMP", "SVG", "ICO", "JPEG XL", "PSD" and the like
// for a file starting with `bytes`; nullptr when they are no such picture.
const char* UntakenPictureKind(const unsigned char* bytes, std::size_t count);

// "HEIC pictures are not taken (GIF, JPEG, PNG and WebP are)".
std::string NotTakenReason(const char* kind);
