// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Built into the browser test's program only: what the game shows, for the test to read from the page. Every
// shown window with its title, and every control with its name, text and place, in the page's pixels.
#include "window/GameLabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMenuBar>
#include <emscripten.h>
#include <emscripten/html5.h>

namespace {

// A widget shown smaller in a view is placed, and sized, as the view shows it.
QRectF onScreen(const QWidget& widget) {
    const QWidget* top = widget.window();
    const QRectF own(widget.mapTo(top, QPoint(0, 0)), widget.size());
    const QGraphicsProxyWidget* proxy = top->graphicsProxyWidget();
    if (proxy == nullptr || proxy->scene()->views().isEmpty())
        return own.translated(top->mapToGlobal(QPoint(0, 0)));
    const QGraphicsView* view = proxy->scene()->views().first();
    const QRectF inView = view->viewportTransform().mapRect(proxy->mapRectToScene(own));
    return inView.translated(view->viewport()->mapToGlobal(QPoint(0, 0)));
}

QJsonObject place(QRectF at, qreal toPage) {
    return {{"x", at.x() * toPage},
            {"y", at.y() * toPage},
            {"w", at.width() * toPage},
            {"h", at.height() * toPage}};
}

// The window's own controls and those it shows in views.
QList<QWidget*> controlsOf(QWidget& window) {
    QList<QWidget*> controls = window.findChildren<QWidget*>();
    for (const QGraphicsView* view : window.findChildren<QGraphicsView*>())
        for (QGraphicsItem* item : view->scene()->items())
            if (const auto* proxy = qgraphicsitem_cast<QGraphicsProxyWidget*>(item); proxy && proxy->widget())
                controls << proxy->widget() << proxy->widget()->findChildren<QWidget*>();
    return controls;
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
        if (!window->isVisible() || window->graphicsProxyWidget() != nullptr) continue;
        // Qt's logical pixels are the page's unless the window was scaled to fit.
        const qreal toPage = window->devicePixelRatioF() / emscripten_get_device_pixel_ratio();
        QJsonObject entry = place(onScreen(*window), toPage);
        entry["title"] = window->windowTitle();
        entry["kind"] = window->metaObject()->className();
        entry["active"] = window == QApplication::activeWindow();
        QJsonArray controls;
        for (const QWidget* child : controlsOf(*window)) {
            const QString text = textOf(*child);
            if (child->objectName().isEmpty() && text.isEmpty()) continue;
            QJsonObject control = place(onScreen(*child), toPage);
            control["name"] = child->objectName();
            control["text"] = text;
            control["shown"] = child->isVisible();
            control["palette"] = child->palette().color(QPalette::Button).name();
            controls.append(control);
        }
        // The menu bar's entries, as places on it.
        for (const QMenuBar* bar : window->findChildren<QMenuBar*>())
            for (QAction* action : bar->actions()) {
                QJsonObject item =
                    place(bar->actionGeometry(action).translated(bar->mapToGlobal(QPoint(0, 0))), toPage);
                item["name"] = action->objectName();
                item["text"] = action->text();
                item["shown"] = bar->isVisible();
                controls.append(item);
            }
        entry["controls"] = controls;
        windows.append(entry);
    }
    json = QJsonDocument(QJsonObject{{"windows", windows}}).toJson(QJsonDocument::Compact);
    return json.constData();
}
