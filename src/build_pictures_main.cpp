// SPDX-License-Identifier: GPL-3.0-or-later
// tarvex4_build_pictures OUT.cpp: draws the program's numbered bitmaps as
// this machine draws them and writes their pixels as a C++ source that the
// window program compiles in, so that its start shows them without loading
// the fonts they are lettered with.
#include "resources/Pictures.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ArrayOf(const QByteArray& bytes) {
    std::ostringstream out;
    for (int i = 0; i < bytes.size(); ++i) {
        out << (i % 24 == 0 ? "\n   " : "") << ' ' << int(static_cast<unsigned char>(bytes[i])) << ',';
    }
    return out.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvex4_build_pictures OUT.cpp\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    std::ostringstream source;
    source << "// Generated at build time by tarvex4_build_pictures; do not edit.\n"
              "#include \"app/BuiltPictures.h\"\n\nnamespace {\n";
    std::ostringstream table;
    int count = 0;
    for (int id : BitmapPictureIds()) {
        const QImage image = DrawBitmapPicture(id);
        if (image.isNull()) continue;
        // Stored as they are: the start wraps them without unpacking anything.
        const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        source << "const unsigned char kPicture" << id << "[] = {" << ArrayOf(pixels) << "\n};\n";
        table << "    {" << id << ", " << image.width() << ", " << image.height() << ", " << int(image.format())
              << ", kPicture" << id << ", " << pixels.size() << "},\n";
        ++count;
    }
    source << "\n}  // namespace\n\nconst BuiltPicture kBuiltPictures[] = {\n"
           << table.str() << "};\nconst int kBuiltPictureCount = " << count << ";\n";
    std::ofstream out(argv[1], std::ios::binary);
    out << source.str();
    if (!out.flush()) {
        std::fprintf(stderr, "tarvex4_build_pictures: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
