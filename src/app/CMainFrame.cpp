#include "app/CMainFrame.h"

#include "app/Ctarvex4View.h"
#include "app/SessionIds.h"
#include "resources/Pictures.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QShortcut>

namespace {
constexpr int kExit = 57665;
}

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName("CMainFrame");
    setWindowTitle("tarvex4");
    setWindowIcon(AppIcon());
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
    if (id == kExit) {
        close();
        return;
    }
    if (m_view) m_view->OnCommand(id);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The track windows are windows of their own; closing the frame ends the
    // program all the same, saving nothing.
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
         {{"&New\tCtrl+N", 57600},
          {"&Open...\tCtrl+O", 57601},
          {"&Save\tCtrl+S", 57603},
          {"Import Images", 32782},
          {"E&xit", kExit},
          {nullptr, 0},
          {"Save Session...", kSaveSessionCommand},
          {"Open Session...", kOpenSessionCommand}}},
        {"&Edit",
         {{"Undo  (ctrl+z)", 57643},
          {nullptr, 0},
          {"Cut     (ctrl+x)", 57635},
          {"Copy   (ctrl+c)", 57634},
          {"Paste  (ctrl+p)", 57637}}},
        {"&Help", {{"User Guide", 32772}}},
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
            connect(action, &QAction::triggered, this, [this, id = item.id] { Dispatch(id); });
        }
    }
}

void CMainFrame::BuildAccelerators() {
    // The keys are a table of their own, so the menu shows its texts as stored.
    const std::pair<const char*, int> keys[] = {
        {"Ctrl+N", 57600},    {"Ctrl+O", 57601},    {"Ctrl+S", 57603},        {"Ctrl+Z", 57643},
        {"Alt+Backspace", 57643}, {"Ctrl+X", 57635}, {"Shift+Del", 57635},    {"Ctrl+C", 57634},
        {"Ctrl+Ins", 57634},  {"Ctrl+V", 57637},    {"Shift+Ins", 57637},     {"F6", 57680},
        {"Shift+F6", 57681},
    };
    for (const auto& [key, id] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setObjectName(QString("key %1 %2").arg(key).arg(id));
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, id = id] { Dispatch(id); });
    }
}
