// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/PictureFormat.h"

#include <cstddef>
#include <string>

// Pictures over the import's size limit, made small enough to store: the
// picture module (tarvex4-pictures.so, libvips) is loaded on the first call
// only, so an import that reduces nothing never loads libvips.
class PictureReducer {
public:
    static constexpr int kMaxSide = 1600;

    struct Result {
        bool ok = false;
        std::string bytes;
        int width = 0;
        int height = 0;
        PictureKind kind = PictureKind::Unknown;
        std::string problem;  // why not, when !ok
    };

    // `modulePath` "" means PictureModulePath().
    explicit PictureReducer(std::string modulePath = {});

    // Longest side at most kMaxSide, JPEG (PNG with transparency), at most
    // `maxBytes` bytes.
    Result Reduce(const unsigned char* bytes, std::size_t count, std::size_t maxBytes);

private:
    bool Load(std::string& problem);

    std::string m_modulePath;
    void* m_reduce = nullptr;
    void* m_free = nullptr;
    std::string m_loadProblem;
    bool m_tried = false;
};

// Where the picture module is: $TARVEX4_PICTURES_MODULE when set, else beside
// the window program (the running program's folder when that is it).
std::string PictureModulePath();
