// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BookExportDialog.h"

#include "drawing/CollageExport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr const char* kCaption = "Export Collages as Book";

// Name order with runs of digits compared as numbers: collage2 before
// collage10. (QCollator's numeric mode does nothing without ICU.)
bool NumbersCountedBefore(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype numberA = i;
            const qsizetype numberB = j;
            while (i < a.size() && a[i].isDigit()) ++i;
            while (j < b.size() && b[j].isDigit()) ++j;
            // Leading zeros aside, the longer number is the larger.
            const QString digitsA = a.mid(numberA, i - numberA).remove(QRegularExpression("^0+(?=.)"));
            const QString digitsB = b.mid(numberB, j - numberB).remove(QRegularExpression("^0+(?=.)"));
            if (digitsA.size() != digitsB.size()) return digitsA.size() < digitsB.size();
            if (digitsA != digitsB) return digitsA < digitsB;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

}  // namespace

BookExportDialog::BookExportDialog(QWidget* owner, const std::vector<std::string>& pages) : QDialog(owner) {
    setWindowTitle(kCaption);
    m_pages = new QListWidget(this);
    m_pages->setObjectName("pages");
    for (const std::string& page : pages) {
        auto* item = new QListWidgetItem(QFileInfo(QString::fromStdString(page)).fileName(), m_pages);
        item->setData(Qt::UserRole, QString::fromStdString(page));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    m_pages->setCurrentRow(0);
    auto* up = new QPushButton("Up", this);
    auto* down = new QPushButton("Down", this);
    connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { Move(1); });
    auto* moves = new QVBoxLayout;
    moves->addWidget(up);
    moves->addWidget(down);
    moves->addStretch();
    auto* list = new QHBoxLayout;
    list->addWidget(m_pages);
    list->addLayout(moves);

    m_title = new QLineEdit(this);
    m_title->setObjectName("title");
    m_numbers = new QCheckBox("Page numbers", this);
    m_numbers->setObjectName("numbers");
    auto* form = new QFormLayout;
    form->addRow("Title page:", m_title);
    form->addRow(m_numbers);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(list);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void BookExportDialog::Move(int step) {
    const int row = m_pages->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_pages->count()) return;
    m_pages->insertItem(to, m_pages->takeItem(row));
    m_pages->setCurrentRow(to);
}

std::vector<std::string> BookExportDialog::ChosenPages() const {
    std::vector<std::string> chosen;
    for (int row = 0; row < m_pages->count(); ++row) {
        const QListWidgetItem* item = m_pages->item(row);
        if (item->checkState() == Qt::Checked) chosen.push_back(item->data(Qt::UserRole).toString().toStdString());
    }
    return chosen;
}

std::string BookExportDialog::Title() const { return m_title->text().trimmed().toStdString(); }

bool BookExportDialog::PageNumbers() const { return m_numbers->isChecked(); }

std::vector<std::string> PagesInFolder(const std::string& folder) {
    QStringList names = QDir(QString::fromStdString(folder)).entryList({"*.html", "*.htm"}, QDir::Files);
    std::sort(names.begin(), names.end(), NumbersCountedBefore);
    std::vector<std::string> pages;
    for (const QString& name : names)
        pages.push_back(QDir(QString::fromStdString(folder)).filePath(name).toStdString());
    return pages;
}

void ExportBookCommand(QWidget* owner, UserInterface& ui, const std::string& outputFolder) {
    const std::vector<std::string> pages = PagesInFolder(outputFolder);
    if (pages.empty()) {
        ui.ShowMessage("There are no collage pages in " + outputFolder + " yet: press GO first.", kCaption);
        return;
    }
    BookExportDialog dialog(owner, pages);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::vector<std::string> chosen = dialog.ChosenPages();
    if (chosen.empty()) return;
    const std::optional<FileChoice> choice =
        ui.ChooseSaveFile("PDF document (*.pdf)|*.pdf||",
                          QDir(QString::fromStdString(outputFolder)).filePath("book.pdf").toStdString(), true);
    if (!choice) return;
    std::string path = choice->path;
    if (!collageexport::FormatOf(path)) path += ".pdf";
    collageexport::Book book{dialog.Title(), dialog.PageNumbers()};
    std::vector<std::string> missing;
    std::string problem;
    if (!collageexport::ExportBook(chosen, path, collageexport::Options{}, book, missing, problem)) {
        ui.ShowMessage(problem, kCaption);
        return;
    }
    if (!missing.empty()) {
        std::string text = "These pictures are missing beside their pages and are drawn as placeholders:";
        for (const std::string& file : missing) text += "\n" + file;
        ui.ShowMessage(text, kCaption);
    }
}
