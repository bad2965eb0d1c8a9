// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"
#include "support/UserInterface.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class BoardItem;
class BoardView;
class CollageDrawing;
class QGraphicsRectItem;
class QGraphicsScene;
class QMenu;
class QUndoStack;

// The cut-up board: a collage page laid out as the browser shows it, where
// items are moved, resized, stacked and deleted, every change undoable, and
// the page written again from the arranged collage.
class CollageBoard : public QMainWindow {
    Q_OBJECT
public:
    explicit CollageBoard(UserInterface& ui, QWidget* parent = nullptr);
    ~CollageBoard() override;

    // Where the file dialogs start without a page: the output folder.
    void SetOutputFolder(std::function<std::string()> folder) { m_outputFolder = std::move(folder); }
    // What the board says and asks, over the board.
    UserInterface& Interface() const { return m_ui; }

    // Opens a page tarvex4 wrote; false (said to the user, naming the file)
    // for anything else. The board keeps what it had then.
    bool OpenPage(const std::string& path);
    // File > Open Board...: asks for a page, once the changes are kept or let go.
    void AskToOpen();
    // Shows a collage that belongs to the page at `path` (a GO just wrote it).
    void ShowCollage(const collage::Collage& collage, const std::string& path);
    // The page path came from a file (a session), not from the user: the
    // first Save asks for the name, offering that path, before it writes.
    void ConfirmPathOnSave() { m_pathUnconfirmed = true; }
    bool Save();
    bool SaveAs();
    // File > Export Collage...: the collage as the board shows it.
    void ExportCollage();

    const collage::Collage& Collage() const { return m_collage; }
    const std::string& PagePath() const { return m_pagePath; }
    bool Modified() const;
    QUndoStack& UndoStack() const { return *m_undo; }
    BoardView* View() const { return m_view; }
    // The item of page-order index `index`, as the board shows it.
    BoardItem* ItemAt(size_t index) const;
    QAction* Command(int id) const;
    // The whole collage as the view shows it now, scene rectangle.
    static QRectF ContainerRect();

    // Steps that join the step before them when it has the same id and
    // selection (QUndoCommand::id); -1 never joins.
    static constexpr int kNudgeStep = 1;
    static constexpr int kRotateStep = 2;

    // Replaces the collage with `after` as one undoable step named `text`;
    // false (and nothing happens) when it changes nothing.
    bool Apply(const QString& text, const collage::Collage& after, int mergeId = -1,
               const std::vector<size_t>& chosen = {});
    // Shows a collage (the undo stack's steps call this).
    void ShowState(const collage::Collage& collage);

    // Draws a new collage around the kept items of `page`; nothing when it
    // could not (the user was told). Set by whoever holds the main form.
    using Redraw =
        std::function<std::optional<collage::Collage>(const collage::Collage& page, const std::string& pagePath)>;
    void SetRedraw(Redraw redraw) { m_redraw = std::move(redraw); }
    // Board > GO Around Kept Items: the new draw as one undoable step.
    void GoAroundKept();
    // K: the chosen items kept, or no longer kept when all of them were.
    void ToggleKeep();

    // A typed snip in the look new snips have now (no id, at 0,0).
    using TypedItem = std::function<collage::Item(const std::string& words)>;
    void SetTypedItem(TypedItem typed) { m_typedItem = std::move(typed); }
    // Each adds one undoable step; the new item is chosen.
    void AddText(std::optional<QPointF> at = std::nullopt);
    void PasteText(std::optional<QPointF> at = std::nullopt);
    void AddPicture(std::optional<QPointF> at = std::nullopt);
    // Where Add Picture finds the image library (words6.db); without it, or
    // with an empty library, Add Picture asks for a file.
    void SetLibrary(std::function<std::string()> databasePath) { m_library = std::move(databasePath); }
    // File > Print Board... and Print Preview: the collage as the board shows
    // it, on the default printer, or into this PDF file when one is set.
    void Print(bool preview = false);
    void PrintInto(const QString& pdfFile) { m_printFile = pdfFile; }
    // Asks for the words of a text snip or lettering, as one step.
    void EditText(size_t index);
    // R and its kin: the chosen items turned `degrees` clockwise; a run of
    // turns of one selection is one step.
    void RotateChosen(double degrees);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void Rebuild();
    QSizeF ItemSize(size_t index) const;
    void NewDrawing();
    void ReportMissingPictures() const;
    std::vector<size_t> Chosen() const;
    void CommitMoves();
    void NudgeChosen(int dx, int dy);
    void Edit(const QString& text, const std::function<void(collage::Collage&, const std::vector<size_t>&)>& edit,
              int mergeId = -1);
    bool WriteTo(const std::string& path);
    bool AskToKeepChanges();
    std::string StartFolder() const;
    void AddItemEntries(QMenu& menu, const BoardItem& item);
    void CopyChosenText();
    void ShowSourceTip(BoardItem& shown) const;
    void ShowTitle();
    void ZoomToFit();
    void ShowMenu(QPoint global, QPointF scenePoint);
    void AddKeepEntry(QMenu& menu);
    void AddRotateMenu(QMenu& menu);
    void AddBoardEntries(QMenu& menu, QPointF at);
    void AddNewItem(const QString& text, collage::Item item, std::optional<QPointF> at);
    std::optional<std::string> AskWords(const QString& title, const std::string& words);
    BoardItem* ItemUnder(QPointF scenePoint) const;
    bool HasPage() const;
    collage::Item Typed(const std::string& words) const;
    void AddFilePicture(std::optional<QPointF> at);

    // The dialogs and messages of the window's own interface belong to the board.
    std::unique_ptr<UserInterface> m_ownUi;
    UserInterface& m_ui;
    std::function<std::string()> m_outputFolder;
    collage::Collage m_collage;
    std::string m_pagePath;
    bool m_pathUnconfirmed = false;
    // The one drawing of the collage, made again for every state shown.
    std::unique_ptr<CollageDrawing> m_drawing;
    QGraphicsScene* m_scene = nullptr;
    QGraphicsRectItem* m_container = nullptr;
    BoardView* m_view = nullptr;
    QUndoStack* m_undo = nullptr;
    std::vector<BoardItem*> m_items;
    // Fit (on opening and Ctrl+0) follows the window's size until the user zooms.
    bool m_fitting = true;
    Redraw m_redraw;
    TypedItem m_typedItem;
    std::function<std::string()> m_library;
    QString m_printFile;
};
