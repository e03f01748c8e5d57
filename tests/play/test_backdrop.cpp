// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The backdrop painter: the factor pair and the 256 colour bands behind the board.
#include "PlayGame.h"

#include "window/Surface.h"

#include <QTest>
#include <set>

namespace {

// Every pixel of the row, or an invalid colour when the row is not of one colour.
QColor rowColour(const QImage& image, int y) {
    const QColor first = image.pixelColor(0, y);
    for (int x = 1; x < image.width(); ++x)
        if (image.pixelColor(x, y) != first) return {};
    return first;
}

} // namespace

class Backdrop : public QObject {
    Q_OBJECT
  private slots:
    void bandColoursComeFromThePair_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QColor>("top");
        QTest::addColumn<QColor>("bottom");
        QTest::newRow("(1, 0)") << 1 << 0 << QColor(20, 0, 0) << QColor(20, 0, 255);
        QTest::newRow("(9, 9)") << 9 << 9 << QColor(180, 180, 0) << QColor(180, 180, 255);
        QTest::newRow("(4, 7)") << 4 << 7 << QColor(80, 140, 0) << QColor(80, 140, 255);
    }
    void bandColoursComeFromThePair() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QColor, top);
        QFETCH(QColor, bottom);
        PlayGame game;
        game.start();
        game->PaintBands({static_cast<qint16>(a), static_cast<qint16>(b)});
        const QImage& image = game->surface()->image();
        QCOMPARE(image.size(), QSize(608, 672));
        QCOMPARE(rowColour(image, 0), top);
        QCOMPARE(rowColour(image, image.height() - 1), bottom);
    }

    // 256 bands of 2 units in a 512-unit height: whatever the pixel height, every row is painted,
    // top to bottom in growing blue, across the whole width.
    void bandsFillTheSurfaceAtAnySize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("as designed") << QSize(608, 672);
        QTest::newRow("300 x 1000") << QSize(300, 1000);
        QTest::newRow("300 x 200, thinner than a band a pixel") << QSize(300, 200);
        QTest::newRow("900 x 513") << QSize(900, 513);
    }
    void bandsFillTheSurfaceAtAnySize() {
        QFETCH(QSize, size);
        PlayGame game;
        game.start();
        game->PaintBands({9, 9});
        game->surface()->setFixedSize(size);
        game->PaintBands({1, 0});

        const QImage& image = game->surface()->image();
        QCOMPARE(image.size(), size);
        std::set<int> blues;
        int lastBlue = -1;
        for (int y = 0; y < image.height(); ++y) {
            const QColor colour = rowColour(image, y);
            QVERIFY2(colour.isValid(), qPrintable(QString("row %1 is not one band").arg(y)));
            QVERIFY2(colour.red() == 20 && colour.green() == 0,
                     qPrintable(QString("row %1 is %2").arg(y).arg(colour.name())));
            QVERIFY2(colour.blue() >= lastBlue, qPrintable(QString("row %1 goes back up").arg(y)));
            lastBlue = colour.blue();
            blues.insert(lastBlue);
        }
        QCOMPARE(rowColour(image, 0).blue(), 0);
        QCOMPARE(lastBlue, 255);
        if (size.height() >= 512) QCOMPARE(blues.size(), std::size_t(256));
    }

    void drawFactorsRetriesAZeroFirstFactor_data() {
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<QString>("num1");
        QTest::addColumn<QString>("num2");
        QTest::newRow("two retries") << QList<float>{0.0F, 0.05F, 0.5F, 0.73F} << "5"
                                     << "7";
        QTest::newRow("second factor may be 0") << QList<float>{0.3F, 0.0F} << "3"
                                                << "0";
        QTest::newRow("largest draws") << QList<float>{kTopDraw, kTopDraw} << "9"
                                       << "9";
    }
    void drawFactorsRetriesAZeroFirstFactor() {
        QFETCH(QList<float>, draws);
        QFETCH(QString, num1);
        QFETCH(QString, num2);
        PlayGame game;
        game.start();
        game->state.factor1 = 2;
        game->state.factor2 = 8;
        game->lblMessage->setCaption("Bravo");
        game.clearLogs();
        for (float r : draws)
            game.script({r});

        const FactorPair pair = game->DrawFactors();

        QCOMPARE(QString::number(pair.a), num1);
        QCOMPARE(QString::number(pair.b), num2);
        QCOMPARE(game->lblNum1->caption(), num1);
        QCOMPARE(game->lblNum2->caption(), num2);
        QCOMPARE(game->lblMessage->caption(), QString());
        QStringList trace{"clock"};
        for (int i = 0; i < draws.size(); ++i)
            trace << "draw";
        QCOMPARE(game.trace(), trace);
        QCOMPARE(game->state.factor1, qint16(2));
        QCOMPARE(game->state.factor2, qint16(8));
    }

    void painterKeepsThePairAndResetsParicmd2() {
        PlayGame game;
        game.start();
        game->paricmd2->setBackColour(colour::green);
        game.script({0.75F, 0.25F});
        game->cmdNext_Click();
        QCOMPARE(game->paricmd2->backColour(), colour::cyan);
        QCOMPARE(game->state.factor1, qint16(7));
        QCOMPARE(game->state.factor2, qint16(2));
        QCOMPARE(game->lblNum1->caption(), QString("7"));
        QCOMPARE(game->lblNum2->caption(), QString("2"));
        QCOMPARE(rowColour(game->surface()->image(), 0), QColor(140, 40, 0));
    }

    // The bands are kept, not drawn once on screen: hiding and showing the window brings them back.
    void bandsSurviveHidingTheWindow() {
        PlayGame game;
        game.start();
        QVERIFY(QTest::qWaitForWindowExposed(game.tavola.get()));
        game->PaintBands({3, 5});
        game->hide();
        QCoreApplication::processEvents();
        game->show();
        QVERIFY(QTest::qWaitForWindowExposed(game.tavola.get()));

        Surface* surface = game->surface();
        QCOMPARE(rowColour(surface->image(), 0), QColor(60, 100, 0));
        QImage shown(surface->size(), QImage::Format_RGB32);
        surface->render(&shown, {}, {}, QWidget::DrawWindowBackground);
        QCOMPARE(shown.pixelColor(0, 0), QColor(60, 100, 0));
        QCOMPARE(shown.pixelColor(shown.width() - 1, shown.height() - 1), QColor(60, 100, 255));
    }
};

QTEST_MAIN(Backdrop)
#include "test_backdrop.moc"
