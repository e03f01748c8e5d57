// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// A browser lets one call at a time wait for something (a box's answer, a painted frame, the record store):
// a second wait begun inside the first would lose the first. So while one waits, ticks wait too, and a
// paint or a store request also keeps the player's input back; both are delivered once it ends.
class WebPause : public QObject {
    Q_OBJECT
  public:
    static WebPause& instance();
    bool active() const { return depth_ > 0; }

    // Open while its call waits.
    class Scope {
      public:
        // A box takes the player's input itself; any other wait holds it back.
        explicit Scope(bool holdsInput);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        bool holdsInput_;
    };

  signals:
    // The last wait has ended: what waited may run.
    void ended();

  private:
    int depth_ = 0;
};
