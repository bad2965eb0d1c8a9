// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractButton>
#include <QString>

// A button that shows pictures instead of a frame and text. AutoLoad binds it
// by caption: the picture set "<CAPTION>U/D/F/X" (up, down, focused,
// disabled) and the button takes the size of its pictures.
class CBitmapButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CBitmapButton(QWidget* parent = nullptr);

    void AutoLoad(const QString& caption);
    QString Caption() const { return m_caption; }

    // Holds the down picture while not pressed (e.g. a track that is on).
    void SetPushed(bool pushed);
    bool IsPushed() const { return m_pushed; }

    // The state letter of the picture drawn now: U, D, F or X.
    QChar PictureState() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString m_caption;
    bool m_pushed = false;
};
