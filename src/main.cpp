// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemServices.h"
#include "window/Artwork.h"
#include "window/FixedSizeKeeper.h"
#include "window/Layout.h"
#include "window/ScreenFit.h"
#include "window/Tavola.h"
#include "window/WindowPreparer.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("dorvana");
    // Docks and task bars find the menu entry, and its icon, by this name (the window's app id on Wayland).
    QApplication::setDesktopFileName("org.example.dorvana");
    QApplication::setWindowIcon(artwork::windowIcon());
    // The game speaks Italian whatever the machine's language, Qt's own buttons included. Qt's texts are in
    // its own folder, or inside the program where Qt has no folder (in the browser).
    QTranslator qtItalian;
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath), QStringLiteral(":/translations")})
        if (qtItalian.load(QLocale(QLocale::Italian), "qtbase", "_", folder)) {
            QApplication::installTranslator(&qtItalian);
            break;
        }
    // The window is hidden while a new game asks for the name; only the player's close ends the run.
    QApplication::setQuitOnLastWindowClosed(false);

    FixedSizeKeeper fixedSizes;
    const auto services = makeSystemServices(layout::kTitle);
    ScreenFit screenFit(services->windowManager() ? ScreenFit::Placement::ByWindowManager
                                                  : ScreenFit::Placement::Centred);

    Tavola tavola(services->platform(), Tavola::Build::Later);
    QObject::connect(&tavola, &Tavola::closedByPlayer, &app, &QApplication::quit);
    WindowPreparer preparer(tavola, services->platform().dialogs,
                            services->windowManager() ? WindowPreparer::NativeWindow::Early
                                                      : WindowPreparer::NativeWindow::WhenShown);
    // From the event loop: a browser can only wait for the name prompt's answer from there.
    QTimer::singleShot(0, &tavola, &Tavola::start);
    return QApplication::exec();
}
