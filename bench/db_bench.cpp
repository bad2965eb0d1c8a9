// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "db/SqlBlob.h"
#include "support/Random.h"

namespace {

constexpr int kPictureSize = 372000;

// Like a GIF: a header, then runs of palette indices broken by noise, so every
// byte value occurs and some offsets need escapes.
std::vector<unsigned char> PictureLikeBytes() {
    rng::Seed(1234);
    std::vector<unsigned char> bytes(kPictureSize);
    const char header[] = "GIF89a";
    std::memcpy(bytes.data(), header, 6);
    for (std::size_t i = 6; i < bytes.size();) {
        const unsigned char value = static_cast<unsigned char>(rng::Next() % 256);
        std::size_t run = 1 + static_cast<std::size_t>(rng::Next() % 8);
        for (; run > 0 && i < bytes.size(); --run) {
            bytes[i++] = value;
        }
    }
    return bytes;
}

void BM_BlobEncode(benchmark::State& state) {
    const std::vector<unsigned char> bytes = PictureLikeBytes();
    for (auto _ : state) {
        SqlBlob blob;
        blob.SetBytes(bytes.data(), kPictureSize);
        benchmark::DoNotOptimize(blob.Encoded());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kPictureSize);
}
BENCHMARK(BM_BlobEncode);

void BM_BlobDecode(benchmark::State& state) {
    const std::vector<unsigned char> bytes = PictureLikeBytes();
    SqlBlob source;
    source.SetBytes(bytes.data(), kPictureSize);
    const std::string text = source.Encoded();
    for (auto _ : state) {
        SqlBlob blob;
        blob.SetEncoded(text.c_str());
        benchmark::DoNotOptimize(blob.Bytes());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kPictureSize);
}
BENCHMARK(BM_BlobDecode);

}  // namespace
