// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the window icon to PNG files for the desktop: FOLDER/dorvana.png at 256 pixels and the
// freedesktop set FOLDER/hicolor/NxN/apps/dorvana.png.
#include "window/Artwork.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    // A Makefile build makes no folder for a command's output.
    bool ok = QDir().mkpath(folder) && artwork::iconImage(256).save(folder + "/dorvana.png");
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString apps = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
        ok = QDir().mkpath(apps) && artwork::iconImage(size).save(apps + "/dorvana.png") && ok;
    }
    if (!ok) std::fprintf(stderr, "make_icon: cannot write the icons into %s\n", argv[1]);
    return ok ? 0 : 1;
}
