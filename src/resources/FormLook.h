#pragma once
class QComboBox;
class QWidget;

// The look shared by the main form and the track windows: small type and
// group titles on their frame lines.
void ApplyFormLook(QWidget& widget);

// A drop-down list whose popup is as wide as its longest entry, however
// narrow the list itself is.
void WidenPopupToEntries(QComboBox& list);
