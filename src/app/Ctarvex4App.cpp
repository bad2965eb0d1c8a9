// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Ctarvex4App.h"

#include "app/BoardDoor.h"
#include "app/CMainFrame.h"
#include "app/Ctarvex4View.h"
#include "composer/WordsDbRepair.h"
#include "db/DataFolder.h"
#include "richtext/MarkupRtfRenderer.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

Ctarvex4App::Ctarvex4App() = default;

Ctarvex4App::~Ctarvex4App() {
    // The frame (and the form that borrows the state) goes first.
    m_frame.reset();
}

Ctarvex4View* Ctarvex4App::View() const { return m_frame ? m_frame->View() : nullptr; }

bool Ctarvex4App::InitInstance(const QStringList& arguments) {
    // A user's first start gets the delivered words database, art fonts and manual.
    const DataFolderSetup setup = EnsureDataFolder();
    m_state = std::make_unique<MainFormState>();
    // Before the form reads the output folder from it: a broken words
    // database is named, and the delivered copy offered, once. (A database
    // the set-up has just found sound needs no second look.)
    if (setup.ok() && !setup.databaseSound) OfferWordsDbRestore(m_state->m_dataFolder, InstalledDataFolder(), m_ui);
    // Margins in markup are screen pixels: render them at this screen's size.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) SetScreenDpi(qRound(screen->logicalDotsPerInch()));

    if (!arguments.isEmpty() && !arguments.first().startsWith('-')) {
        if (!m_document.OnOpenDocument(arguments.first().toStdString())) {
            QMessageBox::warning(nullptr, "VANTELO",
                                 QString("%1\nThis file could not be opened.").arg(arguments.first()));
            return false;
        }
    } else {
        m_document.OnNewDocument();
    }

    m_frame = std::make_unique<CMainFrame>();
    auto* view = new Ctarvex4View(*m_state, m_ui, m_frame.get());
    m_ui.SetOwner(view);
    // The output folder, default or chosen, is a place of every file dialog.
    m_ui.SetPlaces([this] {
        return std::vector<std::string>{m_state->m_dataFolder + "/collages", m_state->m_outputFolder};
    });
    m_ui.SetWaitHandlers([view] { view->ShowWaitMessage(); }, [view] { view->HideWaitMessage(); });
    m_frame->SetView(view);
    view->OpenFirstTrackAfterFirstPaint();
    view->OnInitialUpdate();

    m_frame->setGeometry(50, 50, 800, 600);
    m_frame->setFixedSize(800, 600);
    m_frame->showNormal();
    m_frame->update();
    // tarvex4 board PAGE: the board over the page, in front of the form.
    if (arguments.size() >= 2 && arguments.first() == "--board") view->Board().OpenPage(arguments.at(1).toStdString());
    if (!setup.ok()) {
        std::string text = "The data folder " + m_state->m_dataFolder + " is not complete:";
        for (const std::string& problem : setup.problems) text += "\n" + problem;
        // Said once the window is up, over it.
        QTimer::singleShot(0, m_frame.get(), [this, text] { m_ui.ShowMessage(text, "VANTELO"); });
    }
    return true;
}
