// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class QAbstractButton;
class QKeyEvent;
class QWidget;

// The dialogs' buttons are pictures, not push buttons, so Qt gives them no
// default button. Enter and Return answer as on every dialog of the
// platform: a focused button clicks itself, otherwise `defaultButton`
// answers. True when the key was taken.
bool AnswerEnterKey(QKeyEvent* event, QWidget* dialog, QAbstractButton* defaultButton);
