// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StatusNote.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QUrl>

#include <cstdlib>

namespace {

constexpr const char* kNoteName = "writtenNote";

QLabel& NoteOf(QMainWindow& window) {
    QStatusBar* bar = window.statusBar();
    if (auto* note = bar->findChild<QLabel*>(kNoteName)) return *note;
    auto* note = new QLabel(bar);
    note->setObjectName(kNoteName);
    note->setTextFormat(Qt::RichText);
    note->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QObject::connect(note, &QLabel::linkActivated, note,
                     [](const QString& link) { OpenFolderOf(QUrl(link).toLocalFile().toStdString()); });
    bar->addWidget(note, 1);
    return *note;
}

}  // namespace

bool OpenFolderOf(const std::string& path) {
    // Servers and CI start no file manager, as they start no browser.
    const char* noOpen = std::getenv("TARVEX4_NO_OPEN");
    if (noOpen && *noOpen && std::string(noOpen) != "0") return false;
    const QString folder = QFileInfo(QString::fromStdString(path)).absolutePath();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void ShowWrittenFile(QMainWindow& window, const QString& what, const std::string& path) {
    const QString full = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    QLabel& note = NoteOf(window);
    note.setText(QString("%1 %2 &nbsp;<a href=\"%3\">Open folder</a>")
                     .arg(what.toHtmlEscaped(), full.toHtmlEscaped(),
                          QUrl::fromLocalFile(full).toString(QUrl::FullyEncoded).toHtmlEscaped()));
    note.setToolTip(full);
}
