#pragma once

// Ends the program at once: no further handler runs and control never returns.
class ProgramEnd {
  public:
    virtual ~ProgramEnd() = default;
    [[noreturn]] virtual void endNow() = 0;
};
