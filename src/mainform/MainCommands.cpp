// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainform/MainCommands.h"

#include "support/SafeFile.h"

#include "composer/OutputSettings.h"
#include "form/FontDefaults.h"
#include "form/FontPreset.h"
#include "richtext/RichTextOps.h"
#include "support/Random.h"
#include "richtext/TextFileLoad.h"

#include <fstream>

namespace {

void SaveUndo(MainFormState& form) { form.m_undoText = form.m_mainText->StreamRtfOut(); }

// Characters, not bytes: a line of one accented letter is still one character.
std::size_t CharacterCount(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// The old document stays whole until the new one is complete.
bool WriteFile(const std::string& path, const std::string& content, std::string& problem) {
    return WriteFileReplacing(path, content, problem);
}

}  // namespace

void StartMainForm(MainFormState& form, UserInterface& ui) {
    rng::SeedFromTime();
    ApplySavedFont(*form.m_mainText, form.m_dataFolder);
    form.m_mainStyle = settings::kMainStyle.initial;
    form.m_backgroundColour = settings::kPalette.initial;
    form.m_outputFolder = LoadOutputFolder(form, &ui);
    form.m_outputFileName = settings::kOutputFileName.initialText;
    form.m_outputFileText = form.m_outputFolder + form.m_outputFileName;
    // Track 1's window is shown as the form comes up, so it is mixed from the
    // start; the others wait for their show button.
    form.m_trackWindowOpen = {true, false, false, false};
    for (TrackState& track : form.m_tracks) track.SetDatabasePath(form.DatabasePath());
    form.SetWordsPerSnip(settings::kWordsPerSnip.initial);
    form.m_captureCode = settings::kCaptureCode.initial != 0;
    form.m_textOverImages = settings::kTextOverImages.initial != 0;
    form.m_showMain = settings::kShowMain.initial != 0;
    form.m_customImageFolder = settings::kCustomImageFolder.initialText;
}

void UndoMainText(MainFormState& form) {
    // Nothing saved yet: streaming an empty text in would wipe what was typed
    // with no way back.
    if (form.m_undoText.empty()) return;
    form.m_mainText->StreamRtfIn(form.m_undoText);
}

void ChooseMainFont(MainFormState& form, UserInterface& ui, MainTextWindow& window) {
    RichEditControl& text = *form.m_mainText;
    SaveUndo(form);
    text.SelectAll();
    const CharFormat uniform = text.SelectionCharFormat();
    if (std::optional<FontChoice> chosen = ui.ChooseFont(FontPresetFrom(uniform))) {
        const int twips = chosen->pointSizeTenths * 2;
        const std::string fontFile = FontDefaultsPath(form.m_dataFolder);
        // The text still takes the font; only the next start would lose it.
        if (!WriteFontDefaults(fontFile, {chosen->face, twips}))
            ui.ShowMessage("The font could not be saved in " + fontFile + "; the next start will not use it.",
                           "VANTELO save error");
        CharFormat format;
        format.mask = uniform.mask & (CharFormat::kFace | CharFormat::kSize | CharFormat::kColour);
        format.face = chosen->face;
        format.heightTwips = twips;
        format.textColour = chosen->colour;
        text.SetSelectionCharFormat(format);
        CharFormat effects;
        effects.mask = CharFormat::kBold | CharFormat::kItalic | CharFormat::kUnderline;
        effects.bold = chosen->bold;
        effects.italic = chosen->italic;
        effects.underline = chosen->underline;
        text.SetSelectionCharFormat(effects);
    }
    text.CollapseToStart();
    window.SetFocus();
}

void PrintMainText(MainFormState& form, UserInterface& ui, PrintTarget& printer) {
    if (!printer.Begin("testout")) {
        ui.ShowMessage(kNoPrinterMessage, kPrintErrorCaption);
        return;
    }
    const int length = form.m_mainText->TextLength();
    int printed = 0;
    while (printed < length) {
        const int next = printer.PrintPage(printed);
        // A page where nothing fits would be printed again and again.
        if (next <= printed) break;
        printed = next;
    }
    printer.End();
    if (printed == 0) ui.ShowMessage(kNothingPrintedMessage, kPrintErrorCaption);
}

std::string CollectOpenedText(std::istream& in) {
    std::string collected;
    std::string line;
    for (int taken = 0; taken < kMainTextOpenLines && std::getline(in, line); ++taken) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (CharacterCount(line) > 1) collected += line + ' ';
    }
    std::string single;
    single.reserve(collected.size());
    for (std::size_t i = 0; i < collected.size(); ++i)
        if (!(collected[i] == ' ' && i + 1 < collected.size() && collected[i + 1] == ' ')) single += collected[i];
    return single;
}

bool LoadMainTextFile(MainFormState& form, UserInterface& ui, const std::string& path) {
    return LoadTextFileInto(*form.m_mainText, ui, path, kMainTextOpenLines, CollectOpenedText);
}

void OpenTextFile(MainFormState& form, UserInterface& ui) {
    RichEditControl& text = *form.m_mainText;
    SaveUndo(form);
    std::optional<FileChoice> choice = ui.ChooseOpenFile("Text file (*.txt)|*.txt||", "");
    if (choice && choice->path.size() > 1) LoadMainTextFile(form, ui, choice->path);
    text.ScrollToFirstLine();
}

void SaveMainText(MainFormState& form, UserInterface& ui, MainTextWindow& window) {
    std::optional<MainTextWindow::SaveFormat> format = window.AskFileType();
    if (!format) return;
    const bool rich = *format == MainTextWindow::SaveFormat::kRichText;
    std::optional<FileChoice> choice = rich ? ui.ChooseSaveFile("rich text (*.rtf)|*.rtf||", "cutoutput.rtf", true)
                                            : ui.ChooseSaveFile("plain text (*.txt)|*.txt||", "cutoutput.txt", true);
    if (!choice) return;
    const std::string content = rich ? form.m_mainText->StreamRtfOut() : PlainTextOf(*form.m_mainText);
    // Saying nothing would leave the user believing the text was saved.
    std::string problem;
    if (!WriteFile(choice->path, content, problem))
        ui.ShowMessage("The file " + choice->path + " could not be written.\n" + problem, "VANTELO save error");
}

void CutMainText(MainFormState& form, MainTextWindow& window) {
    SaveUndo(form);
    window.Cut();
}

void CopyMainText(MainTextWindow& window) { window.Copy(); }

void PasteMainText(MainFormState& form, MainTextWindow& window) {
    if (!window.HasFocus()) return;
    SaveUndo(form);
    window.Paste();
}

void NewMainText(MainFormState& form, MainTextWindow& window) {
    SaveUndo(form);
    form.m_mainText->SelectAll();
    window.Cut();
    window.SetFocus();
}

void OpenUserGuide(const MainFormState& form, UserInterface& ui) {
    ui.OpenInBrowser(form.m_dataFolder + "/usermanual/vantelo_manual.html");
}
