// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Tavola.h"

#include "Artwork.h"
#include "GameButton.h"
#include "GameLabel.h"
#include "Layout.h"
#include "Surface.h"

#include <QCloseEvent>
#include <QHash>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <algorithm>
#include <vector>

namespace {

constexpr BgrColour kDefaultText = 0x000000;
constexpr BgrColour kButtonFace = 0xC0C0C0;

// The classic faces are not on a free desktop; these free families share their look and metrics.
void installFontSubstitutes() {
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "DejaVu Serif"});
    QFont::insertSubstitutions("Arial Black", {"DejaVu Sans", "Liberation Sans"});
}

QFont makeFont(const layout::Font& design) {
    QFont font(design.face);
    font.setPointSizeF(design.points);
    font.setWeight(design.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(design.italic);
    return font;
}

QCursor makeCursor(layout::Pointer pointer) {
    switch (pointer) {
    case layout::Pointer::FourArrows:
        return artwork::fourArrows();
    case layout::Pointer::IconPointer:
        return artwork::iconPointer();
    case layout::Pointer::Default:
        break;
    }
    return Qt::ArrowCursor;
}

void styleLabel(GameLabel& label, const layout::Label& design) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, toQColor(design.fore.value_or(kDefaultText)));
    palette.setColor(QPalette::Window, toQColor(design.back.value_or(kButtonFace)));
    label.setPalette(palette);
    label.setAutoFillBackground(design.opaque);
    label.setFont(makeFont(design.font));
    if (design.border) {
        label.setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label.setLineWidth(1);
    }
    label.setAlignment((design.align == layout::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                       Qt::AlignTop);
    label.setEnabled(design.enabled);
    if (design.toolTip != nullptr) {
        label.setToolTip(design.toolTip);
        // A screen reader skips a label without text; an empty frame is known by its hint instead.
        if (label.caption().isEmpty()) label.setAccessibleName(design.toolTip);
    }
    if (design.pointer != layout::Pointer::Default) label.setCursor(makeCursor(design.pointer));
    label.setVisible(design.visible);
}

void styleButton(GameButton& button, const layout::Button& design) {
    button.setFont(makeFont(design.font));
    if (design.toolTip != nullptr) button.setToolTip(design.toolTip);
    // Buttons are windows of their own: without a pointer of their own they show the arrow, not the
    // surface's cross-hair.
    button.setCursor(makeCursor(design.pointer));
    button.setEnabled(design.enabled);
    button.setVisible(design.visible);
}

QLineEdit* makeTextBox(QWidget* parent, const layout::TextBox& design) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(design.name);
    box->setGeometry(layout::toPixels(design.left), layout::toPixels(design.top),
                     layout::toPixels(design.width), layout::toPixels(design.height));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, toQColor(design.back));
    box->setPalette(palette);
    box->setFont(makeFont(design.font));
    box->setToolTip(design.toolTip);
    box->setEnabled(design.enabled);
    box->setVisible(design.visible);
    return box;
}

} // namespace

Tavola::Tavola(Platform& platform, Build build) : platform_(platform) {
    installFontSubstitutes();
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(artwork::windowIcon());
    // Before the menu: the menu bar then lays its titles out once, when it is first shown.
    setFont(makeFont(layout::Font{}));
    // The load sequence switches the timers off before its prompt.
    loadTimers();
    if (build == Build::Now) this->build();
}

Tavola::~Tavola() = default;

void Tavola::build() {
    if (surface_ != nullptr) return;
    buildMenu();
    loadWidgets();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Tavola::loadControls() {
    loadTimers();
    loadWidgets();
}

void Tavola::loadTimers() {
    for (const layout::TimerRow& row : layout::timers()) {
        auto timer = platform_.timers.create(row.name, [this, tick = row.onTick] { (this->*tick)(); });
        timer->setInterval(row.intervalMs);
        timer->setEnabled(row.enabled);
        this->*row.slot = std::move(timer);
    }
}

void Tavola::loadWidgets() {
    setWindowTitle(layout::kTitle);
    surface_ = new Surface(this);
    setCentralWidget(surface_);

    std::vector<std::pair<int, QWidget*>> tabOrder;
    // Labels first: later siblings stack above, and buttons always lie above labels.
    for (const layout::Label& design : layout::labels()) {
        auto* label = new GameLabel(surface_, design);
        styleLabel(*label, design);
        if (design.slot != nullptr) this->*design.slot = label;
        tabOrder.emplace_back(design.tabIndex, label);
    }
    const layout::TextBox& box = layout::textBox();
    tabOrder.emplace_back(box.tabIndex, makeTextBox(surface_, box));
    for (const layout::Button& design : layout::buttons()) {
        auto* button = new GameButton(*surface_, design);
        styleButton(*button, design);
        if (design.slot != nullptr) this->*design.slot = button;
        if (design.onClick != nullptr) connect(button, &QPushButton::clicked, this, design.onClick);
        tabOrder.emplace_back(design.tabIndex, button);
    }
    std::sort(tabOrder.begin(), tabOrder.end());
    // Qt refuses to chain a control that takes no focus, and a label would cut the chain in two.
    std::erase_if(tabOrder, [](const auto& entry) { return entry.second->focusPolicy() == Qt::NoFocus; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);

    surface_->setIconPointerArea(cmdNext);
    // The start bar is disabled, and its clicks belong to the window beneath.
    cmdNext->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(surface_, &Surface::clicked, this, &Tavola::Form_Click);
}

void Tavola::unloadControls() {
    for (const layout::TimerRow& row : layout::timers())
        (this->*row.slot).reset();
    for (const layout::Button& design : layout::buttons())
        if (design.slot != nullptr) this->*design.slot = nullptr;
    for (const layout::Label& design : layout::labels())
        if (design.slot != nullptr) this->*design.slot = nullptr;
    // Deleted later: the menu or button whose handler got us here may still be on the stack.
    QWidget* old = takeCentralWidget();
    old->hide();
    old->deleteLater();
    surface_ = nullptr;
}

void Tavola::buildMenu() {
    QHash<QString, QMenu*> submenus;
    for (const layout::MenuItem& item : layout::menu()) {
        const bool hasItems =
            std::any_of(layout::menu().begin(), layout::menu().end(), [&](const auto& other) {
                return other.parent != nullptr && QString(other.parent) == item.name;
            });
        QAction* action = nullptr;
        if (hasItems) {
            QMenu* submenu = menuBar()->addMenu(item.caption);
            submenu->setObjectName(item.name);
            submenus.insert(item.name, submenu);
            action = submenu->menuAction();
        } else if (item.parent == nullptr) {
            action = menuBar()->addAction(item.caption);
        } else {
            action = submenus.value(item.parent)->addAction(item.caption);
        }
        action->setObjectName(item.name);
        if (item.onClick != nullptr) connect(action, &QAction::triggered, this, item.onClick);
    }
}

void Tavola::showAndActivate() {
    // At its own size everywhere: show() lets a system fill the screen with a main window, as Qt does in a
    // browser.
    setVisible(true);
    // The deal belongs to showing the window, not to every return of the focus to it.
    Form_Activate();
}

void Tavola::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) Form_Resize();
}

void Tavola::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Tavola::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closedByPlayer();
}
