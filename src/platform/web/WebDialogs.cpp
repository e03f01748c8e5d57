// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebDialogs.h"

#include "WebPause.h"

int WebDialogs::msgBox(const QString& text, int style, const QString& title) {
    const WebPause::Scope pause(false);
    return QtDialogs::msgBox(text, style, title);
}

QString WebDialogs::inputBox(const QString& prompt) {
    const WebPause::Scope pause(false);
    return QtDialogs::inputBox(prompt);
}
