// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window as the player first gets it: every control's design values, stacking, tab order and menus.
// Expected values are typed from the design tables (twips, colours 0x00BBGGRR), never read from the layout
// code.
#include "TestGame.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"
#include "window/Surface.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>

namespace {

constexpr qint64 kDefault = -1;

struct Font {
    const char* face;
    double points;
    bool bold = false;
    bool italic = false;
};

const Font kWindowFont{"MS Sans Serif", 8.25};

struct ButtonRow {
    const char* name;
    const char* caption;
    int left, top, width, height;
    qint64 back;
    Font font;
    bool visible;
    bool enabled;
    int tabIndex;
    const char* toolTip = "";
};

struct LabelRow {
    const char* name;
    const char* caption;
    int left, top, width, height;
    qint64 fore;
    qint64 back;
    bool opaque;
    Font font;
    bool border;
    bool centre;
    bool visible;
    bool enabled;
    int tabIndex;
    const char* toolTip = "";
};

const Font kTarget{"MS Sans Serif", 24, true};
const Font kBar{"MS Sans Serif", 8.25, true};

// clang-format off
const ButtonRow kButtons[] = {
    {"paricmd", "", 2400, 1560, 1215, 1215, 0xFFFF00, kTarget, false, true, 20},
    {"paricmd1", "", 2880, 4200, 1215, 1215, 0xFFFF00, kTarget, false, true, 28},
    {"paricmd2", "", 1560, 6480, 1215, 1215, 0xFFFF00, kTarget, false, true, 29},
    {"disparicmd", "", 5760, 1560, 1215, 1215, 0xFFFF00, kTarget, false, true, 19},
    {"disparicmd1", "63", 6840, 5160, 1215, 1215, 0xFFFF00, kTarget, false, true, 30},
    {"disparicmd2", "", 5040, 6840, 1215, 1215, 0xFFFF00, kTarget, false, true, 31},
    {"cmdNext", "&Clicca per iniziare", 3000, 0, 3210, 735, 0x00C000, kBar, true, false, 22, "Go"},
    {"cmdExit", "E&xit", 6120, 0, 3135, 735, 0xC000C0, kBar, true, true, 23,
     "Ti prego resta ancora, forse riuscirai a farmi uscire "},
    {"Inizio", "Inizio", 3840, 120, 1215, 495, kDefault, kWindowFont, false, true, 21},
};

const Font kSans18{"MS Sans Serif", 18};
const Font kSans18Bold{"MS Sans Serif", 18, true};
const Font kSans24{"MS Sans Serif", 24};
const Font kSans24BoldItalic{"MS Sans Serif", 24, true, true};
const Font kTimes36Bold{"Times New Roman", 36, true};
const Font kArial48{"Arial", 48};
const Font kArial48Bold{"Arial", 48, true};

const LabelRow kLabels[] = {
    {"Label6", "Punti complessivi", -120, 0, 3135, 735, 0x80FFFF, 0xFF0000, true, kSans18, true, true, true, true, 27},
    {"lblScore", "", 600, 840, 1215, 975, kDefault, 0x00FFFF, false, kTimes36Bold, true, true, true, true, 25,
     "Questo è il tuo punteggio. Forza con il  record"},
    {"Punteggio", "0", 960, 1080, 495, 615, kDefault, kDefault, false, kSans24, false, true, true, true, 24},
    {"Label11", "Tempo restante", 120, 1920, 1575, 375, 0x00FFFF, kDefault, false, {"MS Sans Serif", 9.75},
     false, false, true, true, 10},
    {"lblconto", "00.00.00", 120, 2400, 1575, 495, 0x00FFFF, kDefault, false, {"Arial Black", 12, true},
     true, false, true, true, 11},
    {"Label14", "Sfidante", 135, 4560, 1395, 495, 0x008000, kDefault, false, kSans18, true, true, true, true, 13},
    {"lblnome1", "", 1920, 4560, 120, 435, 0x008000, kDefault, false, kSans18Bold, false, false, true, true, 14},
    {"Label12", "Il record  è di ", 120, 7920, 2295, 375, 0xC000C0, kDefault, false, kSans18, false, false, true,
     true, 15},
    {"lblnome", "nome", 2640, 7920, 990, 435, 0xFF0000, kDefault, false, kSans18Bold, false, false, true, true, 16},
    {"Label13", "con punti", 6720, 7920, 1455, 435, 0xC000C0, kDefault, false, kSans18, false, false, true, true,
     17},
    {"lblpunti", "0", 8400, 7800, 270, 555, 0xC000C0, kDefault, false, kSans24, false, false, true, true, 18},
    {"lblMessage", "", 1560, 3720, 6615, 615, 0x0000FF, 0xFFFF00, false, kSans24BoldItalic, false, true, false,
     true, 26},
    {"Label5", "", 960, 7680, 6615, 615, 0x0000FF, 0xFFFF00, false, kSans24BoldItalic, false, true, false, true,
     12},
    {"Label3", "Risposte totali", 5640, 3840, 2340, 495, 0xFF0000, kDefault, false, kSans18, true, false, false,
     true, 9},
    {"Label1", "Risposte errate", 5760, 3120, 2520, 495, 0x0000FF, kDefault, false, kSans18, true, false, false,
     true, 8},
    {"lblScore2", "0", 7560, 2880, 555, 885, 0xFF0000, kDefault, false, kTimes36Bold, true, true, false, true, 7},
    {"lblScore1", "0", 6960, 3600, 540, 885, 0x0000FF, kDefault, false, kTimes36Bold, true, true, false, true, 0},
    {"lblTime", "", 8400, 1800, 90, 300, kDefault, kDefault, true, {"MS Sans Serif", 12, true}, false, false,
     false, true, 6, "Clicca sotto di me per attivare il Timer"},
    {"lblNum1", "", 6840, 1680, 345, 1185, kDefault, 0xFFFF00, true, kArial48Bold, true, true, false, false, 1},
    {"Label2", "X", 7320, 1800, 615, 975, kDefault, 0xFFFF80, true, kArial48, false, true, false, false, 2},
    {"lblNum2", "", 7080, 2040, 345, 1185, kDefault, 0xFFFF00, true, kArial48Bold, true, true, false, false, 5},
    {"Label4", "=", 7320, 2040, 615, 975, kDefault, 0xFFFF80, true, kArial48Bold, false, true, false, false, 3},
};
// clang-format on

constexpr int kTextBoxTabIndex = 4;

// Captions that the load, the deal and the painter write before the player sees the window.
const QSet<QString> kWrittenAtStart = {"Punteggio", "lblconto", "lblnome1", "lblnome",
                                       "lblpunti",  "lblNum1",  "lblNum2",  "lblMessage"};

QColor fromBgr(qint64 value) {
    return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>((value >> 16) & 0xFF)};
}

