// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the window icon for the desktops: FOLDER/dorvana.png at 256 pixels, the freedesktop set
// FOLDER/hicolor/NxN/apps/dorvana.png, and FOLDER/dorvana.ico holding every size for Windows. With sizes
// after the folder, only FOLDER/dorvana-N.png at each, for the web page.
#include "window/Artwork.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QString>
#include <QtEndian>

#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

// An icon file whose entries are PNG images, as Windows has read them since Vista.
bool saveIco(const QString& path) {
    QList<QByteArray> pngs;
    for (const int size : kSizes) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!artwork::iconImage(size).save(&buffer, "PNG")) return false;
        pngs.append(png);
    }
    QByteArray ico;
    const auto put = [&ico](auto value) {
        const auto little = qToLittleEndian(value);
        ico.append(reinterpret_cast<const char*>(&little), sizeof little);
    };
    put(quint16{0}); // reserved
    put(quint16{1}); // an icon, not a cursor
    put(static_cast<quint16>(pngs.size()));
    quint32 offset = 6 + 16 * pngs.size();
    for (qsizetype i = 0; i < pngs.size(); ++i) {
        const int size = kSizes[i];
        ico.append(static_cast<char>(size % 256)); // 256 is written as 0
        ico.append(static_cast<char>(size % 256));
        ico.append(2, '\0'); // no palette, reserved
        put(quint16{1});     // colour planes
        put(quint16{32});    // bits per pixel
        put(static_cast<quint32>(pngs[i].size()));
        put(offset);
        offset += pngs[i].size();
    }
    for (const QByteArray& png : pngs)
        ico.append(png);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size() && file.flush();
}

bool saveSizes(const QString& folder, int count, char* sizes[]) {
    bool ok = QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        const int size = QString::fromLatin1(sizes[i]).toInt();
        ok = size > 0 &&
             artwork::iconImage(size).save(QStringLiteral("%1/dorvana-%2.png").arg(folder).arg(size)) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_icon FOLDER [SIZE...]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (argc > 2) {
        const bool ok = saveSizes(folder, argc - 2, argv + 2);
        if (!ok) std::fprintf(stderr, "make_icon: cannot write the icons into %s\n", argv[1]);
        return ok ? 0 : 1;
    }
    // A Makefile build makes no folder for a command's output.
    bool ok = QDir().mkpath(folder) && artwork::iconImage(256).save(folder + "/dorvana.png");
    for (const int size : kSizes) {
        const QString apps = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
        ok = QDir().mkpath(apps) && artwork::iconImage(size).save(apps + "/dorvana.png") && ok;
    }
    ok = saveIco(folder + "/dorvana.ico") && ok;
    if (!ok) std::fprintf(stderr, "make_icon: cannot write the icons into %s\n", argv[1]);
    return ok ? 0 : 1;
}
