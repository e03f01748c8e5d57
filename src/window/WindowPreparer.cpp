#include "WindowPreparer.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTimer>
#include <QWidget>

WindowPreparer::WindowPreparer(QWidget& window) : window_(window) {
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
    QList<QFont> fonts;
    for (const QWidget* control : window_.findChildren<QWidget*>())
        if (!fonts.contains(control->font())) fonts.append(control->font());
    for (const QFont& font : fonts)
        QFontMetrics(font).height();
    // Making the native window took from under 1 to over 10 ms of the wait after the greeting.
    window_.winId();
}
