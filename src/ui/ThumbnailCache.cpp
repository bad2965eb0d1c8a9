// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ThumbnailCache.h"

#include "support/SafeFile.h"
#include "ui/ThumbnailMaker.h"

#include <QDataStream>
#include <QFile>
#include <QIODevice>

namespace {

constexpr quint32 kMagic = 0x54565854;  // "TVXT"
// A new layout or thumbnail size makes old files unusable rather than wrong.
constexpr quint32 kLayout = 1;
constexpr qint32 kMostEntries = 64;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

}  // namespace

QString ThumbnailCache::FileFor(long categoryId) const {
    return m_folder + "/category-" + QString::number(categoryId) + ".thumbs";
}

ThumbnailCache::Entries ThumbnailCache::Load(long categoryId) const {
    QFile file(FileFor(categoryId));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QDataStream in(&file);
    in.setVersion(kStreamVersion);
    quint32 magic = 0, layout = 0;
    qint32 height = 0, count = 0;
    in >> magic >> layout >> height >> count;
    if (in.status() != QDataStream::Ok || magic != kMagic || layout != kLayout || height != thumbnails::kHeight ||
        count < 0 || count > kMostEntries) {
        return {};
    }
    Entries entries;
    for (qint32 i = 0; i < count; ++i) {
        QByteArray stamp;
        QImage image;
        in >> stamp >> image;
        if (in.status() != QDataStream::Ok) return {};
        entries[stamp.toStdString()] = image;
    }
    return entries;
}

bool ThumbnailCache::Save(long categoryId, const std::vector<std::pair<std::string, QImage>>& entries) const {
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(kStreamVersion);
        out << kMagic << kLayout << qint32(thumbnails::kHeight) << qint32(entries.size());
        for (const auto& [stamp, image] : entries) out << QByteArray::fromStdString(stamp) << image;
        if (out.status() != QDataStream::Ok) return false;
    }
    std::string problem;
    return MakeFolder(QFile::encodeName(m_folder).toStdString(), problem) &&
           WriteFileReplacing(QFile::encodeName(FileFor(categoryId)).toStdString(),
                              std::string_view(bytes.constData(), bytes.size()), problem);
}
