// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "../ui_main/MainWindowFixture.h"

#include "app/BoardDoor.h"
#include "app/MainFormIds.h"
#include "app/MainFrameIds.h"
#include "support/Random.h"
#include "ui/BoardView.h"
#include "ui/CollageBoard.h"

#include <QRadioButton>

#include <cstdint>
#include <string>

// The main window with its GO sent to the cut-up board.
class BoardFixture : public MainWindowTest {
protected:
    // GO on `words`, three words a snip, seeded with `seed`, with the board
    // checked: the page goes onto the board, not the browser, and the board
    // has the keyboard.
    CollageBoard& GoOnBoardWith(const std::string& words, std::uint32_t seed) {
        Open();
        const std::string mainFile = data.path() + "/main.txt";
        WriteFile(mainFile, words);
        ui.openAnswers.push_back(FileChoice{mainFile, "main.txt"});
        QTest::mouseClick(view->Control(IDC_OPEN), Qt::LeftButton);
        Control<QRadioButton>(IDC_SNIP3)->click();
        frame->Command(ID_VIEW_GO_ON_BOARD)->trigger();
        rng::Seed(seed);
        QTest::mouseClick(view->Control(IDC_GO), Qt::LeftButton);
        CollageBoard& board = view->Board().Board();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&board));
        QApplication::setActiveWindow(&board);
        board.View()->setFocus();
        return board;
    }
};
