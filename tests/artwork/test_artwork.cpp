// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestGame.h"
#include "window/Artwork.h"
#include "window/GameButton.h"
#include "window/Surface.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <functional>

namespace {

QImage plain(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

// What a picture is drawn for a ratio, as an image without its ratio.
using Drawing = std::function<QImage(qreal)>;

QImage cursorImage(const QCursor& cursor) {
    return plain(cursor.pixmap().toImage());
}

QHash<QString, Drawing> drawings() {
    return {
        {"cross-hair", [](qreal r) { return cursorImage(artwork::crossHair(r)); }},
        {"four arrows", [](qreal r) { return cursorImage(artwork::fourArrows(r)); }},
        {"icon pointer", [](qreal r) { return cursorImage(artwork::iconPointer(r)); }},
        {"smiling", [](qreal r) { return plain(artwork::face(artwork::Face::Smiling, r).toImage()); }},
        {"straight", [](qreal r) { return plain(artwork::face(artwork::Face::Straight, r).toImage()); }},
        {"laughing", [](qreal r) { return plain(artwork::face(artwork::Face::Laughing, r).toImage()); }},
        {"no entry", [](qreal r) { return plain(artwork::noEntry(r).toImage()); }},
    };
}

// Pixels whose colour or opacity differ by more than the tolerance in any channel.
int differingPixels(const QImage& a, const QImage& b, int tolerance = 40) {
    if (a.size() != b.size()) return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance || std::abs(qAlpha(p) - qAlpha(q)) > tolerance)
                ++count;
        }
    return count;
}

bool isTeal(QColor c) {
    return c.red() < 60 && c.green() > 110 && c.blue() > 110 && std::abs(c.green() - c.blue()) < 40;
}
bool isCyan(QColor c) {
    return c.red() < 80 && c.green() > 210 && c.blue() > 210;
}
bool isBlue(QColor c) {
    return c.blue() > 100 && c.blue() > c.red() + 60 && c.blue() > c.green() + 40;
}
bool isYellow(QColor c) {
    return c.red() > 200 && c.green() > 150 && c.blue() < 110 && c.alpha() == 255;
}
bool isRed(QColor c) {
    return c.red() > 170 && c.green() < 80 && c.blue() < 80 && c.alpha() == 255;
}
bool isWhite(QColor c) {
    return c.red() > 235 && c.green() > 235 && c.blue() > 235 && c.alpha() == 255;
}
bool isBlack(QColor c) {
    return c.red() < 30 && c.green() < 30 && c.blue() < 30 && c.alpha() == 255;
}

// Whether the picture, laid on the ground colour, appears somewhere in the image device pixel for
// device pixel.
bool contains(const QImage& shot, const QPixmap& picture, QColor ground) {
    QImage laid(picture.size(), QImage::Format_ARGB32);
    laid.fill(ground);
    QImage devicePixels = picture.toImage();
    devicePixels.setDevicePixelRatio(1);
    QPainter(&laid).drawImage(0, 0, devicePixels);
    const QImage haystack = plain(shot);
    for (int top = 0; top + laid.height() <= haystack.height(); ++top)
        for (int left = 0; left + laid.width() <= haystack.width(); ++left)
            if (differingPixels(haystack.copy(left, top, laid.width(), laid.height()), laid, 3) == 0)
                return true;
    return false;
}

struct Wave {
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
    QList<qint16> samples;
    double seconds() const { return rate == 0 ? 0 : double(samples.size()) / channels / rate; }
};

// Reads a RIFF/WAVE file chunk by chunk; fails the calling test on any malformed part.
Wave readWave(const QString& path) {
    Wave wave;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable("cannot open " + path), __FILE__, __LINE__);
        return wave;
    }
    const QByteArray bytes = file.readAll();
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    if (bytes.size() < 12 || bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE" ||
        u32(4) != bytes.size() - 8) {
        QTest::qFail("not a RIFF/WAVE file whose size matches its header", __FILE__, __LINE__);
        return wave;
    }
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(at + 4);
        if (quint64(at) + 8 + size > quint64(bytes.size())) {
            QTest::qFail(qPrintable("chunk " + id + " runs past the end of the file"), __FILE__, __LINE__);
            return wave;
        }
        if (id == "fmt " && size >= 16) {
            wave.format = u16(at + 8);
            wave.channels = u16(at + 10);
            wave.rate = u32(at + 12);
            wave.bits = u16(at + 22);
            haveFormat = true;
            const bool consistent = u32(at + 16) == wave.rate * wave.channels * wave.bits / 8 &&
                                    u16(at + 20) == wave.channels * wave.bits / 8;
            if (!consistent)
                QTest::qFail("byte rate or block size disagrees with the format", __FILE__, __LINE__);
        } else if (id == "data" && haveFormat && wave.bits == 16) {
            for (quint32 i = 0; i + 1 < size; i += 2)
                wave.samples.append(qint16(u16(at + 8 + i)));
        }
        at += 8 + size + (size & 1);
    }
    return wave;
}

} // namespace

