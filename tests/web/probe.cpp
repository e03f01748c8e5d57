// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Built into the browser test's program only: what the game shows, for the test to read from the page. Every
// shown window with its title, and every control with its name, text and place, in the page's pixels.
#include "window/GameLabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <emscripten.h>
#include <emscripten/html5.h>

namespace {

QJsonObject place(const QWidget& widget, qreal toPage) {
    const QPoint at = widget.mapToGlobal(QPoint(0, 0));
    return {{"x", at.x() * toPage},
            {"y", at.y() * toPage},
            {"w", widget.width() * toPage},
            {"h", widget.height() * toPage}};
}

QString textOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const GameLabel*>(&widget)) return label->caption();
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) return edit->text();
    return {};
}

} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char* dorvana_probe() {
    static QByteArray json;
    QJsonArray windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        // Qt's logical pixels are the page's unless the window was scaled to fit.
        const qreal toPage = window->devicePixelRatioF() / emscripten_get_device_pixel_ratio();
        QJsonObject entry = place(*window, toPage);
        entry["title"] = window->windowTitle();
        entry["kind"] = window->metaObject()->className();
        entry["active"] = window == QApplication::activeWindow();
        QJsonArray controls;
        for (const QWidget* child : window->findChildren<QWidget*>()) {
            const QString text = textOf(*child);
            if (child->objectName().isEmpty() && text.isEmpty()) continue;
            QJsonObject control = place(*child, toPage);
            control["name"] = child->objectName();
            control["text"] = text;
            control["shown"] = child->isVisible();
            control["palette"] = child->palette().color(QPalette::Button).name();
            controls.append(control);
        }
        entry["controls"] = controls;
        windows.append(entry);
    }
    json = QJsonDocument(QJsonObject{{"windows", windows}}).toJson(QJsonDocument::Compact);
    return json.constData();
}
