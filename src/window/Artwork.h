// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

// The game's pictures, drawn in code at the screen's pixel ratio so they stay crisp.
// Everything is drawn once per pixel ratio and kept: buttons ask for their picture on every paint.
namespace artwork {

enum class Face { Smiling, Straight, Laughing };

// A cyan 6 on a blue gradient square with a teal frame; size is in device pixels.
// Needs no QGuiApplication, so a build tool can render it.
QImage iconImage(int size);
// The icon, drawn afresh at each size the platform asks for, once.
QIcon windowIcon();

// Pointers are 32 x 32 logical pixels, hot spots in logical pixels. Without a ratio they take the
// primary screen's.
QCursor crossHair();
QCursor crossHair(qreal devicePixelRatio);
QCursor fourArrows();
QCursor fourArrows(qreal devicePixelRatio);
QCursor iconPointer();
QCursor iconPointer(qreal devicePixelRatio);

// 32 x 32 logical pixels on a transparent ground.
QPixmap face(Face which, qreal devicePixelRatio);
QPixmap noEntry(qreal devicePixelRatio);

} // namespace artwork
