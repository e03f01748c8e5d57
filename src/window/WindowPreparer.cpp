// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPreparer.h"

#include "Surface.h"
#include "Tavola.h"
#include "platform/Dialogs.h"

#include <QImage>
#include <QLayout>

WindowPreparer::WindowPreparer(Tavola& window, Dialogs& dialogs, NativeWindow native)
    : window_(window), native_(native) {
    dialogs.whileNextBoxWaits([this] { prepare(); });
}

void WindowPreparer::prepare() {
    window_.build();
    // At its own size from here on: the native window, the backdrop and the paint below are made for it.
    window_.layout()->activate();
    // Making the native window took from under 1 to over 10 ms of the wait after the greeting.
    if (native_ == NativeWindow::Early) window_.winId();
    window_.surface()->prepareImage();
    QImage scratch(window_.size(), QImage::Format_RGB32);
    window_.render(&scratch);
}
