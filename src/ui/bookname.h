// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

class QAbstractButton;
class QLineEdit;

// "Change Wordbook Name": asks for a wordbook's new name. The name stays
// between runs, so the edit shows the name entered last time.
class bookname : public QDialog {
    Q_OBJECT
public:
    explicit bookname(QWidget* parent = nullptr);

    int exec() override;
    QString NewName() const { return m_newName; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* m_edit;
    QAbstractButton* m_ok;
    QString m_newName;
};
