// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CFolderDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

CFolderDialog::CFolderDialog(const QString& title, const QString& initialFolder, QWidget* owner, unsigned flags)
        : m_title(title), m_initialFolder(initialFolder), m_owner(owner), m_flags(flags) {}

int CFolderDialog::DoModal() {
    m_path.clear();
    QFileDialog dialog(m_owner, m_title);
    dialog.setObjectName("CFolderDialog");
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    // Qt's own dialog, so the title shows and the result is the same everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setLabelText(QFileDialog::LookIn, m_title);
    if (!m_initialFolder.isEmpty()) dialog.setDirectory(m_initialFolder);
    if (dialog.exec() != QDialog::Accepted) return 2;
    const QList<QUrl> urls = dialog.selectedUrls();
    if (urls.isEmpty()) return 2;
    if (!urls.first().isLocalFile()) return -1;
    const QString path = urls.first().toLocalFile();
    if ((m_flags & kReturnOnlyFsDirs) && !QFileInfo(path).isDir()) return -1;
    m_path = path;
    return 1;
}
