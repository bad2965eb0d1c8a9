// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DialogKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

bool AnswerEnterKey(QKeyEvent* event, QWidget* dialog, QAbstractButton* defaultButton) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier) return false;
    auto* focused = qobject_cast<QAbstractButton*>(dialog->focusWidget());
    QAbstractButton* answer = focused != nullptr && dialog->isAncestorOf(focused) ? focused : defaultButton;
    if (answer == nullptr || !answer->isEnabled()) return false;
    event->accept();
    answer->click();
    return true;
}
