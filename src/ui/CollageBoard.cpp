// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CollageBoard.h"

#include "drawing/BgrColour.h"
#include "page/BoardEdits.h"
#include "drawing/CollageDrawing.h"
#include "composer/TypedText.h"
#include "ui/BoardIds.h"
#include "ui/BoardItem.h"
#include "ui/BoardView.h"
#include "ui/BoardPrint.h"
#include "ui/CollageExportCommand.h"
#include "composer/LibraryPicture.h"
#include "ui/LibraryPictureDialog.h"
#include "ui/PagePictureCopy.h"
#include "ui/QtUserInterface.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QInputDialog>
#include <QFontMetricsF>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QScreen>
#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

constexpr const char* kPageFilter = "Collage Pages (*.html)|*.html;*.htm|All Files (*.*)|*.*||";
constexpr const char* kBoardCaption = "Cut-up Board";
constexpr int kFrame = 1;  // the container's border

// One undoable step: the collage before and after it. Steps of a gesture
// that repeats (arrow-key nudges of one selection) carry the gesture's id and
// join into one, as Qt's undo framework merges commands of equal id.
class BoardStep : public QUndoCommand {
public:
    BoardStep(CollageBoard& board, const QString& text, collage::Collage before, collage::Collage after,
              int mergeId = -1, std::vector<size_t> chosen = {})
            : QUndoCommand(text),
              m_board(board),
              m_before(std::move(before)),
              m_after(std::move(after)),
              m_mergeId(mergeId),
              m_chosen(std::move(chosen)) {}
    void undo() override { m_board.ShowState(m_before); }
    void redo() override { m_board.ShowState(m_after); }
    int id() const override { return m_mergeId; }
    // Only steps of the same id reach here, and only BoardStep has ids.
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const BoardStep*>(other);
        if (next->m_chosen != m_chosen) return false;
        m_after = next->m_after;
        return true;
    }

private:
    CollageBoard& m_board;
    collage::Collage m_before;
    collage::Collage m_after;
    int m_mergeId;
    std::vector<size_t> m_chosen;
};

// The window's own interface, made again so its dialogs belong to `board`;
// any other (a test's, the console's) is used as it is.
std::unique_ptr<UserInterface> InterfaceFor(UserInterface& ui, QWidget* board) {
    if (auto* qt = dynamic_cast<QtUserInterface*>(&ui)) return qt->ForWindow(board);
    return nullptr;
}

}  // namespace

CollageBoard::CollageBoard(UserInterface& ui, QWidget* parent)
        : QMainWindow(parent, Qt::Window), m_ownUi(InterfaceFor(ui, this)), m_ui(m_ownUi ? *m_ownUi : ui) {
    setObjectName(QString::number(IDD_BOARD));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_scene = new QGraphicsScene(this);
    // Items are found by position on every press and hover; the index pays.
    m_scene->setItemIndexMethod(QGraphicsScene::BspTreeIndex);
    m_view = new BoardView(m_scene, this);
    setCentralWidget(m_view);
    m_undo = new QUndoStack(this);
    connect(m_undo, &QUndoStack::cleanChanged, this, [this] { ShowTitle(); });
    connect(m_view, &BoardView::DragEnded, this, [this] { CommitMoves(); });
    connect(m_view, &BoardView::Nudge, this, [this](int dx, int dy) { NudgeChosen(dx, dy); });
    connect(m_view, &BoardView::Resized, this, [this] {
        if (m_fitting) ZoomToFit();
    });
    connect(m_view, &BoardView::Zoomed, this, [this] { m_fitting = false; });
    connect(m_view, &BoardView::MenuAsked, this, [this](QPoint global, QPointF at) { ShowMenu(global, at); });
    connect(m_view, &BoardView::DoubleClicked, this, [this](QPointF at) {
        if (BoardItem* item = ItemUnder(at)) EditText(item->Index());
    });
    BuildMenu();
    // A page is taller than wide; on a short screen (a laptop's 768 pixels) the
    // board takes what the screen has, title bar included, and fits the page.
    const QSize room = screen() != nullptr ? screen()->availableGeometry().size() * 9 / 10 : QSize(760, 900);
    resize(QSize(760, 900).boundedTo(room));
    Rebuild();
    ShowTitle();
}

CollageBoard::~CollageBoard() {
    // The steps point back at the board.
    m_undo->clear();
}

