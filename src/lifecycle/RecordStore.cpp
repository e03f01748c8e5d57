// The record score and holder files in the per-user data folder.
#include "RecordNumbers.h"
#include "window/GameLabel.h"
#include "window/Tavola.h"
#include "window/platform/Paths.h"

#include <algorithm>

namespace {

// A record is one short line; a larger or foreign file is read only as far as a record could reach.
constexpr qint64 kMaxRecordBytes = 4096;

const QString kRecordCongratulation = QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"");
const QString kRecordNotSaved =
    QStringLiteral("Non sono riuscito a registrare il tuo record: resta valido il record precedente.");

} // namespace

QString Tavola::GetSystemDir() {
    const QString folder = platform_.folders.recordFolder();
    return folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

QString Tavola::scoreFilePath() const { return state.systemDir + nativeSeparators(R"(\atarvisk.txt)"); }

QString Tavola::holderFilePath() const { return state.systemDir + nativeSeparators(R"(\tarvisk.txt)"); }

QString Tavola::Leggifiletxt(const QString& nomefile, bool* ok) {
    TextFiles& files = platform_.files;
    const qint16 number = files.freeFile();
    const bool opened = files.open(number, nomefile, TextFiles::Mode::Input);
    if (ok != nullptr) *ok = opened;
    if (!opened) return {};
    const qint64 length = files.length(number);
    const QString text = files.read(number, std::min(length, kMaxRecordBytes));
    files.close(number);
    return text;
}

bool Tavola::createRecordFiles() {
    TextFiles& files = platform_.files;
    state.fileNumber = files.freeFile();
    const bool scoreFile =
        files.open(state.fileNumber, scoreFilePath(), TextFiles::Mode::Append) && files.close(state.fileNumber);
    const bool holderFile =
        files.open(state.fileNumber, holderFilePath(), TextFiles::Mode::Append) && files.close(state.fileNumber);
    return scoreFile && holderFile;
}

bool Tavola::readRecords() {
    bool scoreRead = false;
    bool holderRead = false;
    lblpunti->setCaption(Leggifiletxt(scoreFilePath(), &scoreRead));
    lblnome->setCaption(Leggifiletxt(holderFilePath(), &holderRead));
    return scoreRead && holderRead;
}

bool Tavola::writeRecordFile(const QString& path, const QString& line) {
    TextFiles& files = platform_.files;
    state.fileNumber = files.freeFile();
    if (!files.open(state.fileNumber, path, TextFiles::Mode::Output)) return false;
    state.lineBuffer = line;
    const bool written = files.writeLine(state.fileNumber, state.lineBuffer);
    // A failed write is never committed: the old file stays whole.
    return files.close(state.fileNumber) && written;
}

void Tavola::restoreRecordFile(const QString& path, const QString& content) {
    TextFiles& files = platform_.files;
    state.fileNumber = files.freeFile();
    if (!files.open(state.fileNumber, path, TextFiles::Mode::Output)) return;
    files.write(state.fileNumber, content);
    files.close(state.fileNumber);
}

void Tavola::recordDecision() {
    const double record = lenientNumber(lblpunti->caption());
    const double score = strictNumber(Punteggio->caption());
    if (record >= score) return;
    const bool scoreWritten = writeRecordFile(scoreFilePath(), Punteggio->caption());
    const bool holderWritten = scoreWritten && writeRecordFile(holderFilePath(), lblnome1->caption());
    if (!holderWritten) {
        // A new score beside the old holder would be a record nobody made.
        if (scoreWritten) restoreRecordFile(scoreFilePath(), lblpunti->caption());
        platform_.dialogs.msgBox(kRecordNotSaved);
        return;
    }
    platform_.dialogs.msgBox(kRecordCongratulation);
}