QRect pixels(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

void compareFont(const QFont& actual, const Font& expected) {
    QCOMPARE(actual.family(), QString(expected.face));
    QCOMPARE(actual.pointSizeF(), expected.points);
    QCOMPARE(actual.weight(), expected.bold ? QFont::Bold : QFont::Normal);
    QCOMPARE(actual.italic(), expected.italic);
}

// Made, or made and started with a player's name.
std::unique_ptr<TestGame> makeGame(bool started) {
    auto game = std::make_unique<TestGame>();
    if (started) game->start("Mario");
    return game;
}

// As the player will see it once the window is up: before the start it is not shown at all.
bool shown(const QWidget* widget) {
    return !widget->isHidden() && widget->isVisibleTo(widget->parentWidget());
}

} // namespace

Q_DECLARE_METATYPE(ButtonRow)
Q_DECLARE_METATYPE(LabelRow)

class WindowLayout : public QObject {
    Q_OBJECT
  private slots:
    void windowHasItsTitleAndClientArea_data() { phases(); }
    void windowHasItsTitleAndClientArea() {
        QFETCH(bool, started);
        auto game = makeGame(started);
        Tavola& tavola = **game;
        QCOMPARE(tavola.windowTitle(), QString("Dorvana"));
        QCOMPARE(tavola.centralWidget(), static_cast<QWidget*>(tavola.surface()));
        QCOMPARE(tavola.surface()->size(), QSize(608, 672));
        QVERIFY(!tavola.windowIcon().isNull());
        QVERIFY(!tavola.menuBar()->isHidden());
        if (started) {
            QVERIFY(tavola.isVisible());
            // The menu bar sits above the client area, not over it.
            QVERIFY(tavola.surface()->geometry().top() > tavola.menuBar()->geometry().bottom());
        }
    }

