// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTextFiles.h"

#include "RecordText.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>
#include <filesystem>
#include <system_error>

qint16 QtTextFiles::freeFile() {
    qint16 number = 1;
    while (open_.contains(number))
        ++number;
    return number;
}

bool QtTextFiles::open(qint16 number, const QString& path, Mode mode) {
    if (open_.contains(number)) return false;
    std::unique_ptr<QFileDevice> file;
    bool ok = false;
    switch (mode) {
    case Mode::Input:
        file = std::make_unique<QFile>(path);
        ok = file->open(QIODevice::ReadOnly);
        break;
    case Mode::Append:
        file = std::make_unique<QFile>(path);
        ok = file->open(QIODevice::WriteOnly | QIODevice::Append);
        break;
    case Mode::Output:
        // Written beside the old file and renamed over it on close: a crash or a full disk
        // leaves the old record whole.
        file = std::make_unique<QSaveFile>(path);
        ok = file->open(QIODevice::WriteOnly);
        break;
    }
    if (!ok) return false;
    open_[number] = std::move(file);
    return true;
}

QFileDevice* QtTextFiles::device(qint16 number) const {
    const auto it = open_.find(number);
    return it == open_.end() ? nullptr : it->second.get();
}

qint64 QtTextFiles::length(qint16 number) {
    const QFileDevice* file = device(number);
    return file == nullptr ? -1 : file->size();
}

QString QtTextFiles::read(qint16 number, qint64 maxBytes) {
    QFileDevice* file = device(number);
    if (file == nullptr || maxBytes <= 0) return {};
    return decodeRecordText(file->read(maxBytes));
}

bool QtTextFiles::writeLine(qint16 number, const QString& text) {
    QFileDevice* file = device(number);
    if (file == nullptr) return false;
    const QByteArray bytes = encodeRecordText(text + "\r\n");
    return file->write(bytes) == bytes.size();
}

bool QtTextFiles::close(qint16 number) {
    auto node = open_.extract(number);
    if (node.empty()) return false;
    QFileDevice* file = node.mapped().get();
    if (auto* save = dynamic_cast<QSaveFile*>(file)) {
        // Qt 6.4 commits even when the last buffered bytes could not be flushed (a full disk),
        // which would put an empty file in place of the record.
        if (!save->flush()) save->cancelWriting();
        return save->commit();
    }
    const bool flushed = file->flush();
    file->close();
    return flushed && file->error() == QFileDevice::NoError;
}

bool QtTextFiles::exists(const QString& path) {
    return QFileInfo::exists(path);
}

bool QtTextFiles::rename(const QString& from, const QString& to) {
    // QFile::rename refuses to replace, and so does the C library's rename on Windows. The standard
    // library's replaces an existing file everywhere: rename(2) on POSIX systems, MoveFileEx with
    // MOVEFILE_REPLACE_EXISTING on Windows.
    // On Windows a file that an indexer or a virus scanner holds open for a moment refuses to be replaced,
    // so a failed replace is tried again for a little while.
    constexpr int kPatienceMs = 1500;
    constexpr int kPauseMs = 50;
    const std::filesystem::path source = from.toStdU16String();
    const QDeadlineTimer deadline(kPatienceMs);
    for (;;) {
        std::error_code error;
        std::filesystem::rename(source, to.toStdU16String(), error);
        if (!error) return true;
        if (deadline.hasExpired() || !std::filesystem::exists(source, error)) return false;
        QThread::msleep(kPauseMs);
    }
}

bool QtTextFiles::remove(const QString& path) {
    return QFile::remove(path);
}

bool QtTextFiles::lock(const QString& path) {
    // Holders keep it for milliseconds. One left by a game that died is found stale (its process is gone)
    // and taken over; a folder where the lock file cannot be made fails at once.
    constexpr int kWaitMs = 5000;
    lock_ = std::make_unique<QLockFile>(path);
    return lock_->tryLock(kWaitMs);
}

void QtTextFiles::unlock() {
    lock_.reset();
}
