// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/authors.h"

#include "resources/FormLook.h"
#include "resources/Pictures.h"
#include "ui/CBitmapButton.h"
#include "ui/DialogKeys.h"
#include "ui/DialogLayout.h"
#include "ui/WordbookDialogIds.h"
#include "ui/bookname.h"
#include "ui/customwait.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

using namespace dialoglayout;

namespace {

constexpr int kVisibleEntries = 16;

CBitmapButton* AddButton(QWidget* parent, int id, const char* caption, int left, int top, const char* tip) {
    auto* button = new CBitmapButton(parent);
    button->AutoLoad(caption);
    Place(button, id, QRect(Point(left, top), button->size()));
    if (tip != nullptr) button->setToolTip(tip);
    return button;
}

QComboBox* AddList(QWidget* parent, int id, const QRect& where) {
    auto* list = Place(new QComboBox(parent), id, where);
    list->setMaxVisibleItems(kVisibleEntries);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
}

}  // namespace

authors::authors(UserInterface& ui, QWidget* parent) : QDialog(parent), m_ui(ui) {
    setObjectName(QString::number(IDD_AUTHORS));
    setWindowTitle("Author text fill");
    ApplyFormLook(*this);
    setFixedSize(X(200), Y(108));

    auto* authorLabel = new QLabel("Classic Author's Texts", this);
    authorLabel->move(Point(10, 8));
    authorLabel->adjustSize();
    m_authorList = AddList(this, IDC_AUTHORLIST, Rect(10, 18, 180, 13));
    auto* bookLabel = new QLabel("Custom Wordbooks", this);
    bookLabel->move(Point(10, 40));
    bookLabel->adjustSize();
    m_wordbookList = AddList(this, IDC_WORDBOOKLIST, Rect(10, 50, 124, 13));

    auto* create = AddButton(this, IDC_NEWPAGE, "newpage", 140, 49, "Create a new custom wordbook ");
    auto* rename = AddButton(this, IDC_RENAME, "rename", 157, 49, "Rename the selected wordbook");
    auto* remove = AddButton(this, IDC_DELETEFILE, "deletefile", 174, 49, "Delete selected wordbook");
    auto* ok = AddButton(this, IDOK, "authorok", 40, 80, nullptr);
    auto* cancel = AddButton(this, IDCANCEL, "authorcancel", 116, 80, nullptr);
    m_ok = ok;

    m_loaderDialog = new customwait(m_ui, this);
    m_nameDialog = new bookname(this);

    // Only a choice the user makes resets the other list.
    connect(m_authorList, &QComboBox::activated, this, [this](int index) {
        m_state.m_authorSelection = index;
        m_state.m_wordbookSelection = 0;
        ShowLists();
    });
    connect(m_wordbookList, &QComboBox::activated, this, [this](int index) {
        m_state.m_wordbookSelection = index;
        m_state.m_authorSelection = 0;
        ShowLists();
    });
    connect(create, &QAbstractButton::clicked, this, [this] {
        wordbooks::CreateWordbook(m_state, m_ui, *this);
        ShowLists();
    });
    connect(rename, &QAbstractButton::clicked, this, [this] {
        wordbooks::RenameWordbook(m_state, m_ui, *this);
        ShowLists();
    });
    connect(remove, &QAbstractButton::clicked, this, [this] {
        wordbooks::DeleteWordbook(m_state, m_ui);
        ShowLists();
    });
    connect(ok, &QAbstractButton::clicked, this, &authors::Ok);
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

authors::~authors() = default;

void authors::InitAuthorsDialog() {
    m_state.m_authorSelection = 1;
    wordbooks::FillWordbookList(m_state, m_ui, false);
    ShowLists();
}

void authors::ShowLists() {
    const QSignalBlocker blockAuthors(m_authorList);
    const QSignalBlocker blockBooks(m_wordbookList);
    if (m_authorList->count() == 0)
        for (const std::string& entry : wordbooks::AuthorListEntries())
            m_authorList->addItem(QString::fromStdString(entry));
    m_wordbookList->clear();
    for (const std::string& entry : m_state.m_wordbookList) m_wordbookList->addItem(QString::fromStdString(entry));
    m_authorList->setCurrentIndex(m_state.m_authorSelection);
    m_wordbookList->setCurrentIndex(m_state.m_wordbookSelection);
}

int authors::Run() {
    InitAuthorsDialog();
    return exec();
}

void authors::Ok() {
    m_state.m_authorName = m_authorList->currentText().toStdString();
    m_state.m_bookName = m_wordbookList->currentText().toStdString();
    const auto index = static_cast<std::size_t>(m_wordbookList->currentIndex());
    m_state.m_bookId = index < m_state.m_wordbookIds.size() ? m_state.m_wordbookIds[index] : 0;
    accept();
}

std::optional<wordbooks::AuthorChoice> authors::ChooseAuthorOrWordbook(const std::string& databasePath) {
    SetDatabasePath(databasePath);
    if (Run() != Accepted) return std::nullopt;
    return wordbooks::AuthorChoice{m_state.m_authorName, m_state.m_bookName, m_state.m_bookId};
}

std::optional<std::string> authors::AskNewBookName() {
    if (m_nameDialog->exec() != Accepted) return std::nullopt;
    return m_nameDialog->NewName().toStdString();
}

wordbooks::LoadResult authors::RunLoader(const wordbooks::LoaderSetup& setup) {
    m_loaderDialog->SetLoad(setup);
    m_loaderDialog->ClearStarted();
    m_loaderDialog->exec();
    return m_loaderDialog->LastResult();
}

void authors::keyPressEvent(QKeyEvent* event) {
    if (!AnswerEnterKey(event, this, m_ok)) QDialog::keyPressEvent(event);
}

void authors::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), BitmapPicture(IDB_DIALOGBACKGROUND));
}
