// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class QWidget;

// Lets the user pick a folder: construct, DoModal, read the path.
class CFolderDialog {
public:
    // Only file-system folders can be confirmed.
    static constexpr unsigned kReturnOnlyFsDirs = 1;

    CFolderDialog(const QString& title, const QString& initialFolder, QWidget* owner,
                  unsigned flags = kReturnOnlyFsDirs);

    // 1: a folder was chosen (GetFolderPath holds it); 2: cancelled;
    // -1: the chosen item has no file-system path.
    int DoModal();
    QString GetFolderPath() const { return m_path; }
    QString Title() const { return m_title; }

private:
    QString m_title;
    QString m_initialFolder;
    QWidget* m_owner;
    unsigned m_flags;
    QString m_path;
};
