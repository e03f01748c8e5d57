// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Platform.h"

#include <QString>
#include <memory>

// Everything this system gives the game, made and owned together; each system's implementation defines the
// maker.
class SystemServices {
  public:
    virtual ~SystemServices() = default;
    virtual Platform& platform() = 0;
    // Whether a window manager places the windows; where none does (a web page), the game centres them.
    virtual bool windowManager() const { return true; }
};

// The services for a program whose boxes carry the given title.
std::unique_ptr<SystemServices> makeSystemServices(const QString& title);