QRectF CollageBoard::ContainerRect() {
    return QRectF(-kFrame, -kFrame, collage::Collage::kWidth + 2 * kFrame, collage::Collage::kHeight + 2 * kFrame);
}

QAction* CollageBoard::Command(int id) const { return findChild<QAction*>(QString::number(id)); }

void CollageBoard::AskToOpen() {
    if (!AskToKeepChanges()) return;
    if (auto choice = m_ui.ChooseOpenFile(kPageFilter, StartFolder() + "/")) OpenPage(choice->path);
}

bool CollageBoard::OpenPage(const std::string& path) {
    collage::Collage page;
    std::string problem;
    if (!collage::LoadPageFile(path, page, problem, collage::kWindowName)) {
        m_ui.ShowMessage(problem, kBoardCaption);
        return false;
    }
    ShowCollage(page, path);
    ReportMissingPictures();
    return true;
}

void CollageBoard::ShowCollage(const collage::Collage& collage, const std::string& path) {
    m_undo->clear();
    m_collage = collage;
    m_pagePath = path;
    m_pathUnconfirmed = false;
    Rebuild();
    ZoomToFit();
    ShowTitle();
}

bool CollageBoard::Modified() const { return !m_undo->isClean(); }

BoardItem* CollageBoard::ItemAt(size_t index) const { return index < m_items.size() ? m_items[index] : nullptr; }

void CollageBoard::NewDrawing() {
    const std::string folder = m_pagePath.empty() ? "." : std::filesystem::path(m_pagePath).parent_path().string();
    m_drawing = std::make_unique<CollageDrawing>(m_collage, folder);
}

QSizeF CollageBoard::ItemSize(size_t index) const {
    // A snip with no words has no height on the page; the board keeps a sliver
    // of it so the mouse can still take it.
    const QSizeF size = m_drawing->ItemBox(index).size();
    return QSizeF(std::max(size.width(), 4.0), std::max(size.height(), 4.0));
}

void CollageBoard::ReportMissingPictures() const {
    const std::filesystem::path folder = std::filesystem::path(m_pagePath).parent_path();
    std::vector<std::string> missing;
    for (const collage::Item& item : m_collage.items) {
        std::vector<std::string> files =
            item.kind == collage::ItemKind::kPicture ? std::vector<std::string>{item.file} : item.Letters();
        for (const std::string& file : files) {
            std::error_code error;
            if (!std::filesystem::exists(folder / file, error) &&
                std::find(missing.begin(), missing.end(), file) == missing.end())
                missing.push_back(file);
        }
    }
    if (missing.empty()) return;
    std::string text = "These pictures are not beside " + m_pagePath + " and show as crossed boxes:";
    for (size_t i = 0; i < missing.size() && i < 10; ++i) text += "\n" + missing[i];
    if (missing.size() > 10) text += "\n... and " + std::to_string(missing.size() - 10) + " more";
    m_ui.ShowMessage(text, kBoardCaption);
}

void CollageBoard::Rebuild() {
    m_scene->clear();
    m_items.clear();
    m_container = m_scene->addRect(ContainerRect().adjusted(0.5, 0.5, -0.5, -0.5), QPen(Qt::black, 1),
                                   QColorFromBgr(m_collage.background));
    m_container->setZValue(-1e12);
    // The margin Fit shows, so a fitted sheet needs no scroll bars.
    m_scene->setSceneRect(ContainerRect().adjusted(-8, -8, 8, 8));
    NewDrawing();
    m_items.reserve(m_collage.items.size());
    const BoardItem::Painter painter = [this](QPainter& on, size_t index) {
        const collage::Item& item = m_collage.items[index];
        on.translate(-item.left, -item.top);
        m_drawing->PaintItem(on, index);
    };
    for (size_t i = 0; i < m_collage.items.size(); ++i) {
        const collage::Item& item = m_collage.items[i];
        auto* shown = new BoardItem(
            item, i, ItemSize(i),
            [this](BoardItem& resized, QSizeF size) {
                collage::Collage after = m_collage;
                collage::ResizeItem(after, resized.Index(), qRound(size.width()), qRound(size.height()));
                // A resize that changed nothing puts the box back.
                if (!Apply("Resize", after))
                    resized.Show(m_collage.items[resized.Index()], resized.Index(), ItemSize(resized.Index()));
            },
            painter);
        shown->SetRotateDone([this](BoardItem& turned, double degrees) {
            collage::Collage after = m_collage;
            collage::RotateItems(after, {turned.Index()}, degrees - m_collage.items[turned.Index()].rotation);
            // A drag back to where it started puts the item back.
            if (!Apply("Rotate", after))
                turned.Show(m_collage.items[turned.Index()], turned.Index(), ItemSize(turned.Index()));
        });
        ShowSourceTip(*shown);
        m_scene->addItem(shown);
        m_items.push_back(shown);
    }
}

