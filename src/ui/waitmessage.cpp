// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/waitmessage.h"

#include "ui/WaitMessageIds.h"

#include <QCoreApplication>

#include <QLabel>
#include <QVBoxLayout>

waitmessage::waitmessage(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QString::number(IDD_WAITMESSAGE));
    setModal(false);
    auto* label = new QLabel(Text(), this);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 1);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(label);
    setStyleSheet("waitmessage { background: #FFF8DC; border: 2px solid #5A6678; }");
    setFixedSize(240, 60);
}

void waitmessage::ShowOver(QWidget* owner, bool place) {
    if (place) {
        const QPoint centre((owner->width() - width()) / 2, (owner->height() - height()) / 2);
        move(owner->mapToGlobal(centre));
    }
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowWaitBox::Show() {
    const bool first = m_box == nullptr;
    if (first) m_box = new waitmessage(m_owner);
    m_box->ShowOver(m_owner, first);
}

bool WindowWaitBox::Hide() {
    if (m_box == nullptr) return false;
    m_box->hide();
    return true;
}
