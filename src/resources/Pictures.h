#pragma once
#include <QChar>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// Every picture of the program is drawn by code on first use and cached.

// The picture of a button bound by its caption (case-insensitive), in one of
// its four states: 'U' up, 'D' down, 'F' focused, 'X' disabled. Known captions
// get a drawing of what the button does; any other caption gets a button face
// with the caption written on it.
QPixmap ButtonPicture(const QString& caption, QChar state);

// The size of that picture in any state, known without drawing it, so that a
// window can be laid out and shown before its buttons are drawn.
QSize ButtonPictureSize(const QString& caption);

// A numbered bitmap (IDB_... of ResourceIds.h); an unknown number gives a
// null pixmap.
QPixmap BitmapPicture(int id);

// The program's icon (window and desktop).
QIcon AppIcon();
