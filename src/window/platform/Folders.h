#pragma once

#include <QString>

class Folders {
  public:
    virtual ~Folders() = default;
    // The folder that holds the program, without a trailing separator.
    virtual QString programFolder() = 0;
    // The per-user folder that keeps the records, created if missing, without a trailing separator.
    virtual QString recordFolder() = 0;
};
