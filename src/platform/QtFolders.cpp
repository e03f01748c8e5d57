// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString QtFolders::programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString QtFolders::recordFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // A folder that cannot be made shows up later as record files that cannot be opened.
    QDir().mkpath(folder);
    return folder;
}
