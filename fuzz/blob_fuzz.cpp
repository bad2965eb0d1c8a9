// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "db/BlobCodec.h"
#include "db/CppSQLite3Exception.h"
#include "db/SqlBlob.h"

// Any text must either decode or be rejected; whatever decodes must encode
// to a text that decodes to the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // stops at a NUL inside
    SqlBlob blob;
    blob.SetEncoded(text.c_str());
    int count = 0;
    try {
        count = blob.ByteCount();
    } catch (const CppSQLite3Exception&) {
        return 0;
    }
    const std::string bytes(reinterpret_cast<const char*>(blob.Bytes()), static_cast<std::size_t>(count));

    SqlBlob again;
    again.SetBytes(reinterpret_cast<const unsigned char*>(bytes.data()), count);
    const char* encoded = again.Encoded();
    if (std::strchr(encoded, '\'') != nullptr) std::abort();
    SqlBlob back;
    back.SetEncoded(encoded);
    if (back.ByteCount() != count || std::memcmp(back.Bytes(), bytes.data(), bytes.size()) != 0) {
        std::abort();
    }
    return 0;
}
