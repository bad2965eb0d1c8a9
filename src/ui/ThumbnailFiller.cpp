// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ThumbnailFiller.h"

#include "db/SqlDatabase.h"
#include "ui/ThumbnailMaker.h"

ThumbnailFiller::ThumbnailFiller(std::string databasePath, QString cacheFolder, StripChanged stripChanged)
        : m_databasePath(std::move(databasePath)),
          m_cache(std::move(cacheFolder)),
          m_stripChanged(std::move(stripChanged)) {
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { Step(); });
}

void ThumbnailFiller::Start(std::vector<Category> categories) {
    m_queue.assign(categories.begin(), categories.end());
    m_current.reset();
    m_decoded = 0;
    if (m_queue.empty()) {
        m_timer.stop();
    } else {
        m_timer.start();
    }
}

void ThumbnailFiller::Step() {
    if (m_current.has_value()) {
        DecodeNext();
    } else if (!m_queue.empty()) {
        const Category category = m_queue.front();
        m_queue.pop_front();
        try {
            BeginCategory(category);
        } catch (const CppSQLite3Exception&) {
            // The list itself reports database trouble; a strip just stays empty.
            m_current.reset();
        }
    }
    if (Done()) m_timer.stop();
}

void ThumbnailFiller::BeginCategory(const Category& category) {
    Work work;
    work.db = std::make_unique<SqlDatabase>(SqlDatabase::OpenMode::ExistingOnly);
    work.db->Open(m_databasePath);
    work.categoryId = category.id;
    work.stamps = StampPictures(*work.db, category.pictureIds);
    const ThumbnailCache::Entries cached = m_cache.Load(category.id);
    bool missing = false;
    for (const PictureStamp& stamp : work.stamps) {
        const auto found = cached.find(stamp.stamp);
        work.made.push_back(found != cached.end());
        work.thumbnails.append(found != cached.end() ? found->second : QImage());
        missing = missing || found == cached.end();
    }
    work.cacheCurrent = !missing && cached.size() == work.stamps.size();
    m_current = std::move(work);
    SkipMade();
    if (m_current->next == m_current->stamps.size()) Finish();
}

void ThumbnailFiller::SkipMade() {
    while (m_current->next < m_current->made.size() && m_current->made[m_current->next]) ++m_current->next;
}

std::optional<StoredPicture> ThumbnailFiller::ReadPicture(long id) {
    try {
        std::vector<StoredPicture> read = ReadPictures(*m_current->db, {id});
        if (!read.empty()) return std::move(read.front());
    } catch (const CppSQLite3Exception&) {}
    return std::nullopt;
}

void ThumbnailFiller::DecodeNext() {
    Work& work = *m_current;
    // One picture's bytes at a time: a category may hold thousands of large ones.
    const std::optional<StoredPicture> picture = ReadPicture(work.stamps[work.next].id);
    // A picture gone since its stamp was read, or one that cannot be read,
    // keeps the null image: a placeholder.
    if (picture && picture->readable) {
        const std::string& bytes = picture->bytes;
        work.thumbnails[static_cast<qsizetype>(work.next)] =
            thumbnails::MakeThumbnail(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    ++m_decoded;
    work.made[work.next] = true;
    SkipMade();
    if (work.next == work.stamps.size()) {
        Finish();
    } else {
        Report();
    }
}

void ThumbnailFiller::Report() const {
    m_stripChanged(m_current->categoryId, m_current->thumbnails.first(static_cast<qsizetype>(m_current->next)));
}

void ThumbnailFiller::Finish() {
    Report();
    const Work& work = *m_current;
    if (!work.cacheCurrent) {
        std::vector<std::pair<std::string, QImage>> entries;
        for (std::size_t i = 0; i < work.stamps.size(); ++i) {
            entries.emplace_back(work.stamps[i].stamp, work.thumbnails[static_cast<qsizetype>(i)]);
        }
        m_cache.Save(work.categoryId, entries);
    }
    m_current.reset();
}
