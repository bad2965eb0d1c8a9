#pragma once
#include <QComboBox>

class QWidget;

// The look shared by the main form, the track windows and the dialogs: small
// type and group titles on their frame lines.
void ApplyFormLook(QWidget& widget);

// The same look in two steps, for the windows that open at start: the small
// type for the form, and the rules for each group box, drop-down list and
// radio button as it is made (before it is sized). A style sheet on the whole
// form would send every other control through Qt's slower style sheet style.
void ApplyFormFont(QWidget& widget);
void ApplyControlLook(QWidget& control);
template <class W>
W* WithControlLook(W* control) {
    ApplyControlLook(*control);
    return control;
}

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