void CollageBoard::ShowState(const collage::Collage& collage) {
    const bool sameItems = collage.items.size() == m_items.size() &&
                           std::equal(collage.items.begin(), collage.items.end(), m_items.begin(),
                                      [](const collage::Item& item, const BoardItem* shown) {
                                          return item.PageId() == shown->Item().PageId();
                                      });
    m_collage = collage;
    if (!sameItems) {
        Rebuild();
        return;
    }
    // A new draw of the same volume has the same item ids, but its own sheet colour.
    m_container->setBrush(QColorFromBgr(m_collage.background));
    NewDrawing();
    for (size_t i = 0; i < m_items.size(); ++i) {
        const collage::Item& item = m_collage.items[i];
        if (!(item == m_items[i]->Item()) || m_items[i]->pos() != QPointF(item.left, item.top)) {
            m_items[i]->Show(item, i, ItemSize(i));
            ShowSourceTip(*m_items[i]);
        }
    }
}

bool CollageBoard::Apply(const QString& text, const collage::Collage& after, int mergeId,
                         const std::vector<size_t>& chosen) {
    if (after == m_collage) return false;
    m_undo->push(new BoardStep(*this, text, m_collage, after, mergeId, chosen));
    return true;
}

std::vector<size_t> CollageBoard::Chosen() const {
    std::vector<size_t> chosen;
    for (BoardItem* item : m_items) {
        if (item->isSelected()) chosen.push_back(item->Index());
    }
    return chosen;
}

void CollageBoard::Edit(const QString& text,
                        const std::function<void(collage::Collage&, const std::vector<size_t>&)>& edit, int mergeId) {
    const std::vector<size_t> chosen = Chosen();
    if (chosen.empty()) return;
    collage::Collage after = m_collage;
    edit(after, chosen);
    Apply(text, after, mergeId, chosen);
}

void CollageBoard::CommitMoves() {
    collage::Collage after = m_collage;
    for (BoardItem* item : m_items) {
        collage::MoveItem(after, item->Index(), qRound(item->pos().x()), qRound(item->pos().y()));
    }
    Apply("Move", after);
}

void CollageBoard::RotateChosen(double degrees) {
    Edit(
        "Rotate",
        [degrees](collage::Collage& after, const std::vector<size_t>& chosen) {
            collage::RotateItems(after, chosen, degrees);
        },
        kRotateStep);
}

void CollageBoard::NudgeChosen(int dx, int dy) {
    Edit(
        "Nudge",
        [dx, dy](collage::Collage& after, const std::vector<size_t>& chosen) {
            for (size_t index : chosen) {
                const collage::Item& item = after.items[index];
                collage::MoveItem(after, index, item.left + dx, item.top + dy);
            }
        },
        kNudgeStep);
}

bool CollageBoard::WriteTo(const std::string& path) {
    std::string problem;
    if (!collage::SaveBoardPage(path, m_collage, problem)) {
        m_ui.ShowMessage(problem, kBoardCaption);
        return false;
    }
    m_pagePath = path;
    m_pathUnconfirmed = false;
    m_undo->setClean();
    ShowTitle();
    return true;
}

bool CollageBoard::Save() { return m_pagePath.empty() || m_pathUnconfirmed ? SaveAs() : WriteTo(m_pagePath); }

