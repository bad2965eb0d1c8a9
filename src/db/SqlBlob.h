// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>
#include <string>

// A stored file as raw bytes or as its encoded text (see BlobCodec.h); each
// form is produced from the other on demand. Copies are deep.
class SqlBlob {
public:
    SqlBlob() = default;
    SqlBlob(const SqlBlob& other);
    SqlBlob& operator=(const SqlBlob& other);
    SqlBlob(SqlBlob&& other) noexcept;
    SqlBlob& operator=(SqlBlob&& other) noexcept;
    ~SqlBlob() = default;

    // Holds a copy of `length` raw bytes.
    void SetBytes(const unsigned char* bytes, int length);
    // Holds a copy of the encoded text (null counts as empty).
    void SetEncoded(const char* text);
    void SetEncoded(const std::string& text) { SetEncoded(text.c_str()); }

    // The encoded text (encoding the held bytes first if needed).
    const char* Encoded();
    int EncodedLength();
    // The raw bytes (decoding the held text first if needed). A malformed
    // text throws 1000 "Cannot decode binary" and stays held unchanged.
    const unsigned char* Bytes();
    int ByteCount();

private:
    void Allocate(std::size_t size);

    std::unique_ptr<unsigned char[]> m_buffer;
    int m_byteCount = 0;
    int m_bufferLength = 0;
    int m_encodedLength = 0;
    unsigned char m_encoded = 0;
};
