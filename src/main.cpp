#include "window/Artwork.h"
#include "window/Layout.h"
#include "window/Tavola.h"
#include "window/platform/FoldingRandom.h"
#include "window/platform/ProgramExit.h"
#include "window/platform/QtDialogs.h"
#include "window/platform/QtFolders.h"
#include "window/platform/QtSound.h"
#include "window/platform/QtTextFiles.h"
#include "window/platform/QtTimers.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

namespace {

// Loading the window's fourteen fonts (four families) at its first paint held the window back by 2 to 3 ms after
// the greeting. They load instead once the name prompt is on screen, in its own loop while the player types:
// queued any earlier, they held back the prompt.
class FontWarmer : public QObject {
  public:
    explicit FontWarmer(QWidget& window) : window_(window) { qApp->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            qApp->removeEventFilter(this);
            // Queued, so the prompt's first frame reaches the screen first.
            QTimer::singleShot(0, this, [this] { warm(); });
        }
        return false;
    }

  private:
    void warm() {
        QList<QFont> fonts;
        for (const QWidget* control : window_.findChildren<QWidget*>())
            if (!fonts.contains(control->font())) fonts.append(control->font());
        for (const QFont& font : fonts)
            QFontMetrics(font).height();
    }

    QWidget& window_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("dorvana");
    QApplication::setWindowIcon(artwork::windowIcon());
    // The game speaks Italian whatever the machine's language, Qt's own buttons included.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);
    // The window is hidden while a new game asks for the name; only the player's close ends the run.
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs(layout::kTitle);
    QtFolders folders;
    QtSound sound(folders.programFolder());
    FoldingRandom random;
    random.reseedFromClock();
    QtTimers timers;
    QtTextFiles files;
    ProgramExit end;
    Platform platform{dialogs, sound, random, timers, folders, files, end};

    Tavola tavola(platform);
    QObject::connect(&tavola, &Tavola::closedByPlayer, &app, &QApplication::quit);
    FontWarmer warmer(tavola);
    tavola.start();
    return QApplication::exec();
}
