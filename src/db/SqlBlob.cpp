// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/SqlBlob.h"

#include <climits>
#include <cstring>
#include <new>
#include <utility>

#include "db/BlobCodec.h"
#include "db/CppSQLite3Exception.h"

namespace {

std::unique_ptr<unsigned char[]> NewBuffer(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        ThrowLayerError("Cannot allocate memory");
    }
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[size]);
    if (!buffer) {
        ThrowLayerError("Cannot allocate memory");
    }
    return buffer;
}

}  // namespace

SqlBlob::SqlBlob(const SqlBlob& other)
        : m_byteCount(other.m_byteCount),
          m_bufferLength(other.m_bufferLength),
          m_encodedLength(other.m_encodedLength),
          m_encoded(other.m_encoded) {
    if (other.m_buffer) {
        m_buffer = NewBuffer(static_cast<std::size_t>(other.m_bufferLength));
        std::memcpy(m_buffer.get(), other.m_buffer.get(), static_cast<std::size_t>(other.m_bufferLength));
    }
}

SqlBlob& SqlBlob::operator=(const SqlBlob& other) {
    if (this != &other) {
        SqlBlob copy(other);
        *this = std::move(copy);
    }
    return *this;
}

SqlBlob::SqlBlob(SqlBlob&& other) noexcept
        : m_buffer(std::move(other.m_buffer)),
          m_byteCount(std::exchange(other.m_byteCount, 0)),
          m_bufferLength(std::exchange(other.m_bufferLength, 0)),
          m_encodedLength(std::exchange(other.m_encodedLength, 0)),
          m_encoded(std::exchange(other.m_encoded, 0)) {}

SqlBlob& SqlBlob::operator=(SqlBlob&& other) noexcept {
    if (this != &other) {
        m_buffer = std::move(other.m_buffer);
        m_byteCount = std::exchange(other.m_byteCount, 0);
        m_bufferLength = std::exchange(other.m_bufferLength, 0);
        m_encodedLength = std::exchange(other.m_encodedLength, 0);
        m_encoded = std::exchange(other.m_encoded, 0);
    }
    return *this;
}

void SqlBlob::Allocate(std::size_t size) {
    m_buffer = NewBuffer(size);
    m_bufferLength = static_cast<int>(size);
}

void SqlBlob::SetBytes(const unsigned char* bytes, int length) {
    const std::size_t count = length > 0 && bytes ? static_cast<std::size_t>(length) : 0;
    // Room for the encoded form too, so a later Encoded() cannot fail on size.
    Allocate(blobcodec::EncodedCapacity(count));
    if (count > 0) {
        std::memcpy(m_buffer.get(), bytes, count);
    }
    m_byteCount = static_cast<int>(count);
    m_encodedLength = 0;
    m_encoded = 0;
}

void SqlBlob::SetEncoded(const char* text) {
    const std::size_t length = text ? std::strlen(text) : 0;
    Allocate(length + 1);
    if (length > 0) {
        std::memcpy(m_buffer.get(), text, length);
    }
    m_buffer[length] = 0;
    m_encodedLength = static_cast<int>(length);
    m_byteCount = 0;
    m_encoded = 1;
}

const char* SqlBlob::Encoded() {
    if (!m_encoded) {
        const std::size_t count = static_cast<std::size_t>(m_byteCount);
        const std::size_t capacity = blobcodec::EncodedCapacity(count);
        if (!m_buffer || static_cast<std::size_t>(m_bufferLength) < capacity) {
            // Decoded in place earlier: the buffer may be too small to grow into.
            std::unique_ptr<unsigned char[]> larger = NewBuffer(capacity);
            if (count > 0) {
                std::memcpy(larger.get(), m_buffer.get(), count);
            }
            m_buffer = std::move(larger);
            m_bufferLength = static_cast<int>(capacity);
        }
        m_encodedLength = static_cast<int>(blobcodec::EncodeInPlace(m_buffer.get(), count));
        m_encoded = 1;
    }
    return reinterpret_cast<const char*>(m_buffer.get());
}

int SqlBlob::EncodedLength() {
    Encoded();
    return m_encodedLength;
}

const unsigned char* SqlBlob::Bytes() {
    if (m_encoded) {
        // Checked first, so a malformed text stays held as it was.
        if (!blobcodec::IsWellFormed(m_buffer.get())) {
            ThrowLayerError("Cannot decode binary");
        }
        m_byteCount = static_cast<int>(blobcodec::Decode(m_buffer.get(), m_buffer.get()));
        m_encoded = 0;
    }
    return m_buffer.get();
}

int SqlBlob::ByteCount() {
    Bytes();
    return m_byteCount;
}
