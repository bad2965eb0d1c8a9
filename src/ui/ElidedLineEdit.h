// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLineEdit>

// A read-only field for a path: too long for its width, it shows the path's
// start and end with "..." between, and the whole path as its tooltip. The
// text itself stays whole, for copying and for anyone who reads it.
class ElidedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
    void SetPath(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
};
