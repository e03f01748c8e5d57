#pragma once

#include <QObject>

class QWidget;

// Readies the game window while the name prompt waits for the player, so the window comes up quickly after
// the greeting: its fonts load and its native window is made behind the prompt. Queued any earlier, this work
// held back the prompt itself, so it starts once the prompt's first frame is painted.
class WindowPreparer : public QObject {
  public:
    explicit WindowPreparer(QWidget& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void prepare();

    QWidget& window_;
};
