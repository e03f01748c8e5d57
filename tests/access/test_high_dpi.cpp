// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window at the pixel ratio that QT_SCALE_FACTOR asks for: the same layout in device pixels
// multiplied by the ratio, and pictures drawn for the ratio rather than enlarged.
#include "TestGame.h"
#include "window/Artwork.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"
#include "window/ScreenFit.h"
#include "window/Surface.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QPainter>
#include <QTest>
#include <cmath>
#include <qpa/qplatformnativeinterface.h>

namespace {

qreal askedRatio() {
    bool ok = false;
    const qreal ratio = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? ratio : 1.0;
}

// The device pixel at the middle of logical pixel p.
QPoint devicePixel(QPoint p, qreal ratio) {
    return {int(std::floor((p.x() + 0.5) * ratio)), int(std::floor((p.y() + 0.5) * ratio))};
}

QImage grabSurface(Tavola& tavola) {
    return tavola.surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Sum of squared steps between neighbours: a smooth enlargement splits every edge into smaller steps.
double edgeEnergy(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    double energy = 0;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb here = argb.pixel(x, y);
            for (const QPoint next : {QPoint(x + 1, y), QPoint(x, y + 1)}) {
                if (!argb.valid(next)) continue;
                const QRgb there = argb.pixel(next);
                const int steps[] = {qRed(here) - qRed(there), qGreen(here) - qGreen(there),
                                     qBlue(here) - qBlue(there), qAlpha(here) - qAlpha(there)};
                for (const int step : steps)
                    energy += double(step) * step;
            }
        }
    }
    return energy;
}

// Fraction of pixels where two same-sized images differ by more than a rounding step.
double differingShare(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            const int most = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                       std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            if (most > 8) ++differing;
        }
    }
    return double(differing) / (left.width() * left.height());
}

// Whether the picture, laid on the button's colour, appears pixel for pixel somewhere in the region.
bool containsPicture(const QImage& screen, const QRect& region, const QPixmap& picture,
                     const QColor& ground) {
    // Compared in device pixels, one for one.
    QImage art = picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    art.setDevicePixelRatio(1);
    QImage laid(art.size(), QImage::Format_RGB32);
    laid.fill(ground);
    QPainter(&laid).drawImage(0, 0, art);
    const QRect area = region & screen.rect();
    for (int top = area.top(); top + laid.height() <= area.bottom() + 1; ++top) {
        for (int left = area.left(); left + laid.width() <= area.right() + 1; ++left) {
            bool same = true;
            for (int y = 0; same && y < laid.height(); ++y) {
                for (int x = 0; same && x < laid.width(); ++x) {
                    const QRgb p = screen.pixel(left + x, top + y);
                    const QRgb q = laid.pixel(x, y);
                    same = std::abs(qRed(p) - qRed(q)) <= 3 && std::abs(qGreen(p) - qGreen(q)) <= 3 &&
                           std::abs(qBlue(p) - qBlue(q)) <= 3;
                }
            }
            if (same) return true;
        }
    }
    return false;
}

QRect deviceRect(const QRect& logical, qreal ratio) {
    return {qRound(logical.x() * ratio), qRound(logical.y() * ratio), qRound(logical.width() * ratio),
            qRound(logical.height() * ratio)};
}

using Draw = QPixmap (*)(qreal ratio);

// The offscreen platform's one screen changes size, in its own pixels of dpr device pixels each. The ratio
// comes from the screen's logical DPI, as a desktop set to 200 % gives it: Qt 6.8's offscreen windows keep a
// ratio of 1 whatever "dpr" the screen reports, and Qt 6.4's gave it to the widget but not to its window.
void setScreen(QSize size, qreal dpr = 1) {
    using SetConfiguration = void (*)(const QJsonObject&, QPlatformNativeInterface*);
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    const auto set =
        reinterpret_cast<SetConfiguration>(native->nativeResourceForIntegration("setConfiguration"));
    const QJsonObject screen{{"width", qRound(size.width() * dpr)},
                             {"height", qRound(size.height() * dpr)},
                             {"logicalDpi", 96 * dpr}};
    set({{"screens", QJsonArray{screen}}}, native);
    QCoreApplication::processEvents();
}

// How much smaller than laid out the player sees the board.
qreal shownScale(Tavola& tavola) {
    return tavola.centralWidget()->width() / double(tavola.surface()->width());
}

// The window with its frame lies whole in the free area (and in its middle, where asked); shown smaller than
// laid out, it fills that area along one side, so it is no smaller than it must be.
void checkWhole(Tavola& tavola, bool centred = false) {
    const QRect free = tavola.screen()->availableGeometry();
    const QRect frame = tavola.frameGeometry();
    QVERIFY(free.contains(frame) && (!centred || (frame.center() - free.center()).manhattanLength() <= 2));
    QVERIFY(shownScale(tavola) == 1.0 || frame.width() > 0.99 * free.width() ||
            frame.height() > 0.99 * free.height());
}

} // namespace

