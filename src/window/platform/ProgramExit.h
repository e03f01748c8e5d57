#pragma once

#include "ProgramEnd.h"

class ProgramExit : public ProgramEnd {
  public:
    [[noreturn]] void endNow() override;
};
