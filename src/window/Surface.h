// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Colour.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <optional>

// The window's client area: the retained image behind the controls, its drawing scale,
// and the clicks that land on no visible control.
class Surface : public QWidget {
    Q_OBJECT
  public:
    explicit Surface(QWidget* parent);

    // Until a scale height is set, positions are design twips; after it, pixels across
    // and 1/scaleHeight of the client height down.
    void setScaleHeight(double units);
    int xToPixels(int units) const;
    int yToPixels(int units) const;

    // Draws into the retained image; the screen catches up at the next refresh.
    class Canvas {
      public:
        explicit Canvas(Surface& surface);
        ~Canvas();
        Canvas(const Canvas&) = delete;
        Canvas& operator=(const Canvas&) = delete;
        // A box from (x1, y1) to (x2, y2) in scale units, outline and fill in one colour.
        void filledBox(double x1, double y1, double x2, double y2, BgrColour colour);

      private:
        Surface& surface_;
        QPainter painter_;
    };
    Canvas canvas() { return Canvas(*this); }

    const QImage& image() const { return image_; }
    // Makes the retained image at the surface's size, ahead of the first drawing.
    void prepareImage();
    // Where the pointer turns into the icon pointer although clicks pass through to us.
    void setIconPointerArea(QWidget* control) { iconPointerArea_ = control; }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QImage image_;
    std::optional<double> scaleHeight_;
    bool pressed_ = false;
    QWidget* iconPointerArea_ = nullptr;
    bool overIconArea_ = false;
};
