// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The record score and holder files in the per-user data folder.
#include "RecordNumbers.h"
#include "platform/Paths.h"
#include "window/GameLabel.h"
#include "window/Tavola.h"

#include <algorithm>

namespace {

// A record is one short line; a larger or foreign file is read only as far as a record could reach.
constexpr qint64 kMaxRecordBytes = 4096;

const QString kRecordCongratulation = QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"");
const QString kRecordNotSaved =
    QStringLiteral("Non sono riuscito a registrare il tuo record: resta valido il record precedente.");

// A record is two files that must change together. Both new lines are first written whole beside them,
// the holder's last, so a finished holder line means the pair is ready; then each takes its file's place.
QString pending(const QString& path) {
    return path + ".new";
}

// Both lines of the pair being put in place, written before the holder's line and kept as long as it waits:
// a holder line that could not be taken back is then never mistaken for the holder of another score.
QString pairFile(const QString& folder) {
    return folder + "dorvana.pair";
}

// True when the file is gone, or never was.
bool removeIfThere(TextFiles& files, const QString& path) {
    return !files.exists(path) || files.remove(path);
}

QString readRecordText(TextFiles& files, const QString& path, bool* ok) {
    const qint16 number = files.freeFile();
    const bool opened = files.open(number, path, TextFiles::Mode::Input);
    if (ok != nullptr) *ok = opened;
    if (!opened) return {};
    const qint64 length = files.length(number);
    QString text = files.read(number, std::min(length, kMaxRecordBytes));
    files.close(number);
    return text;
}

// Whether the holder's waiting line belongs with that score line: the pair written with it holds both. A
// holder line with no pair beside it was left by a game that wrote none, and belongs with any.
bool holderLineBelongsWith(TextFiles& files, const QString& folder, const QString& holderLine,
                           const QString& score) {
    if (!files.exists(pairFile(folder))) return true;
    bool pairRead = false;
    bool holderRead = false;
    const QString pair = readRecordText(files, pairFile(folder), &pairRead);
    const QString holder = readRecordText(files, holderLine, &holderRead);
    return pairRead && holderRead && pair == score + holder;
}

// The holder's line takes its place; only then is the pair that ties it to its score done with.
void placeHolderLine(TextFiles& files, const QString& line, const QString& holderFile, const QString& pair) {
    if (files.rename(line, holderFile)) removeIfThere(files, pair);
}

} // namespace

