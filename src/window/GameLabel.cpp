#include "GameLabel.h"

#include <QMouseEvent>

GameLabel::GameLabel(QWidget* parent, const layout::Label& design) : QLabel(parent), autoSize_(design.autoSize) {
    setObjectName(design.name);
    setTextFormat(Qt::PlainText);
    setGeometry(layout::toPixels(design.left), layout::toPixels(design.top), layout::toPixels(design.width),
                layout::toPixels(design.height));
    // The stored size holds until the caption first changes.
    caption_ = design.caption;
    setText(caption_);
}

void GameLabel::setCaption(const QString& caption) {
    caption_ = caption;
    // A CR LF pair is one line break on screen; a lone CR would otherwise show as a box.
    QString shown = caption;
    shown.replace("\r\n", "\n").replace('\r', '\n');
    setText(shown);
    if (autoSize_) resize(sizeHint());
}

void GameLabel::mousePressEvent(QMouseEvent* event) { event->accept(); }

void GameLabel::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