bool CollageBoard::SaveAs() {
    namespace fs = std::filesystem;
    const std::string name = m_pagePath.empty() ? "collage1.html" : fs::path(m_pagePath).filename().string();
    const std::string initial = m_pathUnconfirmed ? m_pagePath : (fs::path(StartFolder()) / name).string();
    std::optional<FileChoice> choice = m_ui.ChooseSaveFile(kPageFilter, initial, true);
    if (!choice) return false;
    // The page's pictures and letters are named from its folder: in another
    // folder the page takes copies of them along.
    const fs::path from = fs::path(m_pagePath).parent_path();
    const fs::path to = fs::path(choice->path).parent_path();
    std::error_code error;
    if (m_pagePath.empty() || fs::equivalent(from, to, error)) return WriteTo(choice->path);
    collage::Collage copied = m_collage;
    std::vector<std::string> made;
    std::string problem;
    if (!CopyPagePictures(copied, from.string(), to.string(), made, problem) ||
        !collage::SaveBoardPage(choice->path, copied, problem)) {
        for (const std::string& file : made) fs::remove(file, error);
        m_ui.ShowMessage(problem, kBoardCaption);
        return false;
    }
    // Copies that took other names make the page another collage: the steps
    // before named the old files, so the board starts again from the saved page.
    if (copied != m_collage) {
        ShowCollage(copied, choice->path);
    } else {
        m_pagePath = choice->path;
        m_pathUnconfirmed = false;
        m_undo->setClean();
        NewDrawing();
        m_scene->update();
        ShowTitle();
    }
    return true;
}

std::string CollageBoard::StartFolder() const {
    if (!m_pagePath.empty()) {
        const std::filesystem::path folder = std::filesystem::absolute(m_pagePath).parent_path();
        std::error_code error;
        if (std::filesystem::is_directory(folder, error)) return folder.string();
    }
    std::string folder = m_outputFolder ? m_outputFolder() : std::string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder.empty() ? std::filesystem::current_path().string() : folder;
}

void CollageBoard::ShowSourceTip(BoardItem& shown) const {
    // Only a page made with its sources marked holds them, in each snip's title.
    const std::string title = m_collage.markSources ? collage::SourceTitle(shown.Item()) : std::string();
    shown.setToolTip(QString::fromStdString(title));
}

