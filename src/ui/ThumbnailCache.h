// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QString>

#include <map>
#include <string>
#include <utility>
#include <vector>

// The thumbnails of each category kept in a file of the data folder, so the
// sources window does not decode the same pictures at every opening. Every
// thumbnail is kept with its picture's stamp (PictureStamp) and is only
// taken back for a picture with that stamp, so a changed category never
// shows an old thumbnail. A cache is a convenience: a folder that cannot be
// written or a damaged file is passed over without a word.
class ThumbnailCache {
public:
    // Stamp -> thumbnail; a null image stands for a picture that could not
    // be decoded.
    using Entries = std::map<std::string, QImage>;

    // `folder` is made on the first save.
    explicit ThumbnailCache(QString folder) : m_folder(std::move(folder)) {}

    QString FileFor(long categoryId) const;
    // What the category's file holds; empty when there is no usable file.
    Entries Load(long categoryId) const;
    // Replaces the category's file with `entries`, in their order. False
    // when it could not be written.
    bool Save(long categoryId, const std::vector<std::pair<std::string, QImage>>& entries) const;

private:
    QString m_folder;
};
