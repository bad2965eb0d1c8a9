// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

class QRadioButton;

// Asks whether the main text is saved as plain or as rich text.
class filetype : public QDialog {
    Q_OBJECT
public:
    explicit filetype(QWidget* parent = nullptr);
    // True when "rich text" is the selected format.
    bool IsRichText() const { return m_richText; }

private:
    QRadioButton* m_plain;
    QRadioButton* m_rich;
    bool m_richText = false;
};
