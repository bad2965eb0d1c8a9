// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "form/MainFormState.h"
#include "support/UserInterface.h"

#include <string>

// The output location, the art-font copy and the small settings of the main
// form that shape a collage. Database work opens a connection of its own on
// the words database and closes it before returning.

// The stored output folder; empty when none is stored or the database fails
// (the failure is passed to `ui` when one is given).
std::string LoadOutputFolder(const MainFormState& state, UserInterface* ui = nullptr);
// Stores the folder; on success the output edit shows folder + file name.
// A failure shows "db error" with the database's message.
void SaveOutputFolder(MainFormState& state, UserInterface& ui, const std::string& folder);

// Output file button: Save As chooser, then folder and file name.
void ChooseOutputFile(MainFormState& state, UserInterface& ui);
// Custom picture folder button: folder chooser, then checks "Folder:".
void ChooseCustomImageFolder(MainFormState& state, UserInterface& ui);
// Palette button: colour chooser for the main text's background.
void ChoosePaletteColour(MainFormState& state, UserInterface& ui);

// The font span of the main text.
std::string MainTextFontSpan(const MainFormState& state);

// Copies <data folder>/artfonts with everything below it into `destination`,
// replacing files of the same name. Returns false and fills `error` when a
// folder or file could not be made.
bool CopyArtFonts(const MainFormState& state, const std::string& destination, std::string* error = nullptr);
