// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "db/SqlDatabase.h"
#include "images/CategoryPictures.h"
#include "ui/ThumbnailCache.h"

#include <QImage>
#include <QList>
#include <QTimer>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Makes the thumbnail strips of the sources window one small piece of work
// per turn of the event loop (one category's cache, or one picture), so the
// window answers at once however large the library is. Each strip is handed
// on as it grows; a finished category is written to the cache.
class ThumbnailFiller {
public:
    struct Category {
        long id = 0;
        std::vector<long> pictureIds;
    };
    // Called with the category's ID and its strip so far (a null image is a
    // picture that could not be decoded).
    using StripChanged = std::function<void(long categoryId, const QList<QImage>& strip)>;

    ThumbnailFiller(std::string databasePath, QString cacheFolder, StripChanged stripChanged);

    // Starts over with these categories, in this order; what was left of an
    // earlier start is dropped.
    void Start(std::vector<Category> categories);
    // Holds the work while the window is hidden, and takes it up again.
    void Pause() { m_timer.stop(); }
    void Resume() {
        if (!Done()) m_timer.start();
    }
    bool Done() const { return m_queue.empty() && !m_current.has_value(); }
    // Pictures decoded since the last start (those taken from the cache are
    // not counted).
    int Decoded() const { return m_decoded; }

private:
    struct Work {
        long categoryId = 0;
        std::vector<PictureStamp> stamps;
        QList<QImage> thumbnails;  // one per stamp
        std::vector<bool> made;    // per stamp: from the cache or decoded
        std::size_t next = 0;      // the strip is ready up to here
        bool cacheCurrent = true;  // the file holds exactly these thumbnails
        // Open while the category's pictures are read, one at a time.
        std::unique_ptr<SqlDatabase> db;
    };

    void Step();
    void BeginCategory(const Category& category);
    void DecodeNext();
    // The stored picture `id`; none when it is gone or the library cannot be read.
    std::optional<StoredPicture> ReadPicture(long id);
    void SkipMade();
    void Finish();
    void Report() const;

    std::string m_databasePath;
    ThumbnailCache m_cache;
    StripChanged m_stripChanged;
    QTimer m_timer;
    std::deque<Category> m_queue;
    std::optional<Work> m_current;
    int m_decoded = 0;
};
