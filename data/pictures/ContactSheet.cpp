// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContactSheet.h"

#include "common/GifFile.h"
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"

#include <QImage>
#include <QPainter>

#include <stdexcept>

namespace contactsheet {

namespace {

QImage ToQImage(const giffile::IndexedImage& gif) {
    QImage image(gif.width, gif.height, QImage::Format_ARGB32);
    for (int y = 0; y < gif.height; ++y)
        for (int x = 0; x < gif.width; ++x) {
            const int i = gif.pixels[static_cast<std::size_t>(y) * gif.width + x];
            const bool clear = i == gif.transparentIndex || i >= int(gif.palette.size());
            image.setPixel(x, y, clear ? 0u : (0xFF000000u | gif.palette[static_cast<std::size_t>(i)]));
        }
    return image;
}

QImage Spell(const std::string& folder, const std::string& text) {
    std::vector<QImage> letters;
    int width = 0, height = 0;
    for (char c : text) {
        const std::string name = (c >= 'a' && c <= 'z') ? std::string(1, c) : std::string("space");
        letters.push_back(ToQImage(giffile::Read(folder + "/" + name + ".gif")));
        width += letters.back().width();
        height = std::max(height, letters.back().height());
    }
    QImage line(width, height, QImage::Format_ARGB32);
    line.fill(Qt::transparent);
    QPainter p(&line);
    int x = 0;
    for (const QImage& l : letters) {
        p.drawImage(x, 0, l);
        x += l.width();
    }
    return line;
}

void Save(const QImage& image, const std::string& path) {
    if (!image.save(QString::fromStdString(path), "PNG")) throw std::runtime_error("cannot write " + path);
}

void LetterSheet(const std::string& artfonts, const std::string& out) {
    const char* const sets[] = {"stampkit", "ransomnote", "lcd", "metal"};
    const char* const lines[] = {"abcdefghijklm", "nopqrstuvwxyz", "cut up the words"};
    std::vector<QImage> rows;
    int width = 0, height = 0;
    for (const char* set : sets)
        for (const char* line : lines) {
            rows.push_back(Spell(artfonts + "/" + set, line));
            width = std::max(width, rows.back().width());
            height += rows.back().height() + 6;
        }
    QImage sheet(width + 20, height + 20, QImage::Format_RGB32);
    sheet.fill(QColor(192, 192, 192));
    QPainter p(&sheet);
    int y = 10;
    for (const QImage& row : rows) {
        p.drawImage(10, y, row);
        y += row.height() + 6;
    }
    p.end();
    Save(sheet, out + "-letters.png");
}

void LibrarySheet(const std::string& databasePath, const std::string& out) {
    constexpr int kCell = 150, kColumns = 8;
    SqlDatabase db;
    db.Open(databasePath);
    std::vector<std::pair<std::string, QImage>> pictures;
    for (SqlQuery q = db.Query("SELECT CATEGORY,FILENAME,WIDTH,HEIGHT,FILESTORE FROM imagelibrary ORDER BY ID");
         !q.IsEof(); q.NextRow()) {
        SqlBlob blob;
        blob.SetEncoded(q.FieldText(4));
        const std::string bytes(reinterpret_cast<const char*>(blob.Bytes()),
                                static_cast<std::size_t>(blob.ByteCount()));
        const std::string label =
            std::string(q.FieldText(0)) + " " + q.FieldText(1) + " " + q.FieldText(2) + "x" + q.FieldText(3);
        pictures.emplace_back(label, ToQImage(giffile::ReadFromMemory(bytes)));
    }
    db.Close();
    const int rows = (int(pictures.size()) + kColumns - 1) / kColumns;
    QImage sheet(kColumns * kCell, rows * (kCell + 16), QImage::Format_RGB32);
    sheet.fill(QColor(192, 192, 192));
    QPainter p(&sheet);
    QFont small = p.font();
    small.setPixelSize(10);
    p.setFont(small);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const int x = int(i % kColumns) * kCell, y = int(i / kColumns) * (kCell + 16);
        const QImage thumb =
            pictures[i].second.scaled(kCell - 8, kCell - 8, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawImage(x + (kCell - thumb.width()) / 2, y + 4 + (kCell - 8 - thumb.height()) / 2, thumb);
        p.drawText(QRect(x, y + kCell - 2, kCell, 16), Qt::AlignCenter, QString::fromStdString(pictures[i].first));
    }
    p.end();
    Save(sheet, out + "-library.png");
}

}  // namespace

void Write(const std::string& artfontsFolder, const std::string& databasePath, const std::string& outPrefix) {
    LetterSheet(artfontsFolder, outPrefix);
    LibrarySheet(databasePath, outPrefix);
}

}  // namespace contactsheet
