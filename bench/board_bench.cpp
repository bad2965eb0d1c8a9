// SPDX-License-Identifier: GPL-3.0-or-later
// The cut-up board: opening a 60-item page (read, lay out, first paint) and
// the frame of one item moved, or turned by its knob, by the mouse on a
// 300-item board.
#include "page/CollageModel.h"
#include "ui/BoardItem.h"
#include "ui/BoardView.h"
#include "ui/CollageBoard.h"
#include "ui/RotateHandle.h"
#include "support/ConsoleUserInterface.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <fstream>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "bench_board";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A page of `count` items like a GO's: two text snips to a picture.
std::string WriteBenchPage(int count) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tarvex4-board-bench";
    std::filesystem::create_directories(folder);
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(QString::fromStdString((folder / "picture.png").string()));
    collage::Collage page;
    page.background = 0xC0E0FF;
    for (int i = 0; i < count; ++i) {
        collage::Item item;
        item.number = i;
        item.left = (i * 97) % 700;
        item.top = (i * 53) % 1000;
        item.z = i + 1;
        if (i % 3 == 2) {
            item.kind = collage::ItemKind::kPicture;
            item.width = 120;
            item.height = 90;
            item.file = "picture.png";
        } else {
            item.width = 150 + (i % 5) * 20;
            item.fontSpan = "<font face='DejaVu Serif' color='#000000'><span style='font-size:20pt;'>";
            item.words = "words cut up " + std::to_string(i);
        }
        page.items.push_back(item);
    }
    const std::string path = (folder / ("page" + std::to_string(count) + ".html")).string();
    std::ofstream(path, std::ios::binary) << collage::WritePage(page);
    return path;
}

void BM_OpenPageOnBoard(benchmark::State& state) {
    App();
    const std::string path = WriteBenchPage(static_cast<int>(state.range(0)));
    ConsoleUserInterface ui(std::cerr);
    QImage frame(760, 860, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        CollageBoard board(ui);
        board.resize(760, 900);
        if (!board.OpenPage(path)) state.SkipWithError("the page was refused");
        QPainter painter(&frame);
        board.View()->render(&painter);
        benchmark::DoNotOptimize(board.Collage().items.size());
    }
}
BENCHMARK(BM_OpenPageOnBoard)->Arg(60)->Unit(benchmark::kMillisecond);

// A board of `items` items shown at its real size, its last item taken by
// the mouse as a user takes it.
struct ShownBoard {
    ConsoleUserInterface ui{std::cerr};
    CollageBoard board{ui};
    QWidget* port = nullptr;
    BoardItem* item = nullptr;

    explicit ShownBoard(int items) {
        App();
        board.resize(760, 900);
        board.show();
        board.OpenPage(WriteBenchPage(items));
        QApplication::processEvents();
        port = board.View()->viewport();
        item = board.ItemAt(board.Collage().items.size() - 1);
    }
    QPoint OnScreen(QPointF scene) const { return board.View()->mapFromScene(scene); }
    void Send(QEvent::Type type, QPoint where, Qt::MouseButtons buttons) {
        QMouseEvent event(type, where, port->mapToGlobal(where), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(port, &event);
    }
};

void BM_MoveOneItemFrame(benchmark::State& state) {
    ShownBoard shown(static_cast<int>(state.range(0)));
    QPoint at = shown.OnScreen(shown.item->mapToScene(QPointF(20, 20)));
    shown.Send(QEvent::MouseButtonPress, at, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        // One mouse move and the frame it causes.
        at += QPoint(++step % 2 ? 3 : -2, 1);
        shown.Send(QEvent::MouseMove, at, Qt::LeftButton);
        shown.port->repaint();
    }
    shown.Send(QEvent::MouseButtonRelease, at, Qt::NoButton);
    if (shown.board.UndoStack().count() != 1) state.SkipWithError("the drag was not one step");
}
BENCHMARK(BM_MoveOneItemFrame)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_TurnOneItemFrame(benchmark::State& state) {
    ShownBoard shown(static_cast<int>(state.range(0)));
    shown.item->setSelected(true);
    const QPointF centre = shown.item->mapToScene(shown.item->transformOriginPoint());
    shown.Send(QEvent::MouseButtonPress, shown.OnScreen(shown.item->Handle().KnobInScene()), Qt::LeftButton);
    int step = 0;
    QPoint at;
    for (auto _ : state) {
        // The mouse a few degrees further round the centre, and the frame it causes.
        const double angle = (++step % 120) * 3 * 3.14159265358979 / 180;
        at = shown.OnScreen(centre + 120 * QPointF(std::sin(angle), -std::cos(angle)));
        shown.Send(QEvent::MouseMove, at, Qt::LeftButton);
        shown.port->repaint();
    }
    shown.Send(QEvent::MouseButtonRelease, at, Qt::NoButton);
    if (shown.board.UndoStack().count() != 1) state.SkipWithError("the turn was not one step");
}
BENCHMARK(BM_TurnOneItemFrame)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace
