// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BoardDoor.h"

#include "composer/KeepAndRedraw.h"
#include "composer/TypedText.h"
#include "db/CppSQLite3Exception.h"
#include "page/BoardEdits.h"
#include "support/Random.h"
#include "support/SafeFile.h"
#include "form/MainFormState.h"
#include "support/ForwardingUserInterface.h"
#include "ui/BoardIds.h"
#include "ui/CollageBoard.h"

#include <QAction>

#include <filesystem>

// Passes everything on, but a page GO opens goes onto the board.
class BoardDoor::GoRedirect : public ForwardingUserInterface {
public:
    GoRedirect(UserInterface& ui, BoardDoor& door) : ForwardingUserInterface(ui), m_door(door) {}

    void OpenInBrowser(const std::string& path) override {
        if (!m_door.GoOnBoard()) {
            Inner().OpenInBrowser(path);
            return;
        }
        m_door.OpenPage(path);
    }

private:
    BoardDoor& m_door;
};

BoardDoor::BoardDoor(UserInterface& ui, QWidget* owner, MainFormState* form)
        : m_ui(ui), m_owner(owner), m_form(form), m_goRedirect(std::make_unique<GoRedirect>(ui, *this)) {}

BoardDoor::~BoardDoor() = default;

CollageBoard& BoardDoor::Board() {
    if (!m_board) {
        m_board = new CollageBoard(m_ui, m_owner);
        m_board->setWindowFlag(Qt::Window, true);
        m_board->SetOutputFolder(m_outputFolder);
        if (m_form) {
            m_board->SetRedraw([this](const collage::Collage& page, const std::string& pagePath) {
                return RedrawAround(page, pagePath);
            });
            m_board->SetTypedItem([this](const std::string& words) { return TypedTextItem(*m_form, words); });
            m_board->SetLibrary([this] { return m_form->DatabasePath(); });
        }
    }
    return *m_board;
}

UserInterface& BoardDoor::GoInterface() { return *m_goRedirect; }

void BoardDoor::SetOutputFolder(std::function<std::string()> folder) {
    m_outputFolder = std::move(folder);
    if (m_board) m_board->SetOutputFolder(m_outputFolder);
}

bool BoardDoor::ReadyForGo() {
    if (!m_goOnBoard || !m_board || !m_board->Modified()) return true;
    CollageBoard& board = *m_board;
    // The wait box of GO's button would stand over the question.
    m_ui.HideWaitMessage();
    Raise();
    bool go = false;
    switch (board.Interface().ShowMessage("The board's arrangement of " + board.PagePath() +
                                              " was not saved. Save it as another page before GO shows a new "
                                              "collage?\n\nNo drops the arrangement; Cancel keeps it and does "
                                              "not GO.",
                                          "Cut-up Board", MessageButtons::YesNoCancel)) {
        case MessageResult::Yes: go = board.SaveAs(); break;
        case MessageResult::No: go = true; break;
        default: break;
    }
    if (go) m_ui.ShowWaitMessage();
    return go;
}

void BoardDoor::Raise() {
    CollageBoard& board = Board();
    board.show();
    board.raise();
    board.activateWindow();
}

void BoardDoor::ShowBoard(const std::string& lastPage) {
    CollageBoard& board = Board();
    std::error_code error;
    // An arrangement not saved yet stays; otherwise the board follows the last GO.
    if (!board.Modified() && !lastPage.empty() && std::filesystem::is_regular_file(lastPage, error)) {
        board.OpenPage(lastPage);
    }
    Raise();
}

void BoardDoor::OpenBoard() {
    Raise();
    Board().Command(ID_BOARD_OPEN)->trigger();
}

bool BoardDoor::OpenPage(const std::string& path) {
    const bool opened = Board().OpenPage(path);
    Raise();
    return opened;
}

namespace {

// The main form's output folder, for as long as a draw on the board runs, is
// the page's own: the new pictures go beside the page that names them.
class OutputFolderFor {
public:
    OutputFolderFor(MainFormState& form, const std::string& pagePath) : m_form(form), m_saved(form.m_outputFolder) {
        const std::string folder = std::filesystem::path(pagePath).parent_path().string();
        form.m_outputFolder = folder.empty() ? "" : folder + "/";
    }
    ~OutputFolderFor() { m_form.m_outputFolder = m_saved; }
    OutputFolderFor(const OutputFolderFor&) = delete;
    OutputFolderFor& operator=(const OutputFolderFor&) = delete;

private:
    MainFormState& m_form;
    std::string m_saved;
};

}  // namespace

std::optional<collage::Collage> BoardDoor::RedrawAround(const collage::Collage& page, const std::string& pagePath) {
    OutputFolderFor folder(*m_form, pagePath);
    rng::Seed(rng::ClockSeed());
    try {
        return keepredraw::ComposeAround(*m_form, page, keepredraw::KeptIds(page)).collage;
    } catch (const CppSQLite3Exception& e) {
        m_ui.ShowMessage(FailureText(e, "Drawing around the kept items"), "Cut-up Board");
    } catch (const FileWriteError& e) {
        m_ui.ShowMessage(e.what(), "Cut-up Board");
    }
    return std::nullopt;
}

void BoardDoor::CaptureArrangement(MainFormState& state) const {
    state.m_boardPath.clear();
    state.m_boardPage.clear();
    state.m_boardKept.clear();
    if (!m_board || m_board->PagePath().empty()) return;
    state.m_boardPath = m_board->PagePath();
    state.m_boardPage = collage::WritePage(m_board->Collage());
    for (const std::string& id : keepredraw::KeptIds(m_board->Collage())) state.m_boardKept.push_back(id);
}

void BoardDoor::RestoreArrangement(const MainFormState& state) {
    if (state.m_boardPage.empty()) return;
    collage::Collage arranged;
    std::string why;
    if (!collage::ReadPage(state.m_boardPage, arranged, why)) {
        m_ui.ShowMessage("The session's board arrangement could not be read: " + why + ".", "Cut-up Board");
        return;
    }
    // Ids the page no longer has are passed over.
    keepredraw::MarkKept(arranged, state.m_boardKept);
    collage::Collage onDisk;
    std::string problem;
    CollageBoard& board = Board();
    std::error_code error;
    // Only a file is read: a pipe or device named by a session would never end.
    if (std::filesystem::is_regular_file(state.m_boardPath, error) &&
        collage::LoadPageFile(state.m_boardPath, onDisk, problem, collage::kWindowName)) {
        board.ShowCollage(onDisk, state.m_boardPath);
        board.Apply("Session Arrangement", arranged);
    } else {
        board.ShowCollage(arranged, state.m_boardPath);
    }
    // A session can come from anywhere: its path is the user's only once confirmed.
    board.ConfirmPathOnSave();
    Raise();
}
