// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bookname.h"

#include "resources/FormLook.h"
#include "resources/Pictures.h"
#include "ui/CBitmapButton.h"
#include "ui/DialogKeys.h"
#include "ui/DialogLayout.h"
#include "ui/TitleWidth.h"
#include "ui/WordbookDialogIds.h"

#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

using namespace dialoglayout;

bookname::bookname(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(IDD_BOOKNAME));
    setWindowTitle("Change Wordbook Name");
    ApplyFormLook(*this);
    setFixedSize(WidthForTitle(windowTitle(), X(150)), Y(72));

    auto* label = new QLabel("Enter a new Wordbook Name:", this);
    label->move(Point(10, 9));
    label->adjustSize();
    m_edit = Place(new QLineEdit(this), IDC_NEWNAME, Rect(10, 21, 130, 13));

    auto* ok = new CBitmapButton(this);
    ok->AutoLoad("authorok");
    auto* cancel = new CBitmapButton(this);
    cancel->AutoLoad("authorcancel");
    // The buttons stay centred in the widened window.
    const int gap = (width() - ok->width() - cancel->width()) / 3;
    Place(ok, IDOK, QRect(QPoint(gap, Y(45)), ok->size()));
    Place(cancel, IDCANCEL, QRect(QPoint(2 * gap + ok->width(), Y(45)), cancel->size()));
    m_edit->setGeometry(X(10), m_edit->y(), width() - 2 * X(10), m_edit->height());
    m_ok = ok;
    connect(ok, &QAbstractButton::clicked, this, [this] {
        m_newName = m_edit->text();
        accept();
    });
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

int bookname::exec() {
    m_edit->setText(m_newName);
    m_edit->selectAll();
    m_edit->setFocus();
    return QDialog::exec();
}

void bookname::keyPressEvent(QKeyEvent* event) {
    if (!AnswerEnterKey(event, this, m_ok)) QDialog::keyPressEvent(event);
}

void bookname::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), BitmapPicture(IDB_DIALOGBACKGROUND));
}
