#include "ui/filetype.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

filetype::filetype(QWidget* parent) : QDialog(parent) {
    setObjectName("106");
    setWindowTitle("Select File Type");
    auto* group = new QGroupBox("Select file format for output", this);
    m_plain = new QRadioButton("plain text (best for reloading to Brisko)", group);
    m_plain->setObjectName("1041");
    m_rich = new QRadioButton("rich text (for use with word processing apps)", group);
    m_rich->setObjectName("1042");
    m_plain->setChecked(true);
    connect(m_plain, &QRadioButton::clicked, this, [this] { m_richText = false; });
    connect(m_rich, &QRadioButton::clicked, this, [this] { m_richText = true; });

    auto* inner = new QVBoxLayout(group);
    inner->addWidget(m_plain);
    inner->addWidget(m_rich);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}
