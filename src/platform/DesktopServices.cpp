// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The services of a desktop system, Linux or Windows: they differ only in how a cue is sounded.
#include "FoldingRandom.h"
#include "ProgramExit.h"
#include "QtDialogs.h"
#include "QtFolders.h"
#include "QtTextFiles.h"
#include "QtTimers.h"
#include "SystemServices.h"
#include "SystemSound.h"

namespace {

class DesktopServices : public SystemServices {
  public:
    explicit DesktopServices(const QString& title)
        : dialogs_(title), sound_(makeSystemSound(folders_.programFolder())) {
        random_.reseedFromClock();
    }
    Platform& platform() override { return platform_; }

  private:
    QtDialogs dialogs_;
    QtFolders folders_;
    std::unique_ptr<Sound> sound_;
    FoldingRandom random_;
    QtTimers timers_;
    QtTextFiles files_;
    ProgramExit end_;
    Platform platform_{dialogs_, *sound_, random_, timers_, folders_, files_, end_};
};

} // namespace

std::unique_ptr<SystemServices> makeSystemServices(const QString& title) {
    return std::make_unique<DesktopServices>(title);
}
