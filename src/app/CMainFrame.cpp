// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMainFrame.h"

#include "app/BoardDoor.h"
#include "app/Ctarvex4View.h"
#include "app/MainFrameIds.h"
#include "resources/Pictures.h"
#include "ui/CollageBoard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>

CMainFrame::CMainFrame(QWidget* parent)
        : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName("CMainFrame");
    setWindowTitle("tarvex4");
    // Seven sizes drawn by code: not worth holding up the first sight of the
    // window for, so they follow it.
    QTimer::singleShot(0, this, [this] { setWindowIcon(AppIcon()); });
    BuildMenu();
    BuildAccelerators();
}

void CMainFrame::SetView(Ctarvex4View* view) {
    m_view = view;
    setCentralWidget(view);
    connect(view, &Ctarvex4View::TitleChanged, this, &QWidget::setWindowTitle);
}

QAction* CMainFrame::Command(int id) const { return findChild<QAction*>(QString::number(id)); }

void CMainFrame::Dispatch(int id) {
    if (id == ID_APP_EXIT) {
        close();
        return;
    }
    if (m_view) m_view->OnCommand(id);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The track windows are windows of their own; closing the frame ends the
    // program all the same, saving nothing. Only an arranged board is asked
    // about, as the arrangement exists nowhere else.
    if (m_view && m_view->Board().BoardMade() && m_view->Board().Board().Modified() &&
        !m_view->Board().Board().close()) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}

void CMainFrame::BuildMenu() {
    struct Item {
        const char* text;  // as stored; "\t" starts the shortcut column
        int id;            // 0: separator
    };
    const std::pair<const char*, std::vector<Item>> menus[] = {
        {"&File",
         {{"&New\tCtrl+N", ID_FILE_NEW},
          {"&Open...\tCtrl+O", ID_FILE_OPEN},
          {"&Save\tCtrl+S", ID_FILE_SAVE},
          {"Import Images", ID_FILE_IMPORT_IMAGES},
          {"E&xit", ID_APP_EXIT},
          {nullptr, 0},
          {"Save Session...", ID_FILE_SAVE_SESSION},
          {"Export Collage...", ID_FILE_EXPORT_COLLAGE},
          {"Export Collages as Book...", ID_FILE_EXPORT_BOOK},
          {"Open Session...", ID_FILE_OPEN_SESSION},
          {"Open Board...", ID_FILE_OPEN_BOARD}}},
        {"&Edit",
         {{"Undo  (ctrl+z)", ID_EDIT_UNDO},
          {nullptr, 0},
          {"Cut     (ctrl+x)", ID_EDIT_CUT},
          {"Copy   (ctrl+c)", ID_EDIT_COPY},
          {"Paste  (ctrl+p)", ID_EDIT_PASTE},
          {nullptr, 0},
          {"Copy Cut-up as Text", ID_EDIT_COPY_CUTUP_TEXT}}},
        {"&View",
         {{"Cut-up Board\tCtrl+B", ID_VIEW_BOARD},
          {"Show GO on the Board", ID_VIEW_GO_ON_BOARD},
          {nullptr, 0},
          {"Mark Sources in Page", ID_VIEW_MARK_SOURCES},
          {"Last Mix", ID_VIEW_LAST_MIX}}},
        {"&Help", {{"User Guide", ID_HELP_USER_GUIDE}}},
    };
    for (const auto& [title, items] : menus) {
        QMenu* menu = menuBar()->addMenu(title);
        for (const Item& item : items) {
            if (!item.text) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.text);
            action->setObjectName(QString::number(item.id));
            action->setCheckable(item.id == ID_VIEW_GO_ON_BOARD || item.id == ID_VIEW_MARK_SOURCES);
            connect(action, &QAction::triggered, this, [this, id = item.id] { Dispatch(id); });
        }
    }
}

void CMainFrame::BuildAccelerators() {
    // The keys are a table of their own, so the menu shows its texts as stored.
    const std::pair<const char*, int> keys[] = {
        {"Ctrl+N", ID_FILE_NEW},    {"Ctrl+O", ID_FILE_OPEN},        {"Ctrl+S", ID_FILE_SAVE},
        {"Ctrl+Z", ID_EDIT_UNDO},   {"Alt+Backspace", ID_EDIT_UNDO}, {"Ctrl+X", ID_EDIT_CUT},
        {"Shift+Del", ID_EDIT_CUT}, {"Ctrl+C", ID_EDIT_COPY},        {"Ctrl+Ins", ID_EDIT_COPY},
        {"Ctrl+V", ID_EDIT_PASTE},  {"Shift+Ins", ID_EDIT_PASTE},    {"F6", ID_NEXT_PANE},
        {"Shift+F6", ID_PREV_PANE}, {"Ctrl+B", ID_VIEW_BOARD},
    };
    for (const auto& [key, id] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setObjectName(QString("key %1 %2").arg(key).arg(id));
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] { Dispatch(id); });
    }
}