class Artwork : public QObject {
    Q_OBJECT
  private slots:
    void pointersHaveTheirSizeAndHotSpot_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QPoint>("hotSpot");
        for (const qreal ratio : {1.0, 2.0}) {
            const QByteArray at = " at " + QByteArray::number(ratio);
            QTest::newRow("cross-hair" + at) << "cross-hair" << ratio << QPoint(16, 16);
            QTest::newRow("four arrows" + at) << "four arrows" << ratio << QPoint(10, 10);
            QTest::newRow("icon pointer" + at) << "icon pointer" << ratio << QPoint(16, 16);
        }
    }
    void pointersHaveTheirSizeAndHotSpot() {
        QFETCH(QString, name);
        QFETCH(qreal, ratio);
        QFETCH(QPoint, hotSpot);
        const QCursor cursor = name == "cross-hair"    ? artwork::crossHair(ratio)
                               : name == "four arrows" ? artwork::fourArrows(ratio)
                                                       : artwork::iconPointer(ratio);
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32) * ratio);
        QCOMPARE(cursor.pixmap().devicePixelRatio(), ratio);
        QCOMPARE(cursor.hotSpot(), hotSpot);

        // The hot spot sits on the figure's centre mark, not on empty ground.
        const QColor atHotSpot = cursorImage(cursor).pixelColor(hotSpot * ratio);
        if (name == "cross-hair") QVERIFY2(isRed(atHotSpot), qPrintable(atHotSpot.name(QColor::HexArgb)));
        if (name == "four arrows") QVERIFY2(isBlue(atHotSpot), qPrintable(atHotSpot.name(QColor::HexArgb)));
        if (name == "icon pointer") QVERIFY2(isBlack(atHotSpot), qPrintable(atHotSpot.name(QColor::HexArgb)));
        // Pointers are drawn on a transparent ground.
        QCOMPARE(
            cursorImage(cursor).pixelColor(cursor.pixmap().width() - 1, cursor.pixmap().height() - 1).alpha(),
            0);
    }

    void pointersWithoutARatioFollowThePrimaryScreen() {
        const qreal screenRatio = QGuiApplication::primaryScreen()->devicePixelRatio();
        QCOMPARE(artwork::crossHair().pixmap().devicePixelRatio(), screenRatio);
        QCOMPARE(artwork::fourArrows().pixmap().devicePixelRatio(), screenRatio);
        QCOMPARE(artwork::iconPointer().pixmap().devicePixelRatio(), screenRatio);
    }

    void iconShowsACyanSixInATealFrame_data() {
        QTest::addColumn<int>("size");
        for (const int size : {16, 24, 32, 48, 64, 128, 256})
            QTest::newRow(QByteArray::number(size)) << size;
    }
    // The icon as the platform gets it, at each size it asks for.
    void iconShowsACyanSixInATealFrame() {
        QFETCH(int, size);
        const QImage icon = plain(artwork::windowIcon().pixmap(QSize(size, size), 1.0).toImage());
        QCOMPARE(icon.size(), QSize(size, size));
        // Points in the icon's 32-unit drawing box.
        auto at = [&](double x, double y) { return icon.pixelColor(int(x * size / 32), int(y * size / 32)); };
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            QVERIFY2(isTeal(icon.pixelColor(corner)), qPrintable(icon.pixelColor(corner).name()));
        QVERIFY2(isTeal(icon.pixelColor(0, size / 2)), "the frame runs down the left side");
        QVERIFY2(isTeal(icon.pixelColor(size / 2, size - 1)), "the frame runs along the bottom");
        QVERIFY2(isCyan(at(10.2, 20.2)), qPrintable("left of the loop " + at(10.2, 20.2).name()));
        QVERIFY2(isCyan(at(16.2, 26.0)), qPrintable("foot of the loop " + at(16.2, 26.0).name()));
        QVERIFY2(isCyan(at(18.0, 6.6)), qPrintable("top of the stem " + at(18.0, 6.6).name()));
        QVERIFY2(isBlue(at(16.2, 20.2)), qPrintable("inside the loop " + at(16.2, 20.2).name()));
        QVERIFY2(isBlue(at(25.5, 25.5)), qPrintable("beside the digit " + at(25.5, 25.5).name()));
        // The square is a gradient, lighter towards the top left.
        QVERIFY(at(5, 26).lightness() > at(26, 26).lightness());
    }

    void windowIconIsDrawnAtEachSize() {
        const QIcon icon = artwork::windowIcon();
        const auto drawn = [&](int size) { return plain(icon.pixmap(QSize(size, size), 1.0).toImage()); };
        // Drawn afresh, not the 256 image shrunk: the 16 keeps a one-pixel frame.
        const QImage small = drawn(16);
        QVERIFY(isTeal(small.pixelColor(0, 8)) && isBlue(small.pixelColor(1, 8)));
        QVERIFY(differingPixels(drawn(256).scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                                small, 20) > 0);
    }

    void facesAndSignShowTheirSubject() {
        using artwork::Face;
        for (const Face which : {Face::Smiling, Face::Straight, Face::Laughing}) {
            const QImage face = plain(artwork::face(which, 1).toImage());
            QCOMPARE(face.size(), QSize(32, 32));
            QCOMPARE(face.pixelColor(0, 0).alpha(), 0);
            QVERIFY2(isYellow(face.pixelColor(6, 16)), qPrintable(face.pixelColor(6, 16).name()));
            QVERIFY2(isYellow(face.pixelColor(16, 5)), qPrintable(face.pixelColor(16, 5).name()));
        }
        const QImage sign = plain(artwork::noEntry(1).toImage());
        QCOMPARE(sign.size(), QSize(32, 32));
        QCOMPARE(sign.pixelColor(0, 0).alpha(), 0);
        QVERIFY2(isWhite(sign.pixelColor(16, 16)), qPrintable("the bar " + sign.pixelColor(16, 16).name()));
        QVERIFY2(isWhite(sign.pixelColor(9, 15)), qPrintable("the bar " + sign.pixelColor(9, 15).name()));
        QVERIFY2(isRed(sign.pixelColor(16, 6)), qPrintable("the disc " + sign.pixelColor(16, 6).name()));
        QVERIFY2(isRed(sign.pixelColor(16, 25)), qPrintable("the disc " + sign.pixelColor(16, 25).name()));
    }

    void theThreeFacesDiffer_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("smiling, straight") << "smiling"
                                           << "straight";
        QTest::newRow("smiling, laughing") << "smiling"
                                           << "laughing";
        QTest::newRow("straight, laughing") << "straight"
                                            << "laughing";
    }
    void theThreeFacesDiffer() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        for (const qreal ratio : {1.0, 2.0}) {
            const int differing = differingPixels(drawings()[first](ratio), drawings()[second](ratio));
            QVERIFY2(differing >= 12 * ratio * ratio, qPrintable(QString::number(differing)));
        }
    }

    void doubleRatioPicturesAreDrawnAtDoubleRatio_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fewestFinerPixels");
        // The pointers are drawn on whole pixels, so only their round parts gain detail at 2x.
        QTest::newRow("cross-hair") << "cross-hair" << 8;
        QTest::newRow("four arrows") << "four arrows" << 40;
        QTest::newRow("smiling") << "smiling" << 150;
        QTest::newRow("straight") << "straight" << 150;
        QTest::newRow("laughing") << "laughing" << 150;
        QTest::newRow("no entry") << "no entry" << 150;
    }
    void doubleRatioPicturesAreDrawnAtDoubleRatio() {
        QFETCH(QString, name);
        QFETCH(int, fewestFinerPixels);
        const QImage single = drawings()[name](1);
        const QImage twice = drawings()[name](2);
        QCOMPARE(twice.size(), QSize(64, 64));
        QCOMPARE(drawings()[name](2).devicePixelRatio(), 2.0);
        const QImage blocky = single.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QImage blurred = single.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY2(differingPixels(twice, blocky, 24) >= fewestFinerPixels,
                 qPrintable(QString::number(differingPixels(twice, blocky, 24))));
        QVERIFY2(differingPixels(twice, blurred, 24) >= fewestFinerPixels,
                 qPrintable(QString::number(differingPixels(twice, blurred, 24))));
        // The same subject at the same place: shrunk back, the 2x drawing looks like the 1x one.
        const QImage shrunk = twice.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY2(differingPixels(shrunk, single, 128) <= 32,
                 qPrintable(QString::number(differingPixels(shrunk, single, 128))));
    }

    void picturesAreKeptOncePerRatio() {
        QCOMPARE(artwork::face(artwork::Face::Smiling, 2).cacheKey(),
                 artwork::face(artwork::Face::Smiling, 2).cacheKey());
        QCOMPARE(artwork::noEntry(1).cacheKey(), artwork::noEntry(1).cacheKey());
        QVERIFY(artwork::noEntry(1).cacheKey() != artwork::noEntry(2).cacheKey());
        QCOMPARE(artwork::crossHair(2).pixmap().cacheKey(), artwork::crossHair(2).pixmap().cacheKey());
    }

    void theWindowShowsItsPictures() {
        TestGame game;
        game.start("Mario");
        // The start bar is disabled throughout, so the player sees the laughing face.
        const qreal ratio = game->cmdNext->devicePixelRatioF();
        QVERIFY(contains(game->cmdNext->grab().toImage(), artwork::face(artwork::Face::Laughing, ratio),
                         QColor(0, 0xC0, 0)));
        QVERIFY(contains(game->cmdExit->grab().toImage(), artwork::noEntry(ratio), QColor(0xC0, 0, 0xC0)));
        QCOMPARE(game->surface()->cursor().hotSpot(), QPoint(16, 16));
        QCOMPARE(game->paricmd->cursor().hotSpot(), QPoint(10, 10));
        QCOMPARE(game->surface()->cursor().pixmap().toImage(), artwork::crossHair().pixmap().toImage());
        QCOMPARE(game->paricmd->cursor().pixmap().toImage(), artwork::fourArrows().pixmap().toImage());
    }

    void cuesAreShortMonoPcmWaves_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        QTest::newRow("laser") << "laser.wav" << 0.2 << 1.0;
        QTest::newRow("shot") << "sparo.wav" << 0.1 << 0.5;
        QTest::newRow("explosion") << "esplosi.wav" << 0.6 << 2.0;
    }
    void cuesAreShortMonoPcmWaves() {
        QFETCH(QString, file);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        const Wave wave = readWave(QStringLiteral(DORVANA_CUES_DIR "/") + file);
        QCOMPARE(wave.format, quint16(1));
        QCOMPARE(wave.bits, quint16(16));
        QVERIFY(wave.channels == 1 || wave.channels == 2);
        QVERIFY2(wave.rate >= 11025 && wave.rate <= 48000, qPrintable(QString::number(wave.rate)));
        QVERIFY2(wave.seconds() >= shortest && wave.seconds() <= longest,
                 qPrintable(QString::number(wave.seconds())));

        int peak = 0;
        int railed = 0;
        for (const qint16 s : wave.samples) {
            peak = std::max(peak, std::abs(int(s)));
            if (s == 32767 || s == -32768) ++railed;
        }
        QVERIFY2(peak > 16000, qPrintable("too quiet to hear over the game: peak " + QString::number(peak)));
        QCOMPARE(railed, 0);
        // Starts and ends near silence, so neither end clicks.
        QVERIFY2(std::abs(int(wave.samples.first())) < 2000,
                 qPrintable(QString::number(wave.samples.first())));
        int tail = 0;
        for (qsizetype i = wave.samples.size() - 32; i < wave.samples.size(); ++i)
            tail = std::max(tail, std::abs(int(wave.samples[i])));
        QVERIFY2(tail < 1000, qPrintable("ends abruptly at level " + QString::number(tail)));
    }
};

QTEST_MAIN(Artwork)
#include "test_artwork.moc"
