// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real message and input boxes, answered from inside their own modal loops.
#include "platform/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <memory>

namespace {

// Waits for the next modal box and hands it to `act`, which must close it. Looking happens in `act`
// and checking afterwards, so a failed check never leaves a box open.
std::unique_ptr<QTimer> whenModal(std::function<void(QWidget*)> act) {
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(10);
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [timer = timer.get(), act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        timer->stop();
        act(modal);
    });
    timer->start();
    return timer;
}

struct SeenBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
};

QString plain(QString caption) {
    return caption.remove('&');
}

SeenBox look(QWidget* modal) {
    SeenBox seen;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.format = box->textFormat();
    seen.icon = box->icon();
    for (QAbstractButton* button : box->buttons())
        seen.buttons.append(plain(button->text()));
    seen.buttons.sort();
    if (box->defaultButton() != nullptr) seen.defaultButton = plain(box->defaultButton()->text());
    return seen;
}

// Answers a message box with a key, or with a click on the button of that role.
std::function<void(QWidget*)> answer(SeenBox& seen, std::function<void(QMessageBox*)> close) {
    return [&seen, close = std::move(close)](QWidget* modal) {
        seen = look(modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            close(box);
        else
            modal->close();
    };
}

struct SeenInput {
    QString title;
    QString prompt;
    QStringList buttons;
};

SeenInput lookInput(QWidget* modal) {
    SeenInput seen;
    auto* dialog = qobject_cast<QInputDialog*>(modal);
    if (dialog == nullptr) return seen;
    seen.title = dialog->windowTitle();
    seen.prompt = dialog->labelText();
    if (auto* box = dialog->findChild<QDialogButtonBox*>())
        for (QAbstractButton* button : box->buttons())
            seen.buttons.append(plain(button->text()));
    seen.buttons.sort();
    return seen;
}

void clickButton(QWidget* modal, QDialogButtonBox::StandardButton which) {
    if (auto* box = modal->findChild<QDialogButtonBox*>())
        QTest::mouseClick(box->button(which), Qt::LeftButton);
}

} // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void messageShowsPlainTextUnderTheProgramTitle() {
        QtDialogs dialogs("Dorvana");
        SeenBox seen;
        const QString text = " <b>Mario</b> & co vediamo se sei un vero campione  ";
        auto timer = whenModal(answer(seen, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }));
        QCOMPARE(dialogs.msgBox(text, Dialogs::OkOnly, {}), Dialogs::AnswerOk);
        QCOMPARE(seen.title, QString("Dorvana"));
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, QStringList{"OK"});
    }

    void messageTakesAGivenTitle() {
        QtDialogs dialogs("Dorvana");
        SeenBox seen;
        auto timer = whenModal(answer(seen, [](QMessageBox* box) { box->buttons().first()->click(); }));
        QCOMPARE(dialogs.msgBox("x", Dialogs::OkOnly, "INIZIARE NUOVA GARA"), Dialogs::AnswerOk);
        QCOMPARE(seen.title, QString("INIZIARE NUOVA GARA"));
    }

    void yesNoQuestion_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("clickYes");
        QTest::addColumn<int>("expected");
        QTest::newRow("Escape answers No") << int(Qt::Key_Escape) << false << 7;
        QTest::newRow("Enter takes the default No") << int(Qt::Key_Return) << false << 7;
        QTest::newRow("Yes clicked") << 0 << true << 6;
    }
    void yesNoQuestion() {
        QFETCH(int, key);
        QFETCH(bool, clickYes);
        QFETCH(int, expected);
        QtDialogs dialogs("Dorvana");
        SeenBox seen;
        auto timer = whenModal(answer(seen, [key, clickYes](QMessageBox* box) {
            if (clickYes)
                QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            else
                QTest::keyClick(box, Qt::Key(key));
        }));
        QCOMPARE(dialogs.msgBox("INIZIAMO UNA NUOVA GARA  ?", 292, "INIZIARE NUOVA GARA"), expected);
        QCOMPARE(seen.text, QString("INIZIAMO UNA NUOVA GARA  ?"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.buttons, QStringList({"No", "Yes"}));
        QCOMPARE(seen.defaultButton, QString("No"));
    }

    void inputBoxReturnsTheTypedName() {
        QtDialogs dialogs("Dorvana");
        SeenInput seen;
        auto timer = whenModal([&seen](QWidget* modal) {
            seen = lookInput(modal);
            if (auto* edit = modal->findChild<QLineEdit*>()) edit->insert("Zoë Łucja");
            clickButton(modal, QDialogButtonBox::Ok);
        });
        QCOMPARE(dialogs.inputBox("Come ti chiami?"), QString("Zoë Łucja"));
        QCOMPARE(seen.title, QString("Dorvana"));
        QCOMPARE(seen.prompt, QString("Come ti chiami?"));
        QCOMPARE(seen.buttons, QStringList({"Cancel", "OK"}));
    }

    void inputBoxCancelGivesEmptyText() {
        QtDialogs dialogs("Dorvana");
        auto timer = whenModal([](QWidget* modal) {
            if (auto* edit = modal->findChild<QLineEdit*>()) QTest::keyClicks(edit, "Mario");
            clickButton(modal, QDialogButtonBox::Cancel);
        });
        QCOMPARE(dialogs.inputBox("Come ti chiami?"), QString());
    }

    // Work left for the next box is done while that box is on screen, or at the latest as it closes.
    void workWaitsBehindTheNextBox() {
        QtDialogs dialogs("Dorvana");
        int done = 0;
        bool doneWhileOpen = false;
        dialogs.whileNextBoxWaits([&done] { ++done; });
        auto timer = whenModal([&](QWidget* modal) {
            doneWhileOpen = QTest::qWaitFor([&done] { return done == 1; });
            modal->close();
        });
        dialogs.inputBox("Come ti chiami?");
        dialogs.whileNextBoxWaits([&done] { done += 10; });
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        dialogs.msgBox("Ciao", Dialogs::OkOnly, {});
        QVERIFY(doneWhileOpen);
        QCOMPARE(done, 11);
    }

    void italianButtons() {
        QTranslator italian;
        QVERIFY(italian.load(QLocale(QLocale::Italian), "qtbase", "_",
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QVERIFY(QApplication::installTranslator(&italian));
        QtDialogs dialogs("Dorvana");

        SeenBox question;
        auto timer =
            whenModal(answer(question, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }));
        QCOMPARE(dialogs.msgBox("INIZIAMO UNA NUOVA GARA  ?", 292, "INIZIARE NUOVA GARA"), 7);

        SeenInput input;
        timer = whenModal([&input](QWidget* modal) {
            input = lookInput(modal);
            clickButton(modal, QDialogButtonBox::Cancel);
        });
        QCOMPARE(dialogs.inputBox("Come ti chiami?"), QString());
        QApplication::removeTranslator(&italian);

        QCOMPARE(question.buttons, QStringList({"No", "Sì"}));
        QCOMPARE(question.defaultButton, QString("No"));
        QCOMPARE(input.buttons, QStringList({"Annulla", "OK"}));
    }
};

QTEST_MAIN(QtDialogsTest)
#include "test_qt_dialogs.moc"
