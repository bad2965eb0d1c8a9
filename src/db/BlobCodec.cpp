#include "db/BlobCodec.h"

#include <array>

namespace blobcodec {

namespace {

constexpr unsigned char kEscape = 1;
constexpr unsigned char kQuote = 39;

// The offset whose shifted input needs the fewest escapes: bytes that land on
// 0, 1 or the quote after subtracting it. The first best candidate wins.
unsigned char ChooseOffset(const unsigned char* in, std::size_t count) {
    std::array<std::size_t, 256> occurrences{};
    for (std::size_t i = 0; i < count; ++i) {
        ++occurrences[in[i]];
    }
    std::size_t best = count;
    unsigned char offset = 0;
    for (unsigned i = 1; i < 256; ++i) {
        if (i == kQuote) {
            continue;
        }
        const std::size_t sum = occurrences[i] + occurrences[(i + 1) & 0xff] +
                                occurrences[(i + kQuote) & 0xff];
        if (sum < best) {
            best = sum;
            offset = static_cast<unsigned char>(i);
            if (sum == 0) {
                break;
            }
        }
    }
    return offset;
}

}  // namespace

std::size_t EncodedCapacity(std::size_t byteCount) { return byteCount * 257 / 254 + 3; }

std::size_t Encode(const unsigned char* in, std::size_t count, unsigned char* out) {
    if (count == 0) {
        out[0] = 'x';
        out[1] = 0;
        return 1;
    }
    const unsigned char offset = ChooseOffset(in, count);
    unsigned char* o = out;
    *o++ = offset;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char c = static_cast<unsigned char>(in[i] - offset);
        if (c == 0 || c == 1 || c == kQuote) {
            *o++ = kEscape;
            *o++ = c == 0 ? 1 : c == 1 ? 2 : 3;
        } else {
            *o++ = c;
        }
    }
    *o = 0;
    return static_cast<std::size_t>(o - out);
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
