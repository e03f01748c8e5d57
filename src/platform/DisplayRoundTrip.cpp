// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayRoundTrip.h"

#include <QDeadlineTimer>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cerrno>
#include <poll.h>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

namespace {

// A hidden or covered window may never be drawn again: the wait for its frame gives up after this.
constexpr int kFrameWaitMs = 200;

// The window whose surface shows the widget: its own top level, or the view's when it is shown through one.
QWindow* windowShowing(const QWidget& widget) {
    const QWidget* top = widget.window();
    if (const QGraphicsProxyWidget* proxy = top->graphicsProxyWidget())
        if (const QList<QGraphicsView*> views = proxy->scene()->views(); !views.isEmpty())
            return windowShowing(*views.first());
    return top->windowHandle();
}

void markDone(void* data, wl_callback* /*callback*/, uint32_t /*time*/) {
    *static_cast<bool*>(data) = true;
}
const wl_callback_listener kDoneListener = {markDone};

// Reads and dispatches only our queue until the callback is done or the deadline passes. The read is
// announced to libwayland first, so no reader of Qt's can take the socket's data from under our poll.
void waitForCallback(wl_display* display, wl_event_queue* queue, const bool& done) {
    const QDeadlineTimer deadline(kFrameWaitMs);
    while (!done) {
        if (wl_display_prepare_read_queue(display, queue) != 0) {
            wl_display_dispatch_queue_pending(display, queue);
            continue;
        }
        wl_display_flush(display);
        pollfd socket{wl_display_get_fd(display), POLLIN, 0};
        const int ready =
            deadline.hasExpired() ? 0 : poll(&socket, 1, static_cast<int>(deadline.remainingTime()));
        if (ready <= 0) {
            wl_display_cancel_read(display);
            if (ready < 0 && errno == EINTR) continue;
            return;
        }
        wl_display_read_events(display);
        wl_display_dispatch_queue_pending(display, queue);
    }
}

// The compositor answers a frame request once it has drawn the surface's content as committed with or
// before the request: Qt's commit of the painting came first, so the answer means it is on screen. The
// request takes effect only with a commit, which we send ourselves; it carries no new content. Everything
// happens on a queue of our own, so no event reaches Qt meanwhile, and Qt's own frame callback is untouched.
void waylandFrameShown(QWindow* window) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    auto* surface =
        window ? static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window)) : nullptr;
    if (!display || !surface || !window->isExposed()) return;
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* ours = static_cast<wl_surface*>(wl_proxy_create_wrapper(surface));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(ours), queue);
    bool done = false;
    wl_callback* frame = wl_surface_frame(ours);
    wl_callback_add_listener(frame, &kDoneListener, &done);
    wl_surface_commit(ours);
    waitForCallback(display, queue, done);
    wl_callback_destroy(frame);
    wl_proxy_wrapper_destroy(ours);
    wl_event_queue_destroy(queue);
}

} // namespace

void waitForDisplayServer(const QWidget& shown) {
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        waylandFrameShown(windowShowing(shown));
        return;
    }
    // The X server answers a pixel read only after drawing all that was sent before it.
    if (QScreen* screen = QGuiApplication::primaryScreen()) screen->grabWindow(0, 0, 0, 1, 1);
}
