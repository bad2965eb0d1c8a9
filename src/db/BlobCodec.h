// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>

// The byte-to-text encoding of files stored in text columns: a NUL-free
// text without single quotes, so it can be written as an SQL literal.
namespace blobcodec {

// Buffer size that holds the encoded form of `byteCount` bytes and its
// terminator: (n * 257) / 254 + 3. Computed without overflow.
std::size_t EncodedCapacity(std::size_t byteCount);

// Encodes `count` bytes into `out` (at least EncodedCapacity(count) bytes),
// NUL-terminates it and returns the length before the terminator.
std::size_t Encode(const unsigned char* in, std::size_t count, unsigned char* out);

// Encodes the `count` bytes at the start of `buffer` in place; the buffer
// must hold EncodedCapacity(count) bytes. Returns the encoded length.
std::size_t EncodeInPlace(unsigned char* buffer, std::size_t count);

// True when Decode would accept the NUL-terminated text.
bool IsWellFormed(const unsigned char* in);

// Decodes the NUL-terminated text `in` into `out` (which may be `in`
// itself; at most strlen(in) bytes are written). Returns the number of
// bytes, or -1 when the text is malformed (empty, or a bad escape).
long Decode(const unsigned char* in, unsigned char* out);

}  // namespace blobcodec
