// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPreparer.h"

#include "Surface.h"
#include "Tavola.h"

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <QWidget>

WindowPreparer::WindowPreparer(Tavola& window) : window_(window) {
    qApp->installEventFilter(this);
}

bool WindowPreparer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        qApp->removeEventFilter(this);
        // Queued, so the prompt's first frame reaches the screen first.
        QTimer::singleShot(0, this, [this] { prepare(); });
    }
    return false;
}

void WindowPreparer::prepare() {
    // Making the native window took from under 1 to over 10 ms of the wait after the greeting.
    window_.winId();
    window_.surface()->prepareImage();
    QImage scratch(window_.size(), QImage::Format_RGB32);
    window_.render(&scratch);
}
