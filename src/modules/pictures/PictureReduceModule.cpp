// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4-pictures.so: reduces a picture with libvips (see PictureReduce.h).
#include "modules/pictures/PictureReduce.h"

#include <vips/vips.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

namespace {

// JPEG qualities tried in turn before the picture is made smaller.
constexpr int kQualities[] = {82, 68, 52};
constexpr double kShrinkStep = 0.75;
constexpr int kSmallestSide = 16;

void SetProblem(Tarvex4Reduced* out, const char* text) { std::snprintf(out->problem, sizeof out->problem, "%s", text); }

// libvips' own message for the last failure, first line only.
void SetVipsProblem(Tarvex4Reduced* out) {
    std::string text = vips_error_buffer();
    vips_error_clear();
    const std::size_t end = text.find('\n');
    if (end != std::string::npos) text.resize(end);
    SetProblem(out, text.empty() ? "the picture could not be decoded" : text.c_str());
}

bool Started() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        started = VIPS_INIT("tarvex4") == 0;
        // Decoding problems come back as the call's problem; libvips' own
        // warnings on stderr would only repeat them, tile by tile.
        g_log_set_handler(
            "VIPS", static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
            [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
        // Each picture is decoded once: a cache would only hold memory.
        if (started) vips_cache_set_max(0);
    });
    return started;
}

// Encodes `image`; true when it worked (the bytes may still be too many).
bool Encode(VipsImage* image, bool png, int quality, void** bytes, size_t* count) {
    if (png) return vips_pngsave_buffer(image, bytes, count, "compression", 6, "strip", TRUE, nullptr) == 0;
    return vips_jpegsave_buffer(image, bytes, count, "Q", quality, "strip", TRUE, nullptr) == 0;
}

// One encoding of `image`; true when it fits in `maxBytes` (then `out`
// holds it). `failed` tells an encoder failure from a result too large.
bool EncodeFits(VipsImage* image, bool png, int quality, size_t maxBytes, Tarvex4Reduced* out, bool& failed) {
    void* bytes = nullptr;
    size_t count = 0;
    if (!Encode(image, png, quality, &bytes, &count)) {
        failed = true;
        return false;
    }
    if (count > maxBytes) {
        g_free(bytes);
        return false;
    }
    out->bytes = static_cast<unsigned char*>(bytes);
    out->count = count;
    return true;
}

// Tries the encodings of `image` in turn from the `first`; true with the
// first that fits.
bool EncodeToFit(VipsImage* image, bool png, size_t maxBytes, Tarvex4Reduced* out, bool& failed, int first) {
    const int tries = png ? 1 : static_cast<int>(sizeof kQualities / sizeof kQualities[0]);
    for (int i = first; i < tries && !failed; ++i) {
        if (EncodeFits(image, png, kQualities[i], maxBytes, out, failed)) return true;
    }
    return false;
}

// The picture at most `maxSide` pixels on its longest side, upright. The
// loader shrinks while it decodes where the format allows (JPEG, WebP),
// which is what keeps a large photo fast and small in memory; the result can
// be read once.
VipsImage* Thumbnail(const unsigned char* bytes, size_t count, int maxSide, Tarvex4Reduced* out) {
    VipsImage* image = nullptr;
    if (vips_thumbnail_buffer(const_cast<unsigned char*>(bytes), count, &image, maxSide, "height", maxSide, "size",
                              VIPS_SIZE_DOWN, "fail_on", VIPS_FAIL_ON_TRUNCATED, nullptr) != 0) {
        SetVipsProblem(out);
        return nullptr;
    }
    return image;
}

void Done(VipsImage* image, bool png, Tarvex4Reduced* out) {
    out->width = vips_image_get_width(image);
    out->height = vips_image_get_height(image);
    out->kind = png ? TARVEX4_REDUCED_PNG : TARVEX4_REDUCED_JPEG;
    g_object_unref(image);
}

int Reduce(const unsigned char* bytes, size_t count, int maxSide, size_t maxBytes, Tarvex4Reduced* out) {
    VipsImage* image = Thumbnail(bytes, count, maxSide, out);
    if (image == nullptr) return 0;
    const bool png = vips_image_hasalpha(image);
    // Most pictures fit at the first encoding, made straight from the
    // loader as it decodes.
    bool failed = false;
    if (EncodeFits(image, png, kQualities[0], maxBytes, out, failed) || failed) {
        if (failed) {
            SetVipsProblem(out);
            g_object_unref(image);
            return 0;
        }
        Done(image, png, out);
        return 1;
    }
    g_object_unref(image);
    // Decoded again and held in memory (at most maxSide x maxSide pixels):
    // the tries below read it again and again.
    image = Thumbnail(bytes, count, maxSide, out);
    if (image == nullptr) return 0;
    VipsImage* held = vips_image_copy_memory(image);
    g_object_unref(image);
    if (held == nullptr) {
        SetVipsProblem(out);
        return 0;
    }
    image = held;
    for (int first = 1;; first = 0) {
        if (EncodeToFit(image, png, maxBytes, out, failed, first)) break;
        if (failed) {
            SetVipsProblem(out);
            g_object_unref(image);
            return 0;
        }
        VipsImage* smaller = nullptr;
        if (vips_image_get_width(image) * kShrinkStep < kSmallestSide ||
            vips_image_get_height(image) * kShrinkStep < kSmallestSide) {
            SetProblem(out, "it cannot be made small enough");
            g_object_unref(image);
            return 0;
        }
        if (vips_resize(image, &smaller, kShrinkStep, nullptr) != 0) {
            SetVipsProblem(out);
            g_object_unref(image);
            return 0;
        }
        g_object_unref(image);
        image = smaller;
    }
    Done(image, png, out);
    return 1;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int tarvex4_reduce_picture(const unsigned char* bytes, size_t count,
                                                                             int maxSide, size_t maxBytes,
                                                                             Tarvex4Reduced* out) {
    std::memset(out, 0, sizeof *out);
    if (!Started()) {
        SetProblem(out, "libvips could not be started");
        return 0;
    }
    return Reduce(bytes, count, maxSide, maxBytes, out);
}

extern "C" __attribute__((visibility("default"))) void tarvex4_free_reduced(Tarvex4Reduced* out) {
    g_free(out->bytes);
    out->bytes = nullptr;
    out->count = 0;
}
