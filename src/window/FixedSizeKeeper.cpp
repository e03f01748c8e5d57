// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedSizeKeeper.h"

#include <QApplication>
#include <QLayout>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

const char* const kWatchName = "sizeWatch";
constexpr Qt::WindowStates kLarge = Qt::WindowMaximized | Qt::WindowFullScreen;

// One window's watch, a child of that window.
class SizeWatch : public QObject {
  public:
    explicit SizeWatch(QWidget& window) : QObject(&window), window_(window) {
        setObjectName(kWatchName);
        QWindow* handle = window.windowHandle();
        // Emitted inside the request, before it reaches the system: the size is free in time for its answer.
        connect(handle, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if (kLarge.testFlag(state)) letGo();
        });
        handle->installEventFilter(this);
    }

  protected:
    // A window's state change event is the system's report of what it did.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::WindowStateChange || !kept_.isValid()) return false;
        auto* handle = static_cast<QWindow*>(watched);
        if (handle->windowStates() & kLarge)
            // Asked of the system alone, once Qt has drawn the large frame that its answer calls for: the
            // widget's own showNormal() would put back its old size at once, and a Wayland compositor ends a
            // client whose frame is not the size of the state it was last told.
            QTimer::singleShot(0, handle, [handle] { handle->setWindowStates(Qt::WindowNoState); });
        else
            takeBack();
        return false;
    }

  private:
    void letGo() {
        if (kept_.isValid() || window_.minimumSize() != window_.maximumSize()) return;
        kept_ = window_.minimumSize();
        if (QLayout* layout = window_.layout()) {
            constraint_ = layout->sizeConstraint();
            layout->setSizeConstraint(QLayout::SetNoConstraint);
        }
        window_.setMinimumSize(0, 0);
        window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    void takeBack() {
        window_.setFixedSize(kept_);
        if (QLayout* layout = window_.layout()) layout->setSizeConstraint(constraint_);
        kept_ = {};
    }

    QWidget& window_;
    QSize kept_;
    QLayout::SizeConstraint constraint_ = QLayout::SetDefaultConstraint;
};

} // namespace

FixedSizeKeeper::FixedSizeKeeper() {
    qApp->installEventFilter(this);
}

bool FixedSizeKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && widget->windowHandle() &&
        !widget->findChild<QObject*>(kWatchName, Qt::FindDirectChildrenOnly))
        new SizeWatch(*widget);
    return false;
}