    void buttonsAsDesigned_data() {
        QTest::addColumn<bool>("started");
        QTest::addColumn<ButtonRow>("row");
        for (const bool started : {false, true})
            for (const ButtonRow& row : kButtons)
                QTest::addRow("%s %s", row.name, started ? "started" : "made") << started << row;
    }
    void buttonsAsDesigned() {
        QFETCH(bool, started);
        QFETCH(ButtonRow, row);
        auto game = makeGame(started);
        auto* button = (*game)->surface()->findChild<GameButton*>(row.name);
        QVERIFY(button != nullptr);
        QCOMPARE(button->geometry(), pixels(row.left, row.top, row.width, row.height));
        // The first deal writes the number buttons before any of them is shown.
        const bool dealt = started && QString(row.name).contains("paricmd");
        if (!dealt) QCOMPARE(button->caption(), QString(row.caption));
        QCOMPARE(shown(button), row.visible);
        QCOMPARE(button->isEnabled(), row.enabled);
        compareFont(button->font(), row.font);
        QCOMPARE(button->toolTip(), QString(row.toolTip));
        if (row.back != kDefault) {
            QCOMPARE(button->backColour(), static_cast<BgrColour>(row.back));
            // Inside the bevel the stored colour is on screen exactly, not tinted by the style.
            QCOMPARE(button->grab().toImage().pixelColor(4, 4), fromBgr(row.back));
        }
    }

