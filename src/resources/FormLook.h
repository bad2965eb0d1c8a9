#pragma once
class QWidget;

// The look shared by the main form and the track windows: small type and
// group titles on their frame lines.
void ApplyFormLook(QWidget& widget);
