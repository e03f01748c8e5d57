#pragma once

#include "Folders.h"

class QtFolders : public Folders {
  public:
    QString programFolder() override;
    QString recordFolder() override;
};
