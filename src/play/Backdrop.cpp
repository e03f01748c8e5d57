// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The backdrop painter: a factor pair and the 256 colour bands it tints.
#include "Draws.h"
#include "window/Colour.h"
#include "window/GameButton.h"
#include "window/GameLabel.h"
#include "window/Layout.h"
#include "window/Surface.h"
#include "window/Tavola.h"

namespace {

constexpr int kBands = 256;
constexpr double kScaleHeight = 512;

} // namespace

void Tavola::cmdNext_Click() {
    paricmd2->setBackColour(colour::cyan);
    const FactorPair pair = DrawFactors();
    state.factor1 = pair.a;
    state.factor2 = pair.b;
    PaintBands(pair);
}

FactorPair Tavola::DrawFactors() {
    lblMessage->setCaption("");
    RandomSource& random = platform_.random;
    random.reseedFromClock();
    auto a = static_cast<qint16>(floorOf(random.draw() * 10));
    while (a == 0)
        a = static_cast<qint16>(floorOf(random.draw() * 10));
    const auto b = static_cast<qint16>(floorOf(random.draw() * 10));
    lblNum1->setCaption(decimal(a));
    lblNum2->setCaption(decimal(b));
    return {a, b};
}

void Tavola::PaintBands(FactorPair pair) {
    // Pixels across and 512 units down; with an inside-solid pen in the box's own colour, outline and fill
    // are one rectangle, drawn over the old pixels into the retained image.
    surface_->setScaleHeight(kScaleHeight);
    Surface::Canvas canvas = surface_->canvas();
    for (int i = 0; i < kBands; ++i) {
        // The outer width in twips always exceeds the inner width in pixels, so every band runs off the right
        // edge.
        const int outerWidth = frameGeometry().width() * layout::kTwipsPerPixel;
        canvas.filledBox(0, 2 * i, outerWidth, 2 * i + 2, bgr(20 * pair.a, 20 * pair.b, i));
    }
}
