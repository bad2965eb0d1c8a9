// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/OutputSettings.h"

#include "db/SqlDatabase.h"
#include "page/FontSpan.h"
#include "db/WordsDb.h"
#include "db/WordsDbCheck.h"
#include "support/FileCopier.h"

std::string LoadOutputFolder(const MainFormState& state, UserInterface* ui) {
    try {
        // The command's own connection, closed as it returns.
        SqlDatabase db(SqlDatabase::OpenMode::ExistingOnly);
        db.Open(state.DatabasePath());
        SqlQuery query = db.Query(wordsdb::SelectOutputFolder());
        if (!query.IsEof() && query.FieldText(0)) return query.FieldText(0);
    } catch (const CppSQLite3Exception& e) {
        // The form must start all the same, with no output folder.
        if (ui) {
            const std::string text = FailureText(e, "Reading the output folder");
            ui->ShowMessage(wordsdb::ExplainedFailure(text, e.File(), e.Code()), wordsdb::kErrorCaption);
        }
    }
    return std::string();
}

void SaveOutputFolder(MainFormState& state, UserInterface& ui, const std::string& folder) {
    try {
        SqlDatabase db(SqlDatabase::OpenMode::ExistingOnly);
        db.Open(state.DatabasePath());
        db.Execute(wordsdb::UpdateOutputFolder(folder));
        state.m_outputFileText = folder + state.m_outputFileName;
    } catch (const CppSQLite3Exception& e) {
        const std::string text = FailureText(e, "Saving the output folder");
        ui.ShowMessage(wordsdb::ExplainedFailure(text, e.File(), e.Code()), wordsdb::kErrorCaption, MessageButtons::Ok);
    }
}

void ChooseOutputFile(MainFormState& state, UserInterface& ui) {
    // The dialog starts in the current output folder, not wherever the program was started.
    const std::string initial = state.m_outputFolder + "collage1.html";
    std::optional<FileChoice> choice = ui.ChooseSaveFile("HTML file (*.html)|*.htm||", initial, true);
    if (!choice) return;
    const std::string& path = choice->path;
    const std::string& name = choice->fileName;
    std::string folder;
    if (!name.empty() && path.size() >= name.size() &&
        path.compare(path.size() - name.size(), name.size(), name) == 0) {
        folder = path.substr(0, path.size() - name.size());
    }
    if (folder.size() < 2) {
        ui.ShowMessage("Check output file name", "OUTPUT FILENAME ERROR", MessageButtons::Ok);
        return;
    }
    state.m_outputFileName = name;
    state.m_outputFolder = folder;
    SaveOutputFolder(state, ui, folder);
}

void ChooseCustomImageFolder(MainFormState& state, UserInterface& ui) {
    FolderChoice choice = ui.ChooseFolder("Custom GIF Images Folder:", state.m_customImageFolder);
    if (choice.result == 1) state.m_customImageFolder = choice.path;
    state.m_customFolderText = state.m_customImageFolder;
    state.m_useCustomFolder = true;
}

void ChoosePaletteColour(MainFormState& state, UserInterface& ui) {
    std::optional<std::uint32_t> colour = ui.ChooseColour(0x000000);
    RichEditControl& text = *state.m_mainText;
    if (colour) {
        state.m_backgroundColour = *colour;
        text.SetBackgroundColour(*colour);
    }
    text.SelectAll();
    text.SetSelectionCharFormat(text.SelectionCharFormat());
    text.CollapseToStart();
}

std::string MainTextFontSpan(const MainFormState& state) { return FontSpanOf(*state.m_mainText); }

bool CopyArtFonts(const MainFormState& state, const std::string& destination, std::string* error) {
    FileCopier copier;
    copier.SetOverwrite(true);
    try {
        copier.CopyFolderTree(state.m_dataFolder + "/artfonts", destination);
    } catch (const CFExeption& e) {
        if (error) *error = e.Message();
        return false;
    }
    return true;
}
