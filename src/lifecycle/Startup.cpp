// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start of the program, the load sequence, a new game and the minimised caption.
#include "window/GameLabel.h"
#include "window/Tavola.h"

namespace {

const QString kRecordsUnavailable = QStringLiteral(
    "Non riesco a leggere o a creare i file dei record: in questa partita i record non possono "
    "essere conservati.");
// The record on show was read; only writing failed, and the exit tries again.
const QString kSavingMayFail = QStringLiteral(
    "Per ora non riesco a salvare un nuovo record: se ne fai uno, ci riproverò alla fine della gara.");

} // namespace

void Tavola::start() {
    Form_Initialize();
    showAndActivate();
}

void Tavola::Form_Initialize() {
    // The painter needs the loaded window, so the whole load sequence runs before the painter's first step.
    Form_Load();
    cmdNext_Click();
}

void Tavola::Form_Load() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    const QString name = platform_.dialogs.inputBox("Come ti chiami?");
    platform_.dialogs.msgBox(" " + name + " vediamo se sei un vero campione  ");
    lblnome1->setCaption(name);
    StartClock();
    state.systemDir = GetSystemDir();
    const RecordAccess access = loadRecords();
    recordsRead_ = access != RecordAccess::Unreadable;
    if (access != RecordAccess::Writable) {
        // The time spent in this box does not count: the clock starts again when it closes.
        Timer1->setEnabled(false);
        platform_.dialogs.msgBox(recordsRead_ ? kSavingMayFail : kRecordsUnavailable);
        StartClock();
    }
    lblconto->setCaption(clockText());
    cmdNext_Click();
}

void Tavola::Next_Click() {
    const int answer = platform_.dialogs.msgBox("INIZIAMO UNA NUOVA GARA  ?", Dialogs::YesNoQuestionDefaultNo,
                                                "INIZIARE NUOVA GARA");
    if (answer == Dialogs::AnswerNo) return;
    // Unloading abandons the game in progress: no record decision.
    hide();
    unloadControls();
    loadControls();
    Form_Load();
    showAndActivate();
}

void Tavola::Form_Resize() {
    if (isMinimized()) setWindowTitle("Dorvana.  ");
}