    void labelsAsDesigned_data() {
        QTest::addColumn<bool>("started");
        QTest::addColumn<LabelRow>("row");
        for (const bool started : {false, true})
            for (const LabelRow& row : kLabels)
                QTest::addRow("%s %s", row.name, started ? "started" : "made") << started << row;
    }
    void labelsAsDesigned() {
        QFETCH(bool, started);
        QFETCH(LabelRow, row);
        auto game = makeGame(started);
        auto* label = (*game)->surface()->findChild<QLabel*>(row.name);
        QVERIFY(label != nullptr);
        const QRect design = pixels(row.left, row.top, row.width, row.height);
        QCOMPARE(label->pos(), design.topLeft());
        if (!started || !kWrittenAtStart.contains(row.name)) {
            QCOMPARE(label->size(), design.size());
            QCOMPARE(label->text(), QString(row.caption));
            if (auto* gameLabel = qobject_cast<GameLabel*>(label))
                QCOMPARE(gameLabel->caption(), QString(row.caption));
        }
        QCOMPARE(shown(label), row.visible);
        QCOMPARE(label->isEnabled(), row.enabled);
        compareFont(label->font(), row.font);
        QCOMPARE(label->toolTip(), QString(row.toolTip));
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
                 row.centre ? Qt::AlignHCenter : Qt::AlignLeft);
        QCOMPARE(label->frameWidth() > 0, row.border);
        // Without a colour of its own the text takes the classic button-text black.
        QCOMPARE(label->palette().color(QPalette::WindowText),
                 row.fore == kDefault ? QColor(Qt::black) : fromBgr(row.fore));
        QCOMPARE(label->autoFillBackground(), row.opaque);
        if (row.opaque && row.back != kDefault) {
            QCOMPARE(label->palette().color(QPalette::Window), fromBgr(row.back));
            QCOMPARE(label->grab().toImage().pixelColor(3, 3), fromBgr(row.back));
        }
    }

    void textBoxAsDesigned() {
        TestGame game;
        auto* box = game->surface()->findChild<QLineEdit*>("txtAnswer");
        QVERIFY(box != nullptr);
        QCOMPARE(box->geometry(), pixels(5520, 1680, 2775, 1200));
        QCOMPARE(box->palette().color(QPalette::Base), fromBgr(0xFFFF00));
        compareFont(box->font(), Font{"Arial", 48, true});
        QCOMPARE(box->text(), QString());
        QVERIFY(box->isHidden());
        QVERIFY(!box->isEnabled());
        QCOMPARE(box->toolTip(), QString("Inserisci il risultato e  premi il tasto  Invio"));
    }

    void everyControlIsMadeOnceWithItsName() {
        TestGame game;
        const QList<QWidget*> children = game->surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QSet<QString> names;
        for (const QWidget* child : children)
            names.insert(child->objectName());
        QCOMPARE(children.size(), 32);
        QCOMPARE(names.size(), 32);
        for (const ButtonRow& row : kButtons)
            QVERIFY2(names.contains(row.name), row.name);
        for (const LabelRow& row : kLabels)
            QVERIFY2(names.contains(row.name), row.name);
        QVERIFY(names.contains("txtAnswer"));
    }

    void timersAsStored() {
        TestGame game;
        QCOMPARE(game.timer1().interval, 1000);
        QVERIFY(game.timer1().enabled);
        QCOMPARE(game.timer2().interval, 1300);
        QVERIFY(!game.timer2().enabled);
    }

    void visibleSetAtStart() {
        TestGame game;
        game.start();
        QSet<QString> visible;
        for (const QWidget* child : game->surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible()) visible.insert(child->objectName());
        const QSet<QString> expected = {"Label6",   "lblScore", "Punteggio", "Label11", "lblconto",
                                        "Label14",  "lblnome1", "Label12",   "lblnome", "Label13",
                                        "lblpunti", "cmdNext",  "cmdExit"};
        QCOMPARE(visible, expected);
        QVERIFY(game->menuBar()->isVisible());
    }

    // Buttons always lie above labels; where two controls overlap, the one drawn on top takes the click.
    void buttonsStackAboveLabels() {
        TestGame game;
        game.start();
        Surface* surface = game->surface();
        const QObjectList order = surface->children();
        for (const QObject* button : surface->findChildren<GameButton*>())
            for (const QObject* label : surface->findChildren<QLabel*>())
                QVERIFY2(order.indexOf(button) > order.indexOf(label),
                         qPrintable(button->objectName() + " below " + label->objectName()));

        // The score sits inside its frame: either label takes the click, never the window.
        const QPoint inScoreAndFrame(70, 80);
        QVERIFY(game->Punteggio->geometry().contains(inScoreAndFrame));
        auto* frame = surface->findChild<QLabel*>("lblScore");
        QVERIFY(frame->geometry().contains(inScoreAndFrame));
        QWidget* hit = surface->childAt(inScoreAndFrame);
        QVERIFY(hit == game->Punteggio || hit == frame);

        // cmdExit overlaps the start bar by 90 twips.
        const QPoint inBothBars(410, 10);
        QVERIFY(game->cmdNext->geometry().contains(inBothBars));
        QVERIFY(game->cmdExit->geometry().contains(inBothBars));
        QCOMPARE(surface->childAt(inBothBars), game->cmdExit);
        QVERIFY(order.indexOf(game->cmdExit) > order.indexOf(game->cmdNext));
    }

    // Tab visits the controls that can take focus in the order of their tab indexes.
    void tabOrderFollowsTabIndexes() {
        TestGame game;
        QMap<int, QWidget*> byIndex;
        Surface* surface = game->surface();
        for (const ButtonRow& row : kButtons)
            byIndex.insert(row.tabIndex, surface->findChild<QWidget*>(row.name));
        for (const LabelRow& row : kLabels)
            byIndex.insert(row.tabIndex, surface->findChild<QWidget*>(row.name));
        byIndex.insert(kTextBoxTabIndex, surface->findChild<QWidget*>("txtAnswer"));
        QCOMPARE(byIndex.size(), 32);
        QCOMPARE(byIndex.firstKey(), 0);
        QCOMPARE(byIndex.lastKey(), 31);

        QList<QWidget*> expected;
        for (QWidget* widget : byIndex)
            if (widget->focusPolicy() & Qt::TabFocus) expected.append(widget);
        QCOMPARE(expected.size(), 10);

        QList<QWidget*> chain;
        QWidget* widget = expected.first();
        do {
            if (expected.contains(widget)) chain.append(widget);
            widget = widget->nextInFocusChain();
        } while (widget != expected.first() && chain.size() <= expected.size());
        QCOMPARE(chain, expected);
    }

    void menuBarAsDesigned() {
        TestGame game;
        const QList<QAction*> bar = game->menuBar()->actions();
        QCOMPARE(bar.size(), 4);
        QStringList names;
        for (const QAction* action : bar)
            names.append(action->objectName());
        QCOMPARE(names, QStringList({"INFOMAZIONI", "copy", "Next", "hf"}));
        // At the window's width every entry has its place on the bar: none hides behind the overflow arrow.
        game->show();
        for (QAction* action : bar)
            QVERIFY2(game->menuBar()->rect().contains(game->menuBar()->actionGeometry(action)),
                     qPrintable(action->objectName()));

        QCOMPARE(bar[2]->text(), QString("Nuovo gioco"));
        QVERIFY(bar[2]->menu() == nullptr);
        QCOMPARE(bar[3]->text(), QString("Help"));

        // The publisher's particulars: one line under each of the first two entries.
        for (int entry : {0, 1}) {
            QVERIFY(!bar[entry]->text().isEmpty());
            QVERIFY(bar[entry]->menu() != nullptr);
            QCOMPARE(bar[entry]->menu()->actions().size(), 1);
            QVERIFY(!bar[entry]->menu()->actions().first()->text().isEmpty());
        }
        QCOMPARE(bar[0]->menu()->actions().first()->objectName(), QString("ca"));
        QCOMPARE(bar[1]->menu()->actions().first()->objectName(), QString("via"));

        QVERIFY(bar[3]->menu() != nullptr);
        const QList<QAction*> help = bar[3]->menu()->actions();
        QCOMPARE(help.size(), 4);
        const QStringList helpNames = {"Ciao", "ok", "d", "h"};
        const QStringList helpTexts = {
            "Ciao campione, mi raccomando colpisci solo i multipli del 6",
            "Ogni errore  ti farà perdere 4 punti.",
            "Un numero è divisibile per6 se è divisibile sia per 3 che per 2",
            "Es 3102 è divisibile per 6 ed infatti è divisibile per 2 e per 3",
        };
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(help[i]->objectName(), helpNames[i]);
            QCOMPARE(help[i]->text(), helpTexts[i]);
        }

        QList<QAction*> all = bar;
        for (const QAction* entry : bar)
            if (entry->menu() != nullptr) all += entry->menu()->actions();
        QCOMPARE(all.size(), 10);
        for (const QAction* action : all) {
            QVERIFY2(action->isEnabled() && action->isVisible(), qPrintable(action->objectName()));
            QVERIFY2(!action->isCheckable() && !action->isSeparator(), qPrintable(action->objectName()));
        }
    }

    void pointersAsDesigned() {
        TestGame game;
        game.start();
        const QCursor cross = game->surface()->cursor();
        QCOMPARE(cross.shape(), Qt::BitmapCursor);
        QCOMPARE(cross.hotSpot(), QPoint(16, 16));
        QCOMPARE(game->paricmd->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(game->paricmd->cursor().hotSpot(), QPoint(10, 10));
        for (GameButton* button :
             {game->paricmd1, game->paricmd2, game->disparicmd, game->disparicmd1, game->disparicmd2})
            QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
    }

  private:
    static void phases() {
        QTest::addColumn<bool>("started");
        QTest::newRow("made") << false;
        QTest::newRow("started") << true;
    }
};

QTEST_MAIN(WindowLayout)
#include "test_window_layout.moc"
