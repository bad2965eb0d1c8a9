// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A main window over a scratch data folder, with a scripted user interface.
#include "app/CMainFrame.h"
#include "app/Ctarvex4View.h"
#include "db/SqlDatabase.h"
#include "db/WordsDb.h"
#include "form/MainFormState.h"
#include "ScriptedUserInterface.h"
#include "ui/QtUserInterface.h"

#include "ScratchFolder.h"
#include "TestApplication.h"
#include "TestFiles.h"
#include "WordsDatabaseFiles.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ::setenv("VANTELO_HOME", data.path().c_str(), 1);
        output = data.path() + "/collages/";
        std::filesystem::create_directories(output);
        CreateWordsDatabase(data.path(), output);
    }
    // With `qtDialogs` the window shows its real dialogs and message boxes,
    // as the program does; otherwise the scripted interface answers.
    void Open(bool qtDialogs = false) {
        state = std::make_unique<MainFormState>();
        state->m_dataFolder = data.path();
        frame = std::make_unique<CMainFrame>();
        view = new Ctarvex4View(*state, qtDialogs ? static_cast<UserInterface&>(qtUi) : ui, frame.get());
        qtUi.SetOwner(view);
        frame->SetView(view);
        view->OnInitialUpdate();
        frame->setGeometry(50, 50, 800, 600);
        frame->setFixedSize(800, 600);
        frame->show();
        QApplication::setActiveWindow(frame.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override { Close(); }
    void Close() {
        frame.reset();
        state.reset();
    }
    template <class W = QWidget>
    W* Control(int id) const {
        return qobject_cast<W*>(view->Control(id));
    }

    ScratchFolder data;
    std::string output;
    ScriptedUserInterface ui;
    QtUserInterface qtUi;
    std::unique_ptr<MainFormState> state;
    std::unique_ptr<CMainFrame> frame;
    Ctarvex4View* view = nullptr;
};
