// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/UserInterface.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;

// The collage pages of a folder to put in a book: each can be left out and
// moved up or down; the book's title and page numbers are chosen with them.
class BookExportDialog : public QDialog {
    Q_OBJECT
public:
    BookExportDialog(QWidget* owner, const std::vector<std::string>& pages);

    std::vector<std::string> ChosenPages() const;
    std::string Title() const;
    bool PageNumbers() const;

private:
    void Move(int step);

    QListWidget* m_pages = nullptr;
    QLineEdit* m_title = nullptr;
    QCheckBox* m_numbers = nullptr;
};

// The collage pages (*.html, *.htm) in `folder`, in name order with numbers
// counted (collage2 before collage10).
std::vector<std::string> PagesInFolder(const std::string& folder);

// File > Export Collages as Book...: pages of the output folder chosen and
// ordered, then written as one PDF.
void ExportBookCommand(QWidget* owner, UserInterface& ui, const std::string& outputFolder);
