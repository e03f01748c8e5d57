#pragma once

#include "Timers.h"

class QtTimers : public Timers {
  public:
    std::unique_ptr<Timer> create(const QString& name, std::function<void()> onTick) override;
};
