// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenFit.h"

#include "ScaledView.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>

// Qt draws no widget at a device pixel ratio below 1 (QPainter takes 1 instead), so a smaller screen factor
// would only cut the window off: the content is scaled in a view instead.

namespace {

// A screen reported empty for a moment (while it turns) must not shrink the window to nothing.
constexpr qreal kSmallest = 0.25;
constexpr Qt::WindowStates kNotLaidOut = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

// Real windows only: not pop-ups and tool tips, nor a widget shown inside a scaled view.
bool isFramedWindow(const QWidget& widget) {
    const Qt::WindowType type = widget.windowType();
    return widget.isWindow() && (type == Qt::Window || type == Qt::Dialog) &&
           widget.graphicsProxyWidget() == nullptr;
}

QMainWindow* mainWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<QMainWindow*>(window)) return main;
    return nullptr;
}

// The scale at which the content fits the room left beside the window's menus, never above 1.
qreal fittingScale(QSizeF content, QSizeF room) {
    if (content.isEmpty()) return 1.0;
    const qreal scale = std::min({1.0, room.width() / content.width(), room.height() / content.height()});
    return std::max(scale, kSmallest);
}

} // namespace

ScreenFit::ScreenFit(Placement placement) : placement_(placement) {
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watch(screen);
        screenChanged(screen);
    });
    qApp->installEventFilter(this);
}

void ScreenFit::watch(QScreen* screen) {
    connect(screen, &QScreen::availableGeometryChanged, this, [this, screen] { screenChanged(screen); });
}

void ScreenFit::screenChanged(QScreen* screen) {
    fit();
    if (placement_ != Placement::Centred) return;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && isFramedWindow(*window) && window->screen() == screen) centre(*window);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize) || !watched->isWidgetType())
        return false;
    auto& window = *static_cast<QWidget*>(watched);
    if (!isFramedWindow(window)) return false;
    switch (type) {
    case QEvent::Show:
        // Before the window reaches the screen, so it shows at the fitted size from its first frame.
        learnFrame(window);
        fit();
        if (placement_ == Placement::Centred) centre(window);
        break;
    case QEvent::Move:
        // A window manager tells the size of its frame only once the window is framed; a window that moves
        // to another screen fits that one.
        if (window.isVisible() && (learnFrame(window) || &window == mainWindow())) fit();
        break;
    default:
        // A box lays itself out as it is shown, after the show was announced.
        if (window.isVisible() && placement_ == Placement::Centred) centre(window);
        break;
    }
    return false;
}

void ScreenFit::fit() {
    QMainWindow* main = mainWindow();
    // A maximised window is not at the size it was laid out for, and no smaller one would show.
    if (main == nullptr || main->centralWidget() == nullptr || (main->windowState() & kNotLaidOut)) return;
    // The size its layout gives it, ahead of its first show.
    main->layout()->activate();
    QWidget* central = main->centralWidget();
    auto* view = qobject_cast<ScaledView*>(central);
    QWidget* content = view != nullptr ? view->content() : central;
    const QSize menus = main->size() - central->size();
    const QSize room = main->screen()->availableGeometry().size().shrunkBy(frame_) - menus;
    const qreal scale = fittingScale(content->size(), room);
    if (view != nullptr && scale >= 1.0) {
        QWidget* whole = view->release();
        main->setCentralWidget(whole);
        whole->show();
    } else if (view != nullptr) {
        view->setScale(scale);
    } else if (scale < 1.0) {
        auto* smaller = new ScaledView(main->takeCentralWidget(), scale);
        main->setCentralWidget(smaller);
        smaller->show();
    }
    // The new size at once: a layout counts only shown widgets, and would show a new one only later.
    main->layout()->activate();
}

bool ScreenFit::learnFrame(const QWidget& window) {
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame.isNull() || frame == frame_) return false;
    frame_ = frame;
    return true;
}

void ScreenFit::centre(QWidget& window) {
    if (window.windowState() & kNotLaidOut) return;
    const QRect free = window.screen()->availableGeometry();
    QRect frame = window.frameGeometry();
    frame.moveCenter(free.center());
    // Larger than the free area, it keeps its title bar in reach.
    window.move(std::max(frame.left(), free.left()), std::max(frame.top(), free.top()));
}
