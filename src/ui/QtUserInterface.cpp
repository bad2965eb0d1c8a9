// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtUserInterface.h"

#include "drawing/BgrColour.h"
#include "ui/CFolderDialog.h"
#include "ui/CFontDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QStringList>
#include <QUrl>

#include <cmath>
#include <cstdlib>

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

FileChoice ChoiceOf(const QString& path) { return {path.toStdString(), QFileInfo(path).fileName().toStdString()}; }

// A message box is as wide as its text; a longer caption would be cut in the
// title bar ("VANTEL...int error"). Room for the caption, the window's icon
// and its buttons.
void WidenForCaption(QMessageBox& box) {
    constexpr int kTitleBarRoom = 140;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

constexpr const char* kBrowserCaption = "VANTELO";

// The window and the control that had the keyboard before a dialog get it
// back when the dialog closes; left to the window manager, another window of
// the program (or none) may come up instead.
class FocusKeeper {
public:
    explicit FocusKeeper(QWidget* owner)
            : m_window(QApplication::activeWindow() ? QApplication::activeWindow()
                       : owner                      ? owner->window()
                                                    : nullptr),
              m_focus(QApplication::focusWidget()) {}
    ~FocusKeeper() {
        if (m_window == nullptr || !m_window->isVisible()) return;
        m_window->activateWindow();
        if (m_focus && m_focus->window() == m_window && m_focus->isVisible()) m_focus->setFocus(Qt::OtherFocusReason);
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};

}  // namespace

QString QtFilterFromDialogFilter(const std::string& filter) {
    const QStringList parts = Q(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString label = parts[i].trimmed();
        if (label.isEmpty()) break;
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        // The label usually names its patterns already; keep it readable and
        // let Qt match the patterns of both.
        static const QRegularExpression tail(R"(^(.*?)\s*\(([^()]*)\)$)");
        const auto m = tail.match(label);
        QString name = label;
        if (m.hasMatch()) {
            name = m.captured(1);
            QStringList shown = m.captured(2).split(QRegularExpression("[ ;]"), Qt::SkipEmptyParts);
            for (const QString& p : patterns)
                if (!shown.contains(p)) shown << p;
            patterns = shown;
        }
        filters << name + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

MessageResult QtUserInterface::ShowMessage(const std::string& text, const std::string& caption,
                                           MessageButtons buttons) {
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    switch (buttons) {
        case MessageButtons::Ok: set = QMessageBox::Ok; break;
        case MessageButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
        case MessageButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
        case MessageButtons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    const FocusKeeper keeper(m_owner);
    QMessageBox box(QMessageBox::NoIcon, Q(caption), Q(text), set, m_owner);
    WidenForCaption(box);
    switch (box.exec()) {
        case QMessageBox::Cancel: return MessageResult::Cancel;
        case QMessageBox::Yes: return MessageResult::Yes;
        case QMessageBox::No: return MessageResult::No;
        default: return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Ok;
    }
}

void QtUserInterface::ShowWaitMessage() {
    if (m_showWait) m_showWait();
}

void QtUserInterface::HideWaitMessage() {
    if (m_hideWait) m_hideWait();
}

std::unique_ptr<QtUserInterface> QtUserInterface::ForWindow(QWidget* owner) const {
    auto other = std::make_unique<QtUserInterface>(*this);
    other->m_owner = owner;
    return other;
}

void QtUserInterface::OpenInBrowser(const std::string& path) {
    // A documented setting for servers and CI: no browser starts.
    const char* noOpen = std::getenv("TARVEX4_NO_OPEN");
    if (noOpen && *noOpen && std::string(noOpen) != "0") return;
    // Without a word the user would wait for a page that never comes.
    if (!QFileInfo::exists(Q(path))) {
        ShowMessage("The page could not be found:\n" + path, kBrowserCaption);
        return;
    }
    // Absolute, so that a relative path is never read as some other kind of address.
    const QUrl url = QUrl::fromLocalFile(QFileInfo(Q(path)).absoluteFilePath());
    const bool opened = m_opener ? m_opener(url) : QDesktopServices::openUrl(url);
    if (!opened)
        ShowMessage(
            "The page could not be shown in a web browser:\n" + path + "\n\nOpen it from the browser's File menu.",
            kBrowserCaption);
}

std::optional<FileChoice> QtUserInterface::RunFileDialog(const QString& caption, const std::string& filter,
                                                         const std::string& initialName, bool save,
                                                         bool promptOverwrite) {
    const FocusKeeper keeper(m_owner);
    QFileDialog dialog(m_owner, caption, Q(initialName), QtFilterFromDialogFilter(filter));
    dialog.setObjectName(save ? "saveFileDialog" : "openFileDialog");
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !promptOverwrite);
    // A name with its folder starts there, the name proposed.
    const QFileInfo initial(Q(initialName));
    if (!initialName.empty() && !initial.isDir() && !initialName.ends_with('/')) dialog.selectFile(initial.fileName());
    if (m_places) {
        QList<QUrl> places = dialog.sidebarUrls();
        for (const std::string& place : m_places()) {
            const QUrl url = QUrl::fromLocalFile(QFileInfo(Q(place)).absoluteFilePath());
            if (!place.empty() && QFileInfo(Q(place)).isDir() && !places.contains(url)) places << url;
        }
        dialog.setSidebarUrls(places);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) return std::nullopt;
    return ChoiceOf(path);
}

std::optional<FileChoice> QtUserInterface::ChooseOpenFile(const std::string& filter, const std::string& initialName) {
    return RunFileDialog("Open", filter, initialName, false, false);
}

std::optional<FileChoice> QtUserInterface::ChooseSaveFile(const std::string& filter, const std::string& initialName,
                                                          bool promptOverwrite) {
    return RunFileDialog("Save As", filter, initialName, true, promptOverwrite);
}

FolderChoice QtUserInterface::ChooseFolder(const std::string& title, const std::string& start) {
    const FocusKeeper keeper(m_owner);
    CFolderDialog dialog(Q(title), Q(start), m_owner);
    FolderChoice choice;
    choice.result = dialog.DoModal();
    if (choice.result == 1) choice.path = dialog.GetFolderPath().toStdString();
    return choice;
}

std::optional<FontChoice> QtUserInterface::ChooseFont(const FontChoice& initial) {
    const FocusKeeper keeper(m_owner);
    CFontDialog dialog(initial, m_owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

std::optional<std::uint32_t> QtUserInterface::ChooseColour(std::uint32_t initial) {
    const FocusKeeper keeper(m_owner);
    const QColor colour = QColorDialog::getColor(QColorFromBgr(initial), m_owner);
    if (!colour.isValid()) return std::nullopt;
    return BgrFromQColor(colour);
}
