// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayRoundTrip.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

namespace {

// A sync request on a queue of our own: it leaves after the commits Qt has buffered, the compositor answers
// it once it has handled them, and only our queue is dispatched meanwhile, so no event reaches Qt.
// QGuiApplication::sync() would wait the same, but it runs the event loop first.
void waylandRoundTrip() {
    auto* display = static_cast<wl_display*>(
        QGuiApplication::platformNativeInterface()->nativeResourceForIntegration("wl_display"));
    if (!display) return;
    wl_event_queue* queue = wl_display_create_queue(display);
    wl_display_roundtrip_queue(display, queue);
    wl_event_queue_destroy(queue);
}

} // namespace

void waitForDisplayServer() {
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        waylandRoundTrip();
        return;
    }
    // The X server answers a pixel read only after drawing all that was sent before it.
    if (QScreen* screen = QGuiApplication::primaryScreen()) screen->grabWindow(0, 0, 0, 1, 1);
}
