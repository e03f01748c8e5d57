#pragma once

#include "Dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QString programTitle) : title_(std::move(programTitle)) {}
    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt) override;

  private:
    QString title_;
};
