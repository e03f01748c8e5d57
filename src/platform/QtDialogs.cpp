// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// The longest name the prompt accepts; the record reader's bound leaves room for it.
constexpr int kMaxInput = 254;

} // namespace

int QtDialogs::msgBox(const QString& text, int style, const QString& title) {
    // Centred over the game when it is on screen; application-modal either way.
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? title_ : title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (style == YesNoQuestionDefaultNo) {
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return run(box) == QMessageBox::Yes ? AnswerYes : AnswerNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    run(box);
    return AnswerOk;
}

QString QtDialogs::inputBox(const QString& prompt) {
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(title_);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    if (auto* edit = box.findChild<QLineEdit*>()) edit->setMaxLength(kMaxInput);
    // Fixed like every window of the game, so no window manager offers to maximise it (a message box fixes
    // its own size). The dialog builds its layout when first measured, and that layout sets the size limits.
    box.sizeHint();
    if (QLayout* layout = box.layout()) layout->setSizeConstraint(QLayout::SetFixedSize);
    if (run(box) != QDialog::Accepted) return {};
    return box.textValue();
}

int QtDialogs::run(QDialog& box) {
    return box.exec();
}
