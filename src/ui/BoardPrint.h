// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "page/CollageModel.h"

#include <QString>

#include <string>

class QPagedPaintDevice;
class QWidget;
class UserInterface;

// Printing the collage the board shows: drawn as the export draws it, on
// one sheet, as large as the paper allows inside a margin, its shape kept.
namespace boardprint {

// Paper edge to collage, at least, whatever the printer can reach.
constexpr double kMarginMillimetres = 10;

// Draws `collage` (its pictures found in `pageFolder`) on the printer's
// current page. False when the printer takes no painting.
bool PaintOnPaper(QPagedPaintDevice& printer, const collage::Collage& collage, const std::string& pageFolder);

// Prints straight onto the default printer (into `pdfFile` instead when it
// is given), as the main text prints; with `preview` the print preview shows
// first and the user prints from there. A missing printer or a job that
// took nothing is said as the main text's print says it.
void PrintCollage(QWidget* owner, UserInterface& ui, const collage::Collage& collage, const std::string& pagePath,
                  const QString& pdfFile, bool preview);

}  // namespace boardprint
