#include "ui/bookname.h"

#include "resources/FormLook.h"
#include "resources/Pictures.h"
#include "ui/CBitmapButton.h"
#include "ui/DialogLayout.h"
#include "ui/WordbookDialogIds.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>

using namespace dialoglayout;

bookname::bookname(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(IDD_BOOKNAME));
    setWindowTitle("Change Wordbook Name");
    ApplyFormLook(*this);
    setFixedSize(X(150), Y(72));

    auto* label = new QLabel("Enter a new Wordbook Name:", this);
    label->move(Point(10, 9));
    label->adjustSize();
    m_edit = Place(new QLineEdit(this), IDC_NEWNAME, Rect(10, 21, 130, 13));

    auto* ok = new CBitmapButton(this);
    ok->AutoLoad("authorok");
    Place(ok, IDOK, QRect(Point(22, 45), ok->size()));
    auto* cancel = new CBitmapButton(this);
    cancel->AutoLoad("authorcancel");
    Place(cancel, IDCANCEL, QRect(Point(84, 45), cancel->size()));
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

void bookname::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), BitmapPicture(IDB_DIALOGBACKGROUND));
}
