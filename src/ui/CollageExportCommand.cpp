// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CollageExportCommand.h"

#include "page/BoardEdits.h"
#include "drawing/CollageExport.h"
#include "support/PaperSizes.h"
#include "ui/StatusNote.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMainWindow>
#include <QInputDialog>
#include <QStringList>

#include <algorithm>

namespace {

constexpr const char* kExportCaption = "Export Collage";

QStringList PaperChoices() {
    QStringList choices{"The collage's own size"};
    for (const std::string& name : PaperNames()) choices << QString::fromStdString(name);
    return choices;
}

// PNG: the size; PDF: the page. False when the user cancels.
bool AskLayout(QWidget* owner, collageexport::Format format, collageexport::Options& options) {
    if (format == collageexport::Format::kSvg) return true;
    const bool png = format == collageexport::Format::kPng;
    const QStringList choices = png ? QStringList{"1x (852 x 1102 pixels)", "2x (1704 x 2204 pixels)"} : PaperChoices();
    QInputDialog dialog(owner);
    dialog.setWindowTitle(kExportCaption);
    dialog.setLabelText(png ? "Picture size:" : "Page size:");
    dialog.setComboBoxItems(choices);
    dialog.setComboBoxEditable(false);
    // Wide enough for the caption, which a window manager would cut short.
    // The dialog's layout sets its own minimum, so the width goes on the list.
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    const int captionRoom = QFontMetrics(titleFont).horizontalAdvance(kExportCaption) + 160;
    if (auto* list = dialog.findChild<QComboBox*>()) list->setMinimumWidth(std::max(300, captionRoom));
    if (dialog.exec() != QDialog::Accepted) return false;
    const QString chosen = dialog.textValue();
    const int index = static_cast<int>(choices.indexOf(chosen));
    if (png)
        options.scale = index == 1 ? 2 : 1;
    else if (index > 0)
        options.paper = chosen.toStdString();
    return true;
}

void ExportWith(QWidget* owner, UserInterface& ui, const std::string& lastPage, const collage::Collage* shown) {
    if (lastPage.empty()) {
        ui.ShowMessage("There is no collage to export yet: press GO first.", kExportCaption);
        return;
    }
    // Beside the page, under its name.
    const QFileInfo page(QString::fromStdString(lastPage));
    const std::string initial = (page.absolutePath() + "/" + page.completeBaseName() + ".png").toStdString();
    // Replacing is asked below, once the file is known not to be one the page is drawn from.
    std::optional<FileChoice> choice = ui.ChooseSaveFile(
        "PNG picture (*.png)|*.png|PDF document (*.pdf)|*.pdf|SVG drawing (*.svg)|*.svg||", initial, false);
    if (!choice) return;
    std::string path = choice->path;
    std::optional<collageexport::Format> format = collageexport::FormatOf(path);
    if (!format) {
        path += ".png";
        format = collageexport::Format::kPng;
    }

    collage::Collage collage;
    std::string problem;
    if (shown) {
        collage = *shown;
    } else if (!collage::LoadPageFile(lastPage, collage, problem, collage::kWindowName)) {
        ui.ShowMessage(problem, kExportCaption);
        return;
    }
    const std::string conflict =
        collageexport::InputConflict(path, lastPage, collage, page.absolutePath().toStdString());
    if (!conflict.empty()) {
        ui.ShowMessage(conflict, kExportCaption);
        return;
    }
    if (QFileInfo::exists(QString::fromStdString(path)) &&
        ui.ShowMessage(path + " already exists.\nDo you want to replace it?", kExportCaption, MessageButtons::YesNo) !=
            MessageResult::Yes) {
        return;
    }
    collageexport::Options options;
    if (!AskLayout(owner, *format, options)) return;
    CollageDrawing drawing(collage, page.absolutePath().toStdString());
    if (!collageexport::Export(drawing, path, *format, options, problem)) {
        ui.ShowMessage(problem, kExportCaption);
        return;
    }
    if (owner != nullptr) {
        if (auto* window = qobject_cast<QMainWindow*>(owner->window())) ShowWrittenFile(*window, "Exported to", path);
    }
    if (!drawing.Missing().empty()) {
        std::string text = "These pictures are missing beside the page " + lastPage + " and are drawn as placeholders:";
        for (const std::string& file : drawing.Missing()) text += "\n" + file;
        ui.ShowMessage(text, kExportCaption);
    }
}

}  // namespace

void ExportCollageCommand(QWidget* owner, UserInterface& ui, const std::string& lastPage) {
    ExportWith(owner, ui, lastPage, nullptr);
}

void ExportCollageCommand(QWidget* owner, UserInterface& ui, const std::string& pagePath,
                          const collage::Collage& shown) {
    ExportWith(owner, ui, pagePath, &shown);
}
