// SPDX-License-Identifier: GPL-3.0-or-later
// The sources window over a library of 20 categories of 8 photos each
// (1600 x 1200 JPEGs of about 200 KB, offscreen): how long until the window
// is up, and until every thumbnail strip is filled, with no thumbnail cache
// (first opening) and with the cache the first opening left.
#include "db/SqlBlob.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "ui/imageCategories.h"
#include "support/ConsoleUserInterface.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

constexpr int kCategories = 20;
constexpr int kPicturesEach = 8;

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_sources";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A photo-like picture: soft gradients with some grain.
QByteArray Photo(int seed) {
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 1600, 1200);
    gradient.setColorAt(0, QColor::fromHsv(seed * 37 % 360, 160, 230));
    gradient.setColorAt(1, QColor::fromHsv(seed * 91 % 360, 200, 90));
    painter.fillRect(image.rect(), gradient);
    QRandomGenerator random(static_cast<quint32>(seed));
    for (int i = 0; i < 400; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate()));
        painter.drawEllipse(QPoint(random.bounded(1600), random.bounded(1200)), 20, 20);
    }
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(80);
    writer.write(image);
    return bytes;
}

const std::string& Library() {
    static const std::string folder = [] {
        const std::string path = (std::filesystem::temp_directory_path() / "tarvex4-bench-sources").string();
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        SqlDatabase db;
        db.Open(wordsdb::DatabasePath(path));
        for (const auto& table : wordsdb::DeliveredTables()) db.Execute(table.createStatement);
        std::vector<std::string> photos;
        std::size_t total = 0;
        for (int i = 0; i < kCategories; ++i) {
            SqlBlob blob;
            const QByteArray bytes = Photo(i);
            total += static_cast<std::size_t>(bytes.size());
            blob.SetBytes(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<int>(bytes.size()));
            photos.emplace_back(blob.Encoded());
        }
        std::fprintf(stderr, "photos: 1600x1200 JPEG, %zu KB on average\n", total / kCategories / 1024);
        db.Execute("BEGIN");
        for (int c = 0; c < kCategories; ++c) {
            db.Execute(wordsdb::InsertCategory("category " + std::to_string(c + 1)));
            for (int p = 0; p < kPicturesEach; ++p) {
                const std::string& photo = photos[static_cast<std::size_t>((c + p) % kCategories)];
                db.Execute(wordsdb::InsertImage(std::to_string(c + 1), "photo.jpg", "1600", "1200", photo.c_str()));
            }
        }
        db.Execute("COMMIT");
        return path;
    }();
    return folder;
}

enum class Cache { Cold, Warm };

// Opens the window and waits until it is up (`toStrips` false) or until
// every strip is filled.
void Open(benchmark::State& state, Cache cache, bool toStrips) {
    App();
    const std::string folder = Library();
    ConsoleUserInterface ui(std::cerr);
    {
        imageCategories warmUp(wordsdb::DatabasePath(folder), ui);
        warmUp.OnInitDialog();
        warmUp.show();
        while (!warmUp.ThumbnailsReady()) QCoreApplication::processEvents();
    }
    int decoded = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (cache == Cache::Cold) std::filesystem::remove_all(folder + "/thumbnails");
        state.ResumeTiming();
        imageCategories dialog(wordsdb::DatabasePath(folder), ui);
        dialog.OnInitDialog();
        dialog.show();
        QCoreApplication::processEvents();  // the first paint
        if (toStrips) {
            while (!dialog.ThumbnailsReady()) QCoreApplication::processEvents();
            decoded = dialog.PicturesDecoded();
        }
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
    if (toStrips) state.counters["decoded"] = decoded;
}

void BM_WindowUp(benchmark::State& state) { Open(state, Cache::Warm, false); }
void BM_StripsFilledWithoutCache(benchmark::State& state) { Open(state, Cache::Cold, true); }
void BM_StripsFilledFromCache(benchmark::State& state) { Open(state, Cache::Warm, true); }

BENCHMARK(BM_WindowUp)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StripsFilledWithoutCache)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StripsFilledFromCache)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