QString Tavola::GetSystemDir() {
    const QString folder = platform_.folders.recordFolder();
    return folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

QString Tavola::scoreFilePath() const {
    return state.systemDir + nativeSeparators(R"(\atarvisk.txt)");
}

QString Tavola::holderFilePath() const {
    return state.systemDir + nativeSeparators(R"(\tarvisk.txt)");
}

QString Tavola::Leggifiletxt(const QString& nomefile, bool* ok) {
    return readRecordText(platform_.files, nomefile, ok);
}

QString Tavola::lockFilePath() const {
    return state.systemDir + "dorvana.lock";
}

// A run cut off between the two replacements is completed; a pair cut off earlier, one that cannot take its
// place in full, or a holder line that belongs with another score, is dropped and the old pair stands.
void Tavola::settlePendingRecord() {
    TextFiles& files = platform_.files;
    const QString scoreLine = pending(scoreFilePath());
    const QString holderLine = pending(holderFilePath());
    const bool scoreWaits = files.exists(scoreLine);
    // A holder file that cannot be read, a folder in its place say, could not take the holder's line either.
    bool holderReplaceable = false;
    if (files.exists(holderLine)) Leggifiletxt(holderFilePath(), &holderReplaceable);
    const bool scoreInPlace = holderReplaceable &&
                              holderLineBelongsWith(files, state.systemDir, holderLine,
                                                    Leggifiletxt(scoreWaits ? scoreLine : scoreFilePath())) &&
                              (!scoreWaits || files.rename(scoreLine, scoreFilePath()));
    if (scoreInPlace) {
        placeHolderLine(files, holderLine, holderFilePath(), pairFile(state.systemDir));
        return;
    }
    dropPendingRecord();
}

// The holder's line goes first: a score line left alone is never completed. The pair stays while the
// holder's line does.
void Tavola::dropPendingRecord() {
    TextFiles& files = platform_.files;
    if (removeIfThere(files, pending(holderFilePath()))) removeIfThere(files, pairFile(state.systemDir));
    removeIfThere(files, pending(scoreFilePath()));
}

// Other games on this account settle their records under the same lock, so the pair is read whole. A lock
// that cannot be had (a full disk, a read-only folder) still lets the record be read and shown.
Tavola::RecordAccess Tavola::loadRecords() {
    TextFiles& files = platform_.files;
    const bool locked = files.lock(lockFilePath());
    if (locked) settlePendingRecord();
    const bool created = createRecordFiles();
    const bool read = readRecords();
    if (locked) files.unlock();
    if (!read) return RecordAccess::Unreadable;
    return locked && created ? RecordAccess::Writable : RecordAccess::ReadOnly;
}

bool Tavola::createRecordFiles() {
    TextFiles& files = platform_.files;
    state.fileNumber = files.freeFile();
    const bool scoreFile = files.open(state.fileNumber, scoreFilePath(), TextFiles::Mode::Append) &&
                           files.close(state.fileNumber);
    const bool holderFile = files.open(state.fileNumber, holderFilePath(), TextFiles::Mode::Append) &&
                            files.close(state.fileNumber);
    return scoreFile && holderFile;
}

bool Tavola::readRecords() {
    TextFiles& files = platform_.files;
    bool scoreRead = false;
    bool holderRead = false;
    const QString score = Leggifiletxt(scoreFilePath(), &scoreRead);
    // A holder's line alone beside the files that belongs with the score in place is its holder: the old
    // holder did not set that score.
    const QString holderLine = pending(holderFilePath());
    const bool holderWaits = files.exists(holderLine) && !files.exists(pending(scoreFilePath())) &&
                             holderLineBelongsWith(files, state.systemDir, holderLine, score);
    lblpunti->setCaption(score);
    lblnome->setCaption(Leggifiletxt(holderWaits ? holderLine : holderFilePath(), &holderRead));
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

// Once the score has taken its place the record is kept: a holder line that cannot follow it now waits
// beside the files, stands for the holder and is completed at a later start. Anything that fails earlier
// takes back what it wrote.
bool Tavola::writeRecordPair() {
    TextFiles& files = platform_.files;
    const QString score = Punteggio->caption();
    const QString holder = lblnome1->caption();
    const QString pair = pairFile(state.systemDir);
    // The pair's two lines, as the score and holder files read.
    const bool ready = writeRecordFile(pending(scoreFilePath()), score) &&
                       writeRecordFile(pair, score + "\r\n" + holder) &&
                       writeRecordFile(pending(holderFilePath()), holder);
    if (ready && files.rename(pending(scoreFilePath()), scoreFilePath())) {
        placeHolderLine(files, pending(holderFilePath()), holderFilePath(), pair);
        return true;
    }
    dropPendingRecord();
    return false;
}

void Tavola::recordDecision() {
    const double record = lenientNumber(lblpunti->caption());
    const double score = strictNumber(Punteggio->caption());
    if (record >= score) return;
    TextFiles& files = platform_.files;
    // A record never read at load is never overwritten.
    if (!recordsRead_ || !files.lock(lockFilePath())) {
        platform_.dialogs.msgBox(kRecordNotSaved);
        return;
    }
    // Another game may have raised the record since our load: the one to beat is the one on disk now.
    settlePendingRecord();
    bool scoreRead = false;
    bool holderRead = false;
    const double onDisk = lenientNumber(Leggifiletxt(scoreFilePath(), &scoreRead));
    Leggifiletxt(holderFilePath(), &holderRead);
    const bool beaten = onDisk < score;
    const bool written = scoreRead && holderRead && beaten && writeRecordPair();
    files.unlock();
    if (scoreRead && holderRead && !beaten) return;
    platform_.dialogs.msgBox(written ? kRecordCongratulation : kRecordNotSaved);
}
