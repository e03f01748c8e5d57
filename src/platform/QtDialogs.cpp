// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <utility>

namespace {

// The longest name the prompt accepts; the record reader's bound leaves room for it.
constexpr int kMaxInput = 254;

// Does the work once the box has painted itself, queued so that the frame reaches the screen first; what is
// still left when the box closes is done then.
class BehindBox : public QObject {
  public:
    BehindBox(QDialog& box, std::vector<std::function<void()>> work) : work_(std::move(work)) {
        if (!work_.empty()) box.installEventFilter(this);
    }

    void finish() {
        for (const auto& step : std::exchange(work_, {}))
            step();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, &BehindBox::finish);
        }
        return false;
    }

  private:
    std::vector<std::function<void()>> work_;
};

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
        return answer(box) == QMessageBox::Yes ? AnswerYes : AnswerNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    answer(box);
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
    if (answer(box) != QDialog::Accepted) return {};
    return box.textValue();
}

void QtDialogs::whileNextBoxWaits(std::function<void()> work) {
    waiting_.push_back(std::move(work));
}

int QtDialogs::answer(QDialog& box) {
    BehindBox behind(box, std::exchange(waiting_, {}));
    const int code = run(box);
    behind.finish();
    return code;
}

int QtDialogs::run(QDialog& box) {
    return box.exec();
}
