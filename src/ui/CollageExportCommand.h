// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"
#include "support/UserInterface.h"

#include <string>

class QWidget;

// File > Export Collage...: the page of the last GO drawn as PNG (1x or 2x),
// PDF (the collage's size or fitted on paper) or SVG, the kind chosen by the
// file's type. `lastPage` is empty before the first GO.
void ExportCollageCommand(QWidget* owner, UserInterface& ui, const std::string& lastPage);
// The same for a collage as the board shows it, arranged or not; its pictures
// are named from the folder of `pagePath`.
void ExportCollageCommand(QWidget* owner, UserInterface& ui, const std::string& pagePath,
                          const collage::Collage& shown);
