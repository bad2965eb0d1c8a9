// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Faults of a form laid out by hand, whatever its numbers: a control outside
// the form or across the border of a group box, two controls on top of each
// other, a text cut off at its font. For forms whose controls and group
// boxes are children of the form, or of a plain layer that fills it.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QWidget>

#include <string>
#include <vector>

namespace layout {

inline std::string NameOf(const QWidget* w) {
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(w)) text = label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) text = button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w)) text = group->title();
    return (w->metaObject()->className() + QString(" ") + w->objectName() + " '" + text + "'").toStdString();
}

// Width the control needs to show its whole text; 0 for a control without one.
inline int TextWidthNeeded(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text().isEmpty() || !label->pixmap().isNull() ? 0 : label->sizeHint().width();
    if (auto* group = qobject_cast<const QGroupBox*>(w))
        return w->fontMetrics().horizontalAdvance(group->title()) + 2 * w->fontMetrics().averageCharWidth();
    return 0;
}

// A check box's or radio button's text against the room its style gives it
// beside the indicator.
inline bool ButtonTextFits(const QAbstractButton* button) {
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    if (button->text().isEmpty() || (!radio && !qobject_cast<const QCheckBox*>(button))) return true;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
    const QFontMetrics metrics = button->fontMetrics();
    return metrics.horizontalAdvance(button->text()) <= room.width() && metrics.height() <= room.height();
}

// The longest entry of a combo box against its edit field.
inline bool ComboTextFits(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect field =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    for (int i = 0; i < combo->count(); ++i)
        if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > field.width()) return false;
    return true;
}

inline std::vector<std::string> Faults(const QWidget& form) {
    std::vector<const QWidget*> groups;
    std::vector<const QWidget*> controls;
    std::vector<const QWidget*> children;
    for (const QWidget* w : form.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const bool layer = w->metaObject()->className() == QByteArray("QWidget") && w->geometry() == form.rect();
        if (!layer)
            children.push_back(w);
        else
            for (const QWidget* c : w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                children.push_back(c);
    }
    for (const QWidget* w : children) {
        if (!w->isVisibleTo(&form) || w->isWindow()) continue;
        (qobject_cast<const QGroupBox*>(w) ? groups : controls).push_back(w);
    }
    std::vector<std::string> faults;
    auto fault = [&](const QWidget* w, const std::string& what) { faults.push_back(NameOf(w) + " " + what); };
    for (const QWidget* w : groups) {
        if (!form.rect().contains(w->geometry())) fault(w, "lies outside the form");
        if (w->width() < TextWidthNeeded(w)) fault(w, "cuts off its title");
        for (const QWidget* other : groups)
            if (w < other && w->geometry().intersects(other->geometry())) fault(w, "overlaps " + NameOf(other));
    }
    for (const QWidget* w : controls) {
        if (!form.rect().contains(w->geometry())) fault(w, "lies outside the form");
        for (const QWidget* group : groups)
            if (group->geometry().intersects(w->geometry()) && !group->geometry().contains(w->geometry()))
                fault(w, "crosses the border of " + NameOf(group));
        for (const QWidget* other : controls)
            if (w < other && w->geometry().intersects(other->geometry())) fault(w, "overlaps " + NameOf(other));
        if (w->width() < TextWidthNeeded(w) || (TextWidthNeeded(w) > 0 && w->height() < w->fontMetrics().height()))
            fault(w, "cuts off its text");
        if (auto* button = qobject_cast<const QAbstractButton*>(w); button && !ButtonTextFits(button))
            fault(w, "cuts off its text");
        if (auto* combo = qobject_cast<const QComboBox*>(w); combo && !ComboTextFits(combo))
            fault(w, "cuts off an entry");
    }
    return faults;
}

}  // namespace layout
