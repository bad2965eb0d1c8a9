// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/UserInterface.h"

#include <QDialog>

#include <cstdint>

class QFontDialog;
class QLineEdit;
class QPushButton;

// The font dialog with effects: Qt's font chooser (face, style, size,
// underline, strike-out) and a text colour, in one dialog. Qt's own font
// dialog has no colour, and without it every snip of a page would be black.
class CFontDialog : public QDialog {
    Q_OBJECT
public:
    CFontDialog(const FontChoice& preset, QWidget* parent = nullptr);

    // What the dialog shows now, in the program's terms.
    FontChoice Choice() const;

    std::uint32_t Colour() const { return m_colour; }
    void SetColour(std::uint32_t colour);
    QFontDialog* FontPart() const { return m_font; }
    QPushButton* ColourButton() const { return m_colourButton; }

private:
    void AskColour();
    void ShowColour();

    QFontDialog* m_font = nullptr;
    QPushButton* m_colourButton = nullptr;
    QLineEdit* m_sample = nullptr;
    std::uint32_t m_colour = 0;
};
