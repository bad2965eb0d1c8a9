#include "ui/QtUserInterface.h"

#include "ui/CFolderDialog.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include <cmath>
#include <cstdlib>

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

FileChoice ChoiceOf(const QString& path) {
    return {path.toStdString(), QFileInfo(path).fileName().toStdString()};
}

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

std::uint32_t ColourRefFromRgb(int red, int green, int blue) {
    return std::uint32_t(red & 0xFF) | (std::uint32_t(green & 0xFF) << 8) | (std::uint32_t(blue & 0xFF) << 16);
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
    QMessageBox box(QMessageBox::NoIcon, Q(caption), Q(text), set, m_owner);
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

void QtUserInterface::OpenInBrowser(const std::string& path) {
    // A documented setting for servers and CI: no browser starts.
    const char* noOpen = std::getenv("TARVEX4_NO_OPEN");
    if (noOpen && *noOpen && std::string(noOpen) != "0") return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

std::optional<FileChoice> QtUserInterface::ChooseOpenFile(const std::string& filter,
                                                         const std::string& initialName) {
    const QString path =
        QFileDialog::getOpenFileName(m_owner, "Open", Q(initialName), QtFilterFromDialogFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return ChoiceOf(path);
}

std::optional<FileChoice> QtUserInterface::ChooseSaveFile(const std::string& filter,
                                                         const std::string& initialName, bool promptOverwrite) {
    QFileDialog::Options options;
    if (!promptOverwrite) options |= QFileDialog::DontConfirmOverwrite;
    const QString path = QFileDialog::getSaveFileName(m_owner, "Save As", Q(initialName),
                                                      QtFilterFromDialogFilter(filter), nullptr, options);
    if (path.isEmpty()) return std::nullopt;
    return ChoiceOf(path);
}

FolderChoice QtUserInterface::ChooseFolder(const std::string& title, const std::string& start) {
    CFolderDialog dialog(Q(title), Q(start), m_owner);
    FolderChoice choice;
    choice.result = dialog.DoModal();
    if (choice.result == 1) choice.path = dialog.GetFolderPath().toStdString();
    return choice;
}

std::optional<FontChoice> QtUserInterface::ChooseFont(const FontChoice& initial) {
    QFont preset;
    if (!initial.face.empty()) preset.setFamily(Q(initial.face));
    if (initial.pointSizeTenths > 0) preset.setPointSizeF(initial.pointSizeTenths / 10.0);
    preset.setBold(initial.bold);
    preset.setItalic(initial.italic);
    preset.setUnderline(initial.underline);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, preset, m_owner, "Font");
    if (!ok) return std::nullopt;
    FontChoice choice = initial;
    choice.face = font.family().toStdString();
    choice.pointSizeTenths = int(std::lround(font.pointSizeF() * 10));
    choice.bold = font.bold();
    choice.italic = font.italic();
    choice.underline = font.underline();
    return choice;
}

std::optional<std::uint32_t> QtUserInterface::ChooseColour(std::uint32_t initial) {
    const QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF), int((initial >> 16) & 0xFF));
    const QColor colour = QColorDialog::getColor(start, m_owner);
    if (!colour.isValid()) return std::nullopt;
    return ColourRefFromRgb(colour.red(), colour.green(), colour.blue());
}
