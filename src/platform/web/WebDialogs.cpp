// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebDialogs.h"

#include "WebPause.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <emscripten.h>

// Qt's own count of the events posted and not yet delivered.
Q_CORE_EXPORT uint qGlobalPostedEventsCount();

namespace {

// A moment for the browser, unless a wait is already under way (Qt's own, or ours).
// clang-format off
EM_JS(int, dorvana_waiting, (), { return Asyncify.currData !== null ? 1 : 0; });
EM_ASYNC_JS(void, dorvana_give_way, (), { await new Promise(resolve => setTimeout(resolve, 4)); });
// clang-format on

int openBoxes = 0;

// A box's event loop lets the browser run only when no posted event is pending. A widget deleted later by the
// handler that opened the box stays pending until the box closes, so that loop would spin and freeze the
// page: while a box is open, each turn of its loop with events pending first gives the browser a moment.
void giveWayWhileBoxesSpin() {
    if (openBoxes == 0 || qGlobalPostedEventsCount() == 0 || dorvana_waiting()) return;
    dorvana_give_way();
}

class OpenBox {
  public:
    OpenBox() { ++openBoxes; }
    ~OpenBox() { --openBoxes; }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;

  private:
    const WebPause::Scope pause_{false};
};

// The active window, else the game's own when it is on show (a tap activates no window).
QWidget* windowBeneath() {
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(window) != nullptr && window->isVisible()) return window;
    return nullptr;
}

} // namespace

WebDialogs::WebDialogs(const QString& title) : QtDialogs(title) {
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                     &giveWayWhileBoxesSpin);
}

int WebDialogs::run(QDialog& box) {
    const OpenBox open;
    // No window manager here activates a new box, nor the window beneath once the box closes, and the keys
    // go to the active window only.
    QPointer<QWidget> beneath = windowBeneath();
    // Asked as the box opens and again until it holds: a request made while the page is still settling the
    // new window can be lost.
    const auto activate = [&box] {
        if (box.isVisible() && !box.isActiveWindow()) box.activateWindow();
    };
    QTimer activation;
    QObject::connect(&activation, &QTimer::timeout, &box, activate);
    activation.start(100);
    QTimer::singleShot(0, &box, activate);
    const int answer = QtDialogs::run(box);
    if (beneath && beneath->isVisible()) beneath->activateWindow();
    return answer;
}
