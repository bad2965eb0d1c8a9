#pragma once
#include <QDialog>

// The modeless "please wait" box shown while a collage or a fill is built.
class waitmessage : public QDialog {
    Q_OBJECT
public:
    explicit waitmessage(QWidget* parent = nullptr);
    static QString Text() { return QStringLiteral("Processing edit request..."); }
    // Shows the box over the middle of `owner` (placed on first use) and draws
    // it before the work it announces starts.
    void ShowOver(QWidget* owner, bool place);
};