void CollageBoard::CopyChosenText() {
    std::string text;
    for (size_t index : Chosen()) {
        const collage::Item& item = m_collage.items[index];
        if (item.kind == collage::ItemKind::kPicture || item.words.empty()) continue;
        text += (text.empty() ? "" : "\n") + item.words;
    }
    if (!text.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

bool CollageBoard::AskToKeepChanges() {
    if (!Modified()) return true;
    const MessageResult answer =
        m_ui.ShowMessage("Save the changes to " + m_pagePath + "?", kBoardCaption, MessageButtons::YesNoCancel);
    if (answer == MessageResult::Cancel) return false;
    return answer == MessageResult::No || Save();
}

void CollageBoard::closeEvent(QCloseEvent* event) {
    if (AskToKeepChanges()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CollageBoard::ShowTitle() {
    const QString name = m_pagePath.empty()
                             ? QString("(no page)")
                             : QString::fromStdString(std::filesystem::path(m_pagePath).filename().string());
    setWindowTitle(QString("%1%2 - %3").arg(name, Modified() ? "*" : "", kBoardCaption));
}

void CollageBoard::ZoomToFit() {
    m_fitting = true;
    m_view->fitInView(ContainerRect().adjusted(-8, -8, 8, 8), Qt::KeepAspectRatio);
}

void CollageBoard::ToggleKeep() {
    Edit("Keep", [](collage::Collage& after, const std::vector<size_t>& chosen) {
        const bool allKept = std::all_of(chosen.begin(), chosen.end(), [&](size_t i) { return after.items[i].kept; });
        for (size_t index : chosen) after.items[index].kept = !allKept;
    });
}

void CollageBoard::GoAroundKept() {
    if (!HasPage()) return;
    if (!m_redraw) {
        m_ui.ShowMessage("A new draw needs the main form's settings: open the board from the main window.",
                         kBoardCaption);
        return;
    }
    if (std::optional<collage::Collage> after = m_redraw(m_collage, m_pagePath)) Apply("GO Around Kept Items", *after);
}

BoardItem* CollageBoard::ItemUnder(QPointF scenePoint) const {
    for (QGraphicsItem* item : m_scene->items(scenePoint)) {
        auto found = std::find(m_items.begin(), m_items.end(), item);
        if (found != m_items.end()) return *found;
    }
    return nullptr;
}

std::optional<std::string> CollageBoard::AskWords(const QString& title, const std::string& words) {
    bool ok = false;
    const QString typed = QInputDialog::getMultiLineText(this, title, "Words:", QString::fromStdString(words), &ok);
    if (!ok || typed.trimmed().isEmpty()) return std::nullopt;
    return typed.toStdString();
}

bool CollageBoard::HasPage() const {
    if (m_pagePath.empty())
        m_ui.ShowMessage("The board shows no collage yet: open a page or press GO first.", kBoardCaption);
    return !m_pagePath.empty();
}

collage::Item CollageBoard::Typed(const std::string& words) const {
    if (m_typedItem) return m_typedItem(words);
    collage::Item item;
    item.width = 300;
    item.words = words;
    return item;
}

void CollageBoard::AddNewItem(const QString& text, collage::Item item, std::optional<QPointF> at) {
    // Where asked, else the middle of what the view shows; always on the page.
    const QPointF place = at ? *at : m_view->mapToScene(m_view->viewport()->rect().center());
    item.left = std::clamp(qRound(place.x()), 0, collage::Collage::kWidth - 40);
    item.top = std::clamp(qRound(place.y()), 0, collage::Collage::kHeight - 20);
    collage::Collage after = m_collage;
    const size_t index = collage::AddItem(after, std::move(item));
    if (!Apply(text, after)) return;
    m_scene->clearSelection();
    if (BoardItem* shown = ItemAt(index)) shown->setSelected(true);
}

void CollageBoard::AddText(std::optional<QPointF> at) {
    if (!HasPage()) return;
    if (std::optional<std::string> words = AskWords("Add Text", "")) AddNewItem("Add Text", Typed(*words), at);
}

void CollageBoard::PasteText(std::optional<QPointF> at) {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty() || !HasPage()) return;
    AddNewItem("Paste Text", Typed(text.toStdString()), at);
}

void CollageBoard::AddPicture(std::optional<QPointF> at) {
    if (!HasPage()) return;
    const std::string library = m_library ? m_library() : std::string();
    std::error_code error;
    if (library.empty() || !std::filesystem::is_regular_file(library, error)) return AddFilePicture(at);
    LibraryPictureDialog dialog(library, m_ui, this);
    if (!dialog.HasPictures()) return AddFilePicture(at);
    if (dialog.exec() != QDialog::Accepted) return;
    if (dialog.FromFile() || !dialog.ChosenPicture()) return AddFilePicture(at);
    const std::string folder = std::filesystem::path(m_pagePath).parent_path().string();
    collage::Item item;
    std::string problem;
    if (!LibraryPictureItem(library, *dialog.ChosenPicture(), folder.empty() ? "" : folder + "/", item, problem)) {
        m_ui.ShowMessage(problem, kBoardCaption);
        return;
    }
    AddNewItem("Add Picture", std::move(item), at);
}

void CollageBoard::AddFilePicture(std::optional<QPointF> at) {
    const std::optional<FileChoice> choice = m_ui.ChooseOpenFile(
        "Pictures (*.gif;*.png;*.jpg;*.jpeg;*.webp)|*.gif;*.png;*.jpg;*.jpeg;*.webp|All Files (*.*)|*.*||", "");
    if (!choice) return;
    const std::string folder = std::filesystem::path(m_pagePath).parent_path().string();
    collage::Item item;
    std::string problem;
    if (!FilePictureItem(choice->path, folder.empty() ? "" : folder + "/", item, problem)) {
        m_ui.ShowMessage(problem, kBoardCaption);
        return;
    }
    AddNewItem("Add Picture", std::move(item), at);
}

void CollageBoard::EditText(size_t index) {
    if (index >= m_collage.items.size() || m_collage.items[index].kind == collage::ItemKind::kPicture) return;
    const std::optional<std::string> words = AskWords("Edit Text", m_collage.items[index].words);
    if (!words) return;
    collage::Collage after = m_collage;
    collage::SetWords(after, index, *words);
    Apply("Edit Text", after);
}

void CollageBoard::ExportCollage() {
    if (m_pagePath.empty()) {
        m_ui.ShowMessage("The board shows no collage yet: open a page or press GO first.", "Export Collage");
        return;
    }
    ExportCollageCommand(this, m_ui, m_pagePath, m_collage);
}

void CollageBoard::Print(bool preview) {
    if (!HasPage()) return;
    boardprint::PrintCollage(this, m_ui, m_collage, m_pagePath, m_printFile, preview);
}