class HighDpi : public QObject {
    Q_OBJECT
    const qreal ratio_ = askedRatio();

  private slots:
    void cleanup() { setScreen({800, 800}); }

    void runsAtTheAskedRatio() {
        TestGame game;
        game.start();
        QCOMPARE(game->devicePixelRatioF(), ratio_);
        QCOMPARE(game->surface()->size(), QSize(608, 672));
        QCOMPARE(grabSurface(*game).size(), QSize(qRound(608 * ratio_), qRound(672 * ratio_)));
    }

    // Each sample lies in a flat part of its control: away from captions, pictures and bevels.
    void controlsKeepTheirPlacesAndColours_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QPoint>("sample");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("score heading")
            << "Label6" << QRect(-8, 0, 209, 49) << QPoint(100, 43) << QColor(0, 0, 255);
        QTest::newRow("start bar") << "cmdNext" << QRect(200, 0, 214, 49) << QPoint(210, 24)
                                   << QColor(0, 192, 0);
        QTest::newRow("exit") << "cmdExit" << QRect(408, 0, 209, 49) << QPoint(440, 24)
                              << QColor(192, 0, 192);
        QTest::newRow("a number button")
            << "paricmd" << QRect(160, 104, 81, 81) << QPoint(166, 110) << QColor(0, 255, 255);
    }
    void controlsKeepTheirPlacesAndColours() {
        QFETCH(QString, control);
        QFETCH(QRect, geometry);
        QFETCH(QPoint, sample);
        QFETCH(QColor, colour);
        TestGame game;
        game.start();
        game->paricmd->show();
        auto* widget = game->surface()->findChild<QWidget*>(control);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->geometry(), geometry);
        const QImage screen = grabSurface(*game);
        QCOMPARE(screen.pixelColor(devicePixel(sample, ratio_)), colour);
    }

    // Band i of 256 fills rows 2i to 2i + 2 of 512 in the factors' colours, whatever the ratio.
    void bandsStretchOverTheWholeHeight_data() {
        QTest::addColumn<int>("band");
        QTest::newRow("first band below the top bar") << 20;
        QTest::newRow("middle") << 128;
        QTest::newRow("last band, at the bottom edge") << 255;
    }
    void bandsStretchOverTheWholeHeight() {
        QFETCH(int, band);
        TestGame game;
        game.start();
        const QImage screen = grabSurface(*game);
        const double middle = (2 * band + 1) * 672.0 / 512.0;
        const QPoint device(qRound(600 * ratio_), int(middle * ratio_));
        const QColor expected(20 * game->state.factor1, 20 * game->state.factor2, band);
        QCOMPARE(screen.pixelColor(device), expected);
        // The band next door differs in blue, so the scale is not off by a band.
        const QPoint above(device.x(), int((middle - 672.0 / 256.0) * ratio_));
        QCOMPARE(screen.pixelColor(above).blue(), band - 1);
    }

    void buttonPicturesArePaintedPixelForPixel_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPixmap>("picture");
        QTest::addColumn<QColor>("ground");
        QTest::newRow("exit's no-entry sign") << "cmdExit" << artwork::noEntry(ratio_) << QColor(192, 0, 192);
        QTest::newRow("start bar's disabled face")
            << "cmdNext" << artwork::face(artwork::Face::Laughing, ratio_) << QColor(0, 192, 0);
    }
    void buttonPicturesArePaintedPixelForPixel() {
        QFETCH(QString, control);
        QFETCH(QPixmap, picture);
        QFETCH(QColor, ground);
        QCOMPARE(picture.size(), QSize(qRound(32 * ratio_), qRound(32 * ratio_)));
        TestGame game;
        game.start();
        auto* widget = game->surface()->findChild<QWidget*>(control);
        QVERIFY(widget != nullptr);
        QVERIFY(containsPicture(grabSurface(*game), deviceRect(widget->geometry(), ratio_), picture, ground));
    }

    void windowPointersAndIconMatchTheRatio() {
        TestGame game;
        game.start();
        game->paricmd->show();
        const int side = qRound(32 * ratio_);
        for (QWidget* widget :
             {static_cast<QWidget*>(game->surface()), static_cast<QWidget*>(game->paricmd)}) {
            const QPixmap pointer = widget->cursor().pixmap();
            QCOMPARE(pointer.size(), QSize(side, side));
            QCOMPARE(pointer.devicePixelRatio(), ratio_);
        }
        // The game's own icon (test_artwork reads its picture), drawn for this ratio: above 1, not its
        // 32-pixel self enlarged.
        QCOMPARE(game->windowIcon().cacheKey(), artwork::windowIcon().cacheKey());
        QImage icon = game->windowIcon().pixmap(QSize(32, 32), ratio_).toImage();
        icon.setDevicePixelRatio(1);
        QCOMPARE(icon.size(), QSize(side, side));
        const QImage enlarged = game->windowIcon()
                                    .pixmap(QSize(32, 32), 1.0)
                                    .toImage()
                                    .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(ratio_ == 1.0 || differingShare(icon, enlarged) > 0.03);
    }

    // At ratio 2 each picture must be drawn anew: not a smooth enlargement of its 32-pixel self.
    void picturesAreDrawnForRatioTwo_data() {
        QTest::addColumn<QImage>("small");
        QTest::addColumn<QImage>("large");
        const auto both = [](const char* row, Draw draw) {
            QTest::newRow(row) << draw(1.0).toImage() << draw(2.0).toImage();
        };
        both("smiling face", [](qreal r) { return artwork::face(artwork::Face::Smiling, r); });
        both("straight face", [](qreal r) { return artwork::face(artwork::Face::Straight, r); });
        both("laughing face", [](qreal r) { return artwork::face(artwork::Face::Laughing, r); });
        both("no-entry sign", [](qreal r) { return artwork::noEntry(r); });
        both("cross-hair", [](qreal r) { return artwork::crossHair(r).pixmap(); });
        both("four arrows", [](qreal r) { return artwork::fourArrows(r).pixmap(); });
        both("icon pointer", [](qreal r) { return artwork::iconPointer(r).pixmap(); });
        both("window icon", [](qreal r) { return artwork::windowIcon().pixmap(QSize(32, 32), r); });
    }
    void picturesAreDrawnForRatioTwo() {
        QFETCH(QImage, small);
        QFETCH(QImage, large);
        QCOMPARE(small.size(), QSize(32, 32));
        QCOMPARE(large.size(), QSize(64, 64));
        const QImage smooth = small.scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double share = differingShare(large, smooth);
        const double sharpness = edgeEnergy(large) / edgeEnergy(smooth);
        qInfo("differing %.3f, sharpness %.2f", share, sharpness);
        QVERIFY2(share > 0.03, "the large picture is the small one smoothly enlarged");
        QVERIFY2(sharpness > 1.2, "the large picture's edges are as soft as an enlargement's");
    }

    // Where a ratio-2 pointer clicks depends on the windowing system; pointer_hot_spot.py reads it from X.
    void pointersClickAtTheirDesignedHotSpots_data() {
        QTest::addColumn<QCursor>("pointer");
        QTest::addColumn<QPoint>("hotSpot");
        QTest::newRow("cross-hair: its centre") << artwork::crossHair(1) << QPoint(16, 16);
        QTest::newRow("four arrows") << artwork::fourArrows(1) << QPoint(10, 10);
    }
    void pointersClickAtTheirDesignedHotSpots() {
        QFETCH(QCursor, pointer);
        QFETCH(QPoint, hotSpot);
        QCOMPARE(pointer.hotSpot(), hotSpot);
    }

    void windowFitsTheScreen_data() {
        QTest::addColumn<QSize>("free");
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("roomy 1920 x 1080 (at ratio 2: at 200 %)") << QSize(1920, 1080) << 1.0;
        QTest::newRow("1280 x 720 laptop") << QSize(1280, 720) << 1.0;
        QTest::newRow("1024 x 600 netbook") << QSize(1024, 600) << 1.0;
        QTest::newRow("1920 x 1080 at 200 %, pixel ratio 2") << QSize(960, 540) << 2.0;
    }
    void windowFitsTheScreen() {
        QFETCH(QSize, free);
        QFETCH(qreal, dpr);
        setScreen(free, dpr);
        ScreenFit fit;
        TestGame game;
        game.start();
        game->paricmd->show();
        checkWhole(*game);
        // Drawn at the screen's own pixel ratio, the latest bands reach the smaller board's bottom edge.
        QCOMPARE(game->devicePixelRatioF(), ratio_ * dpr);
        const QImage shown = game->centralWidget()->grab().toImage();
        const QColor band(20 * game->state.factor1, 20 * game->state.factor2, 255);
        QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() - 1), band);
        // A click where the player sees a number lands on it.
        QTest::mouseClick(
            game->windowHandle(), Qt::LeftButton, {},
            game->centralWidget()->mapTo(&*game, game->paricmd->geometry().center() * shownScale(*game)));
        QCOMPARE(game->state.score, 1);
    }

    // As in a browser, without a window manager: the window stays in the middle.
    void aScreenThatGrowsGetsTheLargerWindowBack() {
        setScreen({1024, 600});
        ScreenFit fit(ScreenFit::Placement::Centred);
        TestGame game;
        game.start();
        const qreal small = shownScale(*game);
        setScreen({600, 1024});
        checkWhole(*game, true);
        QVERIFY(shownScale(*game) > small);
        setScreen({2560, 1600});
        checkWhole(*game, true);
        QCOMPARE(game->centralWidget(), game->surface());
    }
};

QTEST_MAIN(HighDpi)
#include "test_high_dpi.moc"
