// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QChar>
#include <QIcon>
#include <QImage>
#include <QList>
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

// A numbered bitmap as the program drew it when it was built: its pixels in
// QImage::Format `format`, row after row as QImage lays them out and not
// compressed, so that the start reads them in place. A start need not load
// the fonts and draw again what never changes between starts.
struct BuiltPicture {
    int id;
    int width;
    int height;
    int format;
    const unsigned char* data;
    int size;
};

// The numbers BitmapPicture knows.
QList<int> BitmapPictureIds();
// A numbered bitmap drawn now, never a stored one.
QImage DrawBitmapPicture(int id);
// The pixels of a stored picture; a null image when its bytes do not match
// its size and format.
QImage BuiltPictureImage(const BuiltPicture& stored);
// BitmapPicture gives these pictures instead of drawing them (the window
// program's start hands over the ones stored at build time).
void UseBuiltPictures(const BuiltPicture* pictures, int count);

// The program's icon (window and desktop).
QIcon AppIcon();
