// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "db/BlobCodec.h"
#include "db/CppSQLite3Exception.h"
#include "db/SqlBlob.h"
#include "support/Random.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::string EncodedOf(const Bytes& bytes) {
    SqlBlob blob;
    blob.SetBytes(bytes.data(), static_cast<int>(bytes.size()));
    return std::string(blob.Encoded(), static_cast<std::size_t>(blob.EncodedLength()));
}

Bytes Decoded(const std::string& text) {
    SqlBlob blob;
    blob.SetEncoded(text);
    const int count = blob.ByteCount();
    return Bytes(blob.Bytes(), blob.Bytes() + count);
}

Bytes RandomBytes(std::size_t count, int distinct) {
    Bytes bytes(count);
    for (auto& b : bytes) {
        b = static_cast<unsigned char>(rng::Next() % distinct);
    }
    return bytes;
}

void ExpectRoundTrip(const Bytes& bytes) {
    const std::string text = EncodedOf(bytes);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(text.find('\''), std::string::npos);
    EXPECT_LE(text.size() + 1, blobcodec::EncodedCapacity(bytes.size()));
    // Encoding into a separate buffer gives the same text as in place.
    std::vector<unsigned char> out(blobcodec::EncodedCapacity(bytes.size()));
    EXPECT_EQ(blobcodec::Encode(bytes.data(), bytes.size(), out.data()), text.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.data())), text);
    EXPECT_EQ(Decoded(text), bytes);
}

void ExpectMalformed(const std::string& text) {
    SqlBlob blob;
    blob.SetEncoded(text);
    try {
        blob.Bytes();
        FAIL() << "decoded a malformed text";
    } catch (const CppSQLite3Exception& e) {
        EXPECT_STREQ(e.Message(), "CPPSQLITE_ERROR[1000]: Cannot decode binary");
    }
}

}  // namespace

TEST(BlobEncoding, SmallInputsGiveKnownTexts) {
    EXPECT_EQ(EncodedOf({}), "x");
    EXPECT_EQ(EncodedOf({0}), std::string("\x01\xff"));
    // Candidate 1 counts the byte 1 itself, so 2 is the first offset with no hits.
    EXPECT_EQ(EncodedOf({1}), std::string("\x02\xff"));
    EXPECT_TRUE(Decoded("x").empty());
}

TEST(BlobEncoding, EscapesZeroOneAndQuoteAfterTheOffset) {
    // Every candidate offset has a hit here, so some escapes are unavoidable.
    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    const std::string text = EncodedOf(all);
    const unsigned char offset = static_cast<unsigned char>(text[0]);
    EXPECT_EQ(offset, 1);
    EXPECT_EQ(text.size(), 1 + 256 + 3u);
    // Byte e -> 1 1, e+1 -> 1 2, e+39 -> 1 3.
    EXPECT_EQ(text.substr(1 + offset, 2), std::string("\x01\x01"));
    EXPECT_EQ(text.substr(1 + offset + 2, 2), std::string("\x01\x02"));
    EXPECT_EQ(Decoded(text), all);

    EXPECT_EQ(Decoded(std::string("\x05\x01\x01\x01\x02\x01\x03", 7)), (Bytes{5, 6, 44}));
}

TEST(BlobEncoding, RoundTripsAnyBytes) {
    rng::Seed(7);
    for (int value = 0; value < 256; ++value) {
        ExpectRoundTrip({static_cast<unsigned char>(value)});
        ExpectRoundTrip(Bytes(300, static_cast<unsigned char>(value)));
    }
    for (std::size_t size : {2u, 3u, 254u, 255u, 1000u, 65536u, 372000u}) {
        ExpectRoundTrip(RandomBytes(size, 256));
        ExpectRoundTrip(RandomBytes(size, 40));  // small alphabet: many escapes
    }
}

TEST(BlobEncoding, MalformedTextsThrow) {
    ExpectMalformed(std::string("\x05\x01\x04", 3));
    ExpectMalformed(std::string("\x05\x61\x01", 3));  // escape at the very end
    ExpectMalformed(std::string("\x05\x01\xff", 3));
    ExpectMalformed("");  // not even an offset byte
}

TEST(SqlBlob, FailedDecodeKeepsTheText) {
    SqlBlob blob;
    blob.SetEncoded(std::string("\x05\x01\x04", 3));
    EXPECT_THROW(blob.Bytes(), CppSQLite3Exception);
    EXPECT_EQ(std::string(blob.Encoded()), std::string("\x05\x01\x04", 3));
    EXPECT_THROW(blob.ByteCount(), CppSQLite3Exception);
}

TEST(SqlBlob, SwitchesFormsAndCopiesDeeply) {
    const Bytes picture = {'G', 'I', 'F', 0, 1, 39, 255, 0};
    SqlBlob blob;
    blob.SetBytes(picture.data(), static_cast<int>(picture.size()));
    const std::string text = blob.Encoded();

    SqlBlob copy(blob);  // holds text
    EXPECT_EQ(copy.ByteCount(), 8);
    EXPECT_EQ(Bytes(copy.Bytes(), copy.Bytes() + 8), picture);
    EXPECT_EQ(std::string(blob.Encoded()), text);  // the original is untouched
    EXPECT_EQ(std::string(copy.Encoded()), text);  // and back again

    SqlBlob assigned;
    assigned = copy;
    SqlBlob moved(std::move(copy));
    EXPECT_EQ(std::string(moved.Encoded()), text);
    EXPECT_EQ(assigned.ByteCount(), 8);

    SqlBlob empty;
    EXPECT_EQ(empty.ByteCount(), 0);
    EXPECT_STREQ(empty.Encoded(), "x");
    SqlBlob negative;
    negative.SetBytes(picture.data(), -3);
    EXPECT_STREQ(negative.Encoded(), "x");
}

TEST(SqlBlob, SetEncodedCopiesTheText) {
    std::string text = EncodedOf({10, 20, 30});
    SqlBlob blob;
    blob.SetEncoded(text.c_str());
    text.assign(text.size(), 'z');
    EXPECT_EQ(Bytes(blob.Bytes(), blob.Bytes() + blob.ByteCount()), (Bytes{10, 20, 30}));
}
