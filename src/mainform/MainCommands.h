// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "form/MainFormState.h"
#include "support/UserInterface.h"

#include <istream>
#include <optional>
#include <string>

// The editing and file commands of the main text area. They work on the form
// state through the UserInterface and RichEditControl ports, so the window,
// and tests without one, run the same code.

// What only the window can do with the main text: the clipboard, the keyboard
// focus and the file type question of Save.
class MainTextWindow {
public:
    enum class SaveFormat { kPlainText, kRichText };

    virtual ~MainTextWindow() = default;
    virtual void Cut() = 0;  // selection to the clipboard
    virtual void Copy() = 0;
    virtual void Paste() = 0;  // clipboard over the selection
    virtual bool HasFocus() const = 0;
    virtual void SetFocus() = 0;
    // Nothing when the user cancels.
    virtual std::optional<SaveFormat> AskFileType() = 0;
};

// The default printer, one page at a time.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // Starts a job; false when there is no default printer.
    virtual bool Begin(const std::string& documentName) = 0;
    // Prints one page of the main text from character `start`; returns one
    // past the last character that fitted.
    virtual int PrintPage(int start) = 0;
    virtual void End() = 0;
};

// Lines the main text's Open takes from a file.
inline constexpr int kMainTextOpenLines = 75;
inline constexpr const char* kPrintErrorCaption = "VANTELO print error";
inline constexpr const char* kNoPrinterMessage = "No default printer is installed.";
inline constexpr const char* kNothingPrintedMessage = "Nothing was printed. Is your printer on?";

// The start of the main form, for the window and for `tarvex4 go` alike:
// seeds the generator, gives the main text its saved font, reads the output
// folder and sets every setting to its start value, with track 1 on. The
// window then only shows it (and opens track 1's window).
void StartMainForm(MainFormState& form, UserInterface& ui);

void UndoMainText(MainFormState& form);
void ChooseMainFont(MainFormState& form, UserInterface& ui, MainTextWindow& window);
void PrintMainText(MainFormState& form, UserInterface& ui, PrintTarget& printer);
void OpenTextFile(MainFormState& form, UserInterface& ui);
void SaveMainText(MainFormState& form, UserInterface& ui, MainTextWindow& window);
void CutMainText(MainFormState& form, MainTextWindow& window);
void CopyMainText(MainTextWindow& window);
void PasteMainText(MainFormState& form, MainTextWindow& window);
void NewMainText(MainFormState& form, MainTextWindow& window);
void OpenUserGuide(const MainFormState& form, UserInterface& ui);

// Open's loading of `path` into the main text (also `tarvex4 go --main`).
bool LoadMainTextFile(MainFormState& form, UserInterface& ui, const std::string& path);

// The text Open takes from a file: the first 75 lines, each longer than one
// character followed by a space, runs of spaces made single.
std::string CollectOpenedText(std::istream& in);
