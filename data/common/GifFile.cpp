// SPDX-License-Identifier: GPL-3.0-or-later
#include "GifFile.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <cstring>
#include <memory>
#include <stdexcept>

namespace giffile {

namespace {

[[noreturn]] void Fail(const std::string& what, int error) {
    const char* text = GifErrorString(error);
    throw std::runtime_error(what + ": " + (text ? text : "GIF error"));
}

int PaletteBits(std::size_t colours) {
    int bits = 1;
    while ((std::size_t{1} << bits) < colours) ++bits;
    return bits;
}

struct MemoryReader {
    const std::string* bytes;
    std::size_t offset = 0;
};

int ReadMemory(GifFileType* gif, GifByteType* out, int length) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t left = reader->bytes->size() - reader->offset;
    const std::size_t n = std::min(left, static_cast<std::size_t>(length));
    std::memcpy(out, reader->bytes->data() + reader->offset, n);
    reader->offset += n;
    return static_cast<int>(n);
}

IndexedImage FromSlurped(GifFileType* gif, const std::string& what) {
    int error = 0;
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
        error = gif->Error;
        DGifCloseFile(gif, nullptr);
        Fail(what, error);
    }
    IndexedImage image;
    image.width = gif->SWidth;
    image.height = gif->SHeight;
    const SavedImage& frame = gif->SavedImages[0];
    const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    if (map)
        for (int i = 0; i < map->ColorCount; ++i)
            image.palette.push_back(static_cast<std::uint32_t>(map->Colors[i].Red) << 16 |
                                    static_cast<std::uint32_t>(map->Colors[i].Green) << 8 | map->Colors[i].Blue);
    GraphicsControlBlock gcb;
    if (DGifSavedExtensionToGCB(gif, 0, &gcb) == GIF_OK) image.transparentIndex = gcb.TransparentColor;
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    const GifImageDesc& d = frame.ImageDesc;
    for (int y = 0; y < d.Height; ++y)
        for (int x = 0; x < d.Width; ++x) {
            const int px = d.Left + x, py = d.Top + y;
            if (px < image.width && py < image.height)
                image.pixels[static_cast<std::size_t>(py) * image.width + px] =
                    frame.RasterBits[static_cast<std::size_t>(y) * d.Width + x];
        }
    DGifCloseFile(gif, &error);
    return image;
}

}  // namespace

void Write(const std::string& path, const IndexedImage& image) {
    if (image.palette.empty() || image.palette.size() > 256 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height)
        throw std::runtime_error(path + ": malformed palette picture");
    const int bits = PaletteBits(image.palette.size());
    std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> map(GifMakeMapObject(1 << bits, nullptr),
                                                                     GifFreeMapObject);
    for (std::size_t i = 0; i < image.palette.size(); ++i)
        map->Colors[i] =
            GifColorType{static_cast<GifByteType>(image.palette[i] >> 16),
                         static_cast<GifByteType>(image.palette[i] >> 8), static_cast<GifByteType>(image.palette[i])};
    int error = 0;
    // Readable by everyone, as delivered data must be: giflib's own open
    // makes the file 0600, and a file from an earlier build keeps its mode.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::fchmod(fd, 0644) != 0) {
        const int code = errno;
        if (fd >= 0) ::close(fd);
        throw std::runtime_error(path + ": " + std::strerror(code));
    }
    GifFileType* gif = EGifOpenFileHandle(fd, &error);
    if (!gif) {
        ::close(fd);
        Fail(path, error);
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, image.width, image.height, bits, 0, map.get()) == GIF_OK;
    if (ok && image.transparentIndex >= 0) {
        GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, image.transparentIndex};
        GifByteType extension[4];
        EGifGCBToExtension(&gcb, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height; ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(&image.pixels[static_cast<std::size_t>(y) * image.width]),
                         image.width) == GIF_OK;
    error = gif->Error;
    int closeError = 0;
    if (EGifCloseFile(gif, &closeError) != GIF_OK && ok) Fail(path, closeError);
    if (!ok) Fail(path, error);
}

IndexedImage Read(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) Fail(path, error);
    return FromSlurped(gif, path);
}

IndexedImage ReadFromMemory(const std::string& bytes) {
    MemoryReader reader{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, ReadMemory, &error);
    if (!gif) Fail("GIF in memory", error);
    return FromSlurped(gif, "GIF in memory");
}

}  // namespace giffile
