// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"
#include "support/UserInterface.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class CollageBoard;
struct MainFormState;
class QWidget;

// The main window's ways onto the cut-up board: View > "Cut-up Board",
// File > "Open Board...", and GO, which shows its page on the board instead
// of the browser while "Show GO on the Board" is checked.
class BoardDoor {
public:
    // `form`: the main form whose settings a new draw on the board takes.
    BoardDoor(UserInterface& ui, QWidget* owner, MainFormState* form = nullptr);
    ~BoardDoor();

    // Made on first use, a window of its own.
    CollageBoard& Board();
    bool BoardMade() const { return m_board != nullptr; }

    // Where the board's file dialogs start when it shows no page.
    void SetOutputFolder(std::function<std::string()> folder);

    bool GoOnBoard() const { return m_goOnBoard; }
    void SetGoOnBoard(bool on) { m_goOnBoard = on; }
    // What GO talks to: the user interface, with the page opened on the board
    // while GO shows there.
    UserInterface& GoInterface();
    // Before GO writes anything: with GO shown on the board, an arrangement
    // not saved yet is saved (Yes), dropped (No), or kept with no GO (Cancel,
    // Escape); false for no GO.
    bool ReadyForGo();

    // The board over `lastPage` (the page the last GO wrote), unless it holds
    // changes not saved yet.
    void ShowBoard(const std::string& lastPage);
    // Asks for a page and opens it on the board.
    void OpenBoard();
    bool OpenPage(const std::string& path);

    // The board's arrangement into the state, for a session to keep.
    void CaptureArrangement(MainFormState& state) const;
    // A session's arrangement back onto the board, as one undoable step over
    // the page it belongs to (so Save writes it and Undo shows that page).
    void RestoreArrangement(const MainFormState& state);

private:
    class GoRedirect;
    void Raise();
    std::optional<collage::Collage> RedrawAround(const collage::Collage& page, const std::string& pagePath);

    UserInterface& m_ui;
    QWidget* m_owner;
    MainFormState* m_form;
    CollageBoard* m_board = nullptr;
    bool m_goOnBoard = false;
    std::function<std::string()> m_outputFolder;
    std::unique_ptr<GoRedirect> m_goRedirect;
};
