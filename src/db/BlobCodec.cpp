// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/BlobCodec.h"

#include <array>
#include <cstdint>

namespace blobcodec {

namespace {

constexpr unsigned char kEscape = 1;
constexpr unsigned char kQuote = 39;

using Counts = std::array<std::uint64_t, 256>;

// Four tables, so runs of one byte value do not wait on the same counter.
Counts CountBytes(const unsigned char* in, std::size_t count) {
    std::array<std::array<std::uint32_t, 256>, 4> partial{};
    Counts total{};
    std::size_t i = 0;
    while (i < count) {
        // Flush before any 32-bit counter could overflow.
        const std::size_t end = count - i > (1u << 30) ? i + (1u << 30) : count;
        for (; i + 4 <= end; i += 4) {
            ++partial[0][in[i]];
            ++partial[1][in[i + 1]];
            ++partial[2][in[i + 2]];
            ++partial[3][in[i + 3]];
        }
        for (; i < end; ++i) {
            ++partial[0][in[i]];
        }
        for (auto& table : partial) {
            for (int v = 0; v < 256; ++v) {
                total[v] += table[v];
            }
            table.fill(0);
        }
    }
    return total;
}

struct Offset {
    unsigned char value = 0;
    std::uint64_t escapes = 0;
};

// The offset whose shifted input needs the fewest escapes: bytes that land on
// 0, 1 or the quote after subtracting it. The first best candidate wins.
Offset ChooseOffset(const unsigned char* in, std::size_t count) {
    const Counts occurrences = CountBytes(in, count);
    Offset best{0, count};
    for (unsigned i = 1; i < 256; ++i) {
        if (i == kQuote) {
            continue;
        }
        const std::uint64_t sum = occurrences[i] + occurrences[(i + 1) & 0xff] + occurrences[(i + kQuote) & 0xff];
        if (sum < best.escapes) {
            best = {static_cast<unsigned char>(i), sum};
            if (sum == 0) {
                break;
            }
        }
    }
    return best;
}

// Escape code of each shifted value: 0 = written as itself.
constexpr std::array<unsigned char, 256> MakeEscapeCodes() {
    std::array<unsigned char, 256> codes{};
    codes[0] = 1;
    codes[1] = 2;
    codes[kQuote] = 3;
    return codes;
}
constexpr std::array<unsigned char, 256> kEscapeCodes = MakeEscapeCodes();

}  // namespace

std::size_t EncodedCapacity(std::size_t byteCount) { return byteCount / 254 * 257 + (byteCount % 254) * 257 / 254 + 3; }

std::size_t Encode(const unsigned char* in, std::size_t count, unsigned char* out) {
    if (count == 0) {
        out[0] = 'x';
        out[1] = 0;
        return 1;
    }
    const unsigned char offset = ChooseOffset(in, count).value;
    unsigned char* o = out;
    *o++ = offset;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char c = static_cast<unsigned char>(in[i] - offset);
        if (const unsigned char code = kEscapeCodes[c]; code != 0) {
            *o++ = kEscape;
            *o++ = code;
        } else {
            *o++ = c;
        }
    }
    *o = 0;
    return static_cast<std::size_t>(o - out);
}

std::size_t EncodeInPlace(unsigned char* buffer, std::size_t count) {
    if (count == 0) {
        return Encode(buffer, 0, buffer);
    }
    const Offset offset = ChooseOffset(buffer, count);
    const std::size_t length = 1 + count + static_cast<std::size_t>(offset.escapes);
    // Back to front: byte i is written at position i + 1 or later, so every
    // byte still to be read lies before everything written so far.
    buffer[length] = 0;
    unsigned char* o = buffer + length;
    for (std::size_t i = count; i-- > 0;) {
        const unsigned char c = static_cast<unsigned char>(buffer[i] - offset.value);
        if (const unsigned char code = kEscapeCodes[c]; code != 0) {
            *--o = code;
            *--o = kEscape;
        } else {
            *--o = c;
        }
    }
    *--o = offset.value;
    return length;
}

bool IsWellFormed(const unsigned char* in) {
    if (*in++ == 0) {
        return false;
    }
    for (unsigned char c; (c = *in++) != 0;) {
        if (c == kEscape) {
            c = *in++;
            if (c < 1 || c > 3) {
                return false;
            }
        }
    }
    return true;
}

long Decode(const unsigned char* in, unsigned char* out) {
    if (in[0] == 0) {
        return -1;  // not even the offset byte
    }
    const unsigned char offset = *in++;
    long written = 0;
    for (unsigned char c; (c = *in++) != 0;) {
        if (c == kEscape) {
            switch (*in++) {
                case 1: c = 0; break;
                case 2: c = 1; break;
                case 3: c = kQuote; break;
                default: return -1;  // includes an escape right before the end
            }
        }
        out[written++] = static_cast<unsigned char>(c + offset);
    }
    return written;
}

}  // namespace blobcodec
