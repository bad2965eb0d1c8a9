// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "wordbooks/FillCommands.h"
#include "wordbooks/WordbookCatalogue.h"

#include <QDialog>

class QAbstractButton;
class QComboBox;
class UserInterface;
class bookname;
class customwait;

// "Author text fill": chooses a classic author or a custom wordbook for the
// authors button, and creates, renames and deletes wordbooks. Choosing in
// one list resets the other to its first entry.
class authors : public QDialog, public wordbooks::AuthorChooser, public wordbooks::WordbookDialogs {
    Q_OBJECT
public:
    explicit authors(UserInterface& ui, QWidget* parent = nullptr);
    ~authors() override;

    void SetDatabasePath(const std::string& path) { m_state.m_databasePath = path; }
    // InitAuthorsDialog, then the modal run.
    int Run();

    // What the dialog stored when it last ended with OK.
    const std::string& AuthorName() const { return m_state.m_authorName; }
    const std::string& BookName() const { return m_state.m_bookName; }
    const wordbooks::AuthorsDialogState& State() const { return m_state; }

    customwait& LoaderDialog() const { return *m_loaderDialog; }
    bookname& NameDialog() const { return *m_nameDialog; }

    // AuthorChooser
    std::optional<wordbooks::AuthorChoice> ChooseAuthorOrWordbook(const std::string& databasePath) override;
    // WordbookDialogs
    std::optional<std::string> AskNewBookName() override;
    wordbooks::LoadResult RunLoader(const wordbooks::LoaderSetup& setup) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void InitAuthorsDialog();
    void ShowLists();
    void Ok();

    UserInterface& m_ui;
    wordbooks::AuthorsDialogState m_state;
    QComboBox* m_authorList;
    QComboBox* m_wordbookList;
    QAbstractButton* m_ok;
    customwait* m_loaderDialog;
    bookname* m_nameDialog;
};
