// SPDX-License-Identifier: GPL-3.0-or-later
// The board's menu bar and its right-click menus.
#include "ui/CollageBoard.h"

#include "page/BoardEdits.h"
#include "ui/BoardIds.h"
#include "ui/BoardItem.h"
#include "ui/BoardView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include <algorithm>

void CollageBoard::BuildMenu() {
    struct Entry {
        const char* text;
        int id;
        QList<QKeySequence> keys;
        std::function<void()> run;
    };
    const std::pair<const char*, std::vector<Entry>> menus[] = {
        {"&File",
         {{"&Open Board...", ID_BOARD_OPEN, {QKeySequence("Ctrl+O")}, [this] { AskToOpen(); }},
          {"&Save Board", ID_BOARD_SAVE, {QKeySequence("Ctrl+S")}, [this] { Save(); }},
          {"Save Board &As...", ID_BOARD_SAVE_AS, {QKeySequence("Ctrl+Shift+S")}, [this] { SaveAs(); }},
          {"&Export Collage...", ID_BOARD_EXPORT, {}, [this] { ExportCollage(); }},
          {nullptr, 0, {}, {}},
          {"&Print Board...", ID_BOARD_PRINT, {QKeySequence("Ctrl+P")}, [this] { Print(); }},
          {"Print Pre&view", ID_BOARD_PRINT_PREVIEW, {}, [this] { Print(true); }},
          {nullptr, 0, {}, {}},
          {"&Close", ID_BOARD_CLOSE, {QKeySequence("Ctrl+W")}, [this] { close(); }}}},
        {"&Edit",
         {{"&Undo", ID_BOARD_UNDO, {QKeySequence("Ctrl+Z")}, [this] { m_undo->undo(); }},
          {"&Redo", ID_BOARD_REDO, {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}, [this] { m_undo->redo(); }},
          {nullptr, 0, {}, {}},
          {"Bring to &Front",
           ID_BOARD_FRONT,
           {QKeySequence("Ctrl+]")},
           [this] { Edit("Bring to Front", collage::BringToFront); }},
          {"Send to &Back",
           ID_BOARD_BACK,
           {QKeySequence("Ctrl+[")},
           [this] { Edit("Send to Back", collage::SendToBack); }},
          {"&Delete",
           ID_BOARD_DELETE,
           {QKeySequence(Qt::Key_Delete)},
           [this] { Edit("Delete", collage::DeleteItems); }},
          {"&Copy Text", ID_BOARD_COPY_TEXT, {QKeySequence("Ctrl+C")}, [this] { CopyChosenText(); }},
          {nullptr, 0, {}, {}},
          {"Select &All",
           ID_BOARD_SELECT_ALL,
           {QKeySequence("Ctrl+A")},
           [this] {
               for (BoardItem* item : m_items) item->setSelected(true);
           }}}},
        {"&View",
         {{"&Fit", ID_BOARD_ZOOM_FIT, {QKeySequence("Ctrl+0")}, [this] { ZoomToFit(); }},
          {"&Actual Size",
           ID_BOARD_ZOOM_ACTUAL,
           {QKeySequence("Ctrl+1")},
           [this] {
               m_fitting = false;
               m_view->resetTransform();
           }},
          {"Zoom &In",
           ID_BOARD_ZOOM_IN,
           {QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")},
           [this] {
               m_fitting = false;
               m_view->ZoomBy(1.25);
           }},
          {"Zoom &Out",
           ID_BOARD_ZOOM_OUT,
           {QKeySequence("Ctrl+-")},
           [this] {
               m_fitting = false;
               m_view->ZoomBy(0.8);
           }}}},
        {"&Board",
         {{"&Keep", ID_BOARD_KEEP, {QKeySequence(Qt::Key_K)}, [this] { ToggleKeep(); }},
          {"GO &Around Kept Items", ID_BOARD_GO_AROUND, {QKeySequence("Ctrl+G")}, [this] { GoAroundKept(); }},
          {nullptr, 0, {}, {}},
          {"Add &Text...", ID_BOARD_ADD_TEXT, {QKeySequence("Ctrl+T")}, [this] { AddText(); }},
          {"Add &Picture...", ID_BOARD_ADD_PICTURE, {}, [this] { AddPicture(); }},
          {"&Paste Text", ID_BOARD_PASTE, {QKeySequence("Ctrl+V")}, [this] { PasteText(); }},
          {"&Edit Text...",
           ID_BOARD_EDIT_TEXT,
           {QKeySequence(Qt::Key_F2)},
           [this] {
               const std::vector<size_t> chosen = Chosen();
               if (chosen.size() == 1) EditText(chosen.front());
           }},
          {"&Duplicate",
           ID_BOARD_DUPLICATE,
           {QKeySequence("Ctrl+D")},
           [this] { Edit("Duplicate", collage::DuplicateItems); }},
          {nullptr, 0, {}, {}},
          {"&Rotate Right 15\u00B0", ID_BOARD_ROTATE_RIGHT, {QKeySequence("R")}, [this] { RotateChosen(15); }},
          {"Rotate &Left 15\u00B0", ID_BOARD_ROTATE_LEFT, {QKeySequence("Shift+R")}, [this] { RotateChosen(-15); }},
          {"Rotate Right 1\u00B0", ID_BOARD_ROTATE_RIGHT_FINE, {QKeySequence("Ctrl+R")}, [this] { RotateChosen(1); }},
          {"Rotate Left 1\u00B0",
           ID_BOARD_ROTATE_LEFT_FINE,
           {QKeySequence("Ctrl+Shift+R")},
           [this] { RotateChosen(-1); }},
          {"&Upright",
           ID_BOARD_ROTATE_NONE,
           {},
           [this] {
               Edit("Upright", [](collage::Collage& after, const std::vector<size_t>& chosen) {
                   for (size_t index : chosen) after.items[index].rotation = 0;
               });
           }}}},
    };
    for (const auto& [title, entries] : menus) {
        QMenu* menu = menuBar()->addMenu(title);
        for (const Entry& entry : entries) {
            if (!entry.text) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(entry.text);
            action->setObjectName(QString::number(entry.id));
            action->setShortcuts(entry.keys);
            action->setShortcutContext(Qt::WindowShortcut);
            connect(action, &QAction::triggered, this, entry.run);
        }
    }
    connect(m_undo, &QUndoStack::canUndoChanged, Command(ID_BOARD_UNDO), &QAction::setEnabled);
    connect(m_undo, &QUndoStack::canRedoChanged, Command(ID_BOARD_REDO), &QAction::setEnabled);
    Command(ID_BOARD_UNDO)->setEnabled(false);
    Command(ID_BOARD_REDO)->setEnabled(false);
}

void CollageBoard::AddKeepEntry(QMenu& menu) {
    QAction* keep = menu.addAction("&Keep");
    const std::vector<size_t> chosen = Chosen();
    keep->setCheckable(true);
    keep->setChecked(!chosen.empty() &&
                     std::all_of(chosen.begin(), chosen.end(), [this](size_t i) { return m_collage.items[i].kept; }));
    connect(keep, &QAction::triggered, this, [this] { ToggleKeep(); });
}

void CollageBoard::AddRotateMenu(QMenu& menu) {
    QMenu* rotate = menu.addMenu("&Rotate");
    for (int id : {ID_BOARD_ROTATE_RIGHT, ID_BOARD_ROTATE_LEFT, ID_BOARD_ROTATE_RIGHT_FINE, ID_BOARD_ROTATE_LEFT_FINE,
                   ID_BOARD_ROTATE_NONE})
        rotate->addAction(Command(id));
}

void CollageBoard::AddBoardEntries(QMenu& menu, QPointF at) {
    connect(menu.addAction("Add &Text..."), &QAction::triggered, this, [this, at] { AddText(at); });
    connect(menu.addAction("Add &Picture..."), &QAction::triggered, this, [this, at] { AddPicture(at); });
    connect(menu.addAction("&Paste Text"), &QAction::triggered, this, [this, at] { PasteText(at); });
}

void CollageBoard::AddItemEntries(QMenu& menu, const BoardItem& item) {
    menu.setObjectName(QString::number(IDR_BOARD_ITEM_MENU));
    AddKeepEntry(menu);
    for (int id : {ID_BOARD_FRONT, ID_BOARD_BACK}) menu.addAction(Command(id));
    AddRotateMenu(menu);
    for (int id : {ID_BOARD_DUPLICATE, ID_BOARD_DELETE}) menu.addAction(Command(id));
    if (item.Item().kind != collage::ItemKind::kPicture) menu.addAction(Command(ID_BOARD_COPY_TEXT));
}

void CollageBoard::ShowMenu(QPoint global, QPointF scenePoint) {
    BoardItem* hit = ItemUnder(scenePoint);
    // The menu is about the item under the mouse, as in any drawing program.
    if (hit != nullptr && !hit->isSelected()) {
        m_scene->clearSelection();
        hit->setSelected(true);
    }
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (hit != nullptr)
        AddItemEntries(*menu, *hit);
    else
        AddBoardEntries(*menu, scenePoint);
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(global);
}
