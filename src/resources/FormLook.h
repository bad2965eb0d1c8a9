// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QComboBox>

class QWidget;

// The look shared by the main form, the track windows and the dialogs: small
// type and group titles on their frame lines.
void ApplyFormLook(QWidget& widget);

// The same look for the windows that open at start, in two parts: the small
// type for the whole form, and a layer that carries the rules for group boxes,
// drop-down lists and radio buttons, on which the form makes those controls.
// The layer fills the form under its other controls. Its rules are read once
// rather than once per control, and the form's other controls keep Qt's plain
// style, which is quicker than the style sheet style.
void ApplyFormFont(QWidget& widget);
QWidget* MakeLookLayer(QWidget& form);

// A drop-down list whose popup is as wide as its longest entry, however
// narrow the list itself is.
void WidenPopupToEntries(QComboBox& list);

// A drop-down list that widens its popup so when it opens: the popup is not
// made before somebody opens it.
class WidePopupComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override;
};
