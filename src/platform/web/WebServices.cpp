// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The services of the browser: Qt's boxes and timers made to wait as a page can, the cues through Web Audio,
// the records in the site's storage, and an end that leaves the page saying so.
#include "WebDialogs.h"
#include "WebRecordFiles.h"
#include "WebTimers.h"
#include "platform/FoldingRandom.h"
#include "platform/SystemServices.h"

#include <QDir>
#include <QFontDatabase>
#include <emscripten.h>

namespace {

// clang-format off
EM_JS(void, dorvana_play_cue, (const char* url), { Module.dorvanaSound.play(UTF8ToString(url)); });
// clang-format on

// The cues are served beside the page; a path relative to it works wherever the site puts the game.
class WebSound : public Sound {
  public:
    void play(const QString& path) override { dorvana_play_cue(path.toUtf8().constData()); }
};

class WebFolders : public Folders {
  public:
    QString programFolder() override { return QStringLiteral("."); }
    // The store's own name space: nothing to create.
    QString recordFolder() override { return QStringLiteral("/dorvana"); }
};

class WebEnd : public ProgramEnd {
  public:
    // The page hears of the exit and offers a new game.
    [[noreturn]] void endNow() override {
        emscripten_force_exit(0);
        __builtin_unreachable();
    }
};

class WebServices : public SystemServices {
  public:
    explicit WebServices(const QString& title) : dialogs_(title) {
        random_.reseedFromClock();
        // A page has no fonts: the window's faces come with the program. The folder holds nothing else, and a
        // name filter would cost the start a pattern match per file.
        for (const QFileInfo& font : QDir(":/dorvana-fonts").entryInfoList(QDir::Files))
            QFontDatabase::addApplicationFont(font.filePath());
    }
    Platform& platform() override { return platform_; }
    bool windowManager() const override { return false; }

  private:
    WebDialogs dialogs_;
    WebSound sound_;
    FoldingRandom random_;
    WebTimers timers_;
    WebFolders folders_;
    WebRecordFiles files_;
    WebEnd end_;
    Platform platform_{dialogs_, sound_, random_, timers_, folders_, files_, end_};
};

} // namespace

std::unique_ptr<SystemServices> makeSystemServices(const QString& title) {
    return std::make_unique<WebServices>(title);
}
