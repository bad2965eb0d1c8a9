#include "resources/FormLook.h"

#include <QFont>
#include <QWidget>

void ApplyFormLook(QWidget& widget) {
    QFont small = widget.font();
    small.setPixelSize(11);
    widget.setFont(small);
    // Group titles sit on the frame line, so the boxes enclose their controls
    // at the heights the layout gives them.
    widget.setStyleSheet(
        "QGroupBox { border: 1px solid #7C889A; border-radius: 3px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 7px;"
        " padding: 0 2px; top: 0px; }"
        "QComboBox { padding-left: 3px; }"
        "QComboBox::drop-down { width: 13px; }");
}
