// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/filetype.h"

#include "ui/FileTypeIds.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

filetype::filetype(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(IDD_FILETYPE));
    setWindowTitle("Select File Type");
    auto* group = new QGroupBox("Select file format for output", this);
    m_plain = new QRadioButton("plain text (best for reloading to Brisko)", group);
    m_plain->setObjectName(QString::number(IDC_PLAINTEXT));
    m_rich = new QRadioButton("rich text (for use with word processing apps)", group);
    m_rich->setObjectName(QString::number(IDC_RICHTEXT));
    m_plain->setChecked(true);
    connect(m_plain, &QRadioButton::clicked, this, [this] { m_richText = false; });
    connect(m_rich, &QRadioButton::clicked, this, [this] { m_richText = true; });

    auto* inner = new QVBoxLayout(group);
    inner->addWidget(m_plain);
    inner->addWidget(m_rich);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QString::number(IDOK));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QString::number(IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}
