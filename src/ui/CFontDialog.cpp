// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CFontDialog.h"

#include "drawing/BgrColour.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

QFont PresetFont(const FontChoice& preset) {
    QFont font;
    // A face or size that is mixed over the text comes blank: the default stands in.
    if (!preset.face.empty()) font.setFamily(QString::fromStdString(preset.face));
    if (preset.pointSizeTenths > 0) font.setPointSizeF(preset.pointSizeTenths / 10.0);
    font.setBold(preset.bold);
    font.setItalic(preset.italic);
    font.setUnderline(preset.underline);
    return font;
}

// The sample line of Qt's font chooser, so that it shows the colour as well.
QLineEdit* SampleOf(QFontDialog* font) {
    for (auto* group : font->findChildren<QGroupBox*>())
        if (auto* sample = group->findChild<QLineEdit*>()) return sample;
    return nullptr;
}

}  // namespace

CFontDialog::CFontDialog(const FontChoice& preset, QWidget* parent) : QDialog(parent), m_colour(preset.colour) {
    setObjectName("CFontDialog");
    setWindowTitle("Font");

    m_font = new QFontDialog(this);
    m_font->setWindowFlags(Qt::Widget);
    m_font->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_font->setCurrentFont(PresetFont(preset));
    m_sample = SampleOf(m_font);
    // Enter or Escape in the chooser ends the chooser as a dialog of its own:
    // end this one instead and keep the chooser in it.
    connect(m_font, &QDialog::finished, this, [this](int result) {
        m_font->setVisible(true);
        done(result);
    });

    auto* colourLabel = new QLabel("&Colour:", this);
    m_colourButton = new QPushButton(this);
    m_colourButton->setObjectName("colour");
    colourLabel->setBuddy(m_colourButton);
    connect(m_colourButton, &QPushButton::clicked, this, &CFontDialog::AskColour);
    auto* colourRow = new QHBoxLayout;
    colourRow->setContentsMargins(m_font->layout() ? m_font->layout()->contentsMargins().left() : 9, 0, 0, 0);
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_colourButton);
    colourRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 9);
    layout->addWidget(m_font);
    layout->addLayout(colourRow);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(9, 6, 9, 0);
    buttonRow->addWidget(buttons);
    layout->addLayout(buttonRow);
    ShowColour();
}

FontChoice CFontDialog::Choice() const {
    const QFont font = m_font->currentFont();
    FontChoice choice;
    choice.face = font.family().toStdString();
    choice.pointSizeTenths = int(std::lround(font.pointSizeF() * 10));
    choice.colour = m_colour;
    choice.bold = font.bold();
    choice.italic = font.italic();
    choice.underline = font.underline();
    return choice;
}

void CFontDialog::SetColour(std::uint32_t colour) {
    m_colour = colour;
    ShowColour();
}

void CFontDialog::AskColour() {
    const QColor chosen = QColorDialog::getColor(QColorFromBgr(m_colour), this, "Colour");
    if (chosen.isValid()) SetColour(BgrFromQColor(chosen));
}

void CFontDialog::ShowColour() {
    const QColor colour = QColorFromBgr(m_colour);
    QPixmap swatch(28, 14);
    swatch.fill(colour);
    QPainter(&swatch).drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    m_colourButton->setIcon(QIcon(swatch));
    m_colourButton->setIconSize(swatch.size());
    m_colourButton->setText(colour.name(QColor::HexRgb).toUpper());
    if (m_sample != nullptr) {
        QPalette palette = m_sample->palette();
        palette.setColor(QPalette::Text, colour);
        m_sample->setPalette(palette);
    }
}
