// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/FormLook.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

namespace {

// Group titles sit on the frame line, so the boxes enclose their controls
// at the heights the layout gives them. Radio buttons keep their caption
// close, so that a caption never touches the next button of a row.
constexpr const char* kGroupBoxRules =
    "QGroupBox { border: 1px solid #7C889A; border-radius: 3px; margin-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 7px;"
    " padding: 0 2px; top: 0px; }";
constexpr const char* kComboBoxRules = "QComboBox { padding-left: 3px; }QComboBox::drop-down { width: 13px; }";
constexpr const char* kRadioButtonRules = "QRadioButton { spacing: 3px; }";

QString FormRules() { return QString(kGroupBoxRules) + kComboBoxRules + kRadioButtonRules; }

}  // namespace

void ApplyFormFont(QWidget& widget) {
    QFont small = widget.font();
    small.setPixelSize(11);
    widget.setFont(small);
}

void ApplyFormLook(QWidget& widget) {
    ApplyFormFont(widget);
    widget.setStyleSheet(FormRules());
}

namespace {

// Fills its form, under the form's other controls, whatever size the form takes.
class LookLayer : public QWidget {
public:
    explicit LookLayer(QWidget& form) : QWidget(&form) {
        setObjectName("formLook");
        setStyleSheet(FormRules());
        setGeometry(form.rect());
        lower();
        form.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
        return false;
    }
};

}  // namespace

QWidget* MakeLookLayer(QWidget& form) { return new LookLayer(form); }

void WidenPopupToEntries(QComboBox& list) {
    QAbstractItemView* popup = list.view();
    const QFontMetrics metrics(popup->font());
    int widest = 0;
    for (int i = 0; i < list.count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(list.itemText(i)));
    // The entry's own margins and focus frame, the popup's frame, and a scroll bar when not all entries fit.
    int width = widest + 2 * metrics.averageCharWidth() + 2 * popup->frameWidth() + 8;
    if (list.count() > list.maxVisibleItems()) width += popup->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    popup->setMinimumWidth(width);
}

void WidePopupComboBox::showPopup() {
    WidenPopupToEntries(*this);
    QComboBox::showPopup();
}
