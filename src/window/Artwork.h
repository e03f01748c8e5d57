#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

// The game's pictures, drawn in code at the screen's pixel ratio so they stay crisp.
namespace artwork {

enum class Face { Smiling, Straight, Laughing };

// A cyan 6 on a blue gradient square with a teal frame; size is in device pixels.
QImage iconImage(int size);
QIcon windowIcon();

QCursor crossHair();
QCursor fourArrows();
QCursor iconPointer();

// 32 x 32 logical pixels.
QPixmap face(Face which, qreal devicePixelRatio);
QPixmap noEntry(qreal devicePixelRatio);

} // namespace artwork
