// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Real files for the tests that use the disk: reading and planting them, and a small file system of our own.
#include <QByteArray>
#include <QFile>
#include <QTest>
#include <sys/mount.h>

inline QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void plant(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Root ignores permissions and a real disk is never full on demand: a tmpfs mounted over dir, when the
// machine lets us mount (tests skip otherwise).
class Tmpfs {
  public:
    explicit Tmpfs(const QString& dir, QByteArray options = "size=64k")
        : dir_(QFile::encodeName(dir)), options_(std::move(options)) {
        mounted_ = ::mount("tmpfs", dir_.constData(), "tmpfs", 0, options_.constData()) == 0;
    }
    ~Tmpfs() {
        if (mounted_) ::umount2(dir_.constData(), MNT_DETACH);
    }
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;
    bool mounted() const { return mounted_; }
    bool makeReadOnly() {
        return ::mount("tmpfs", dir_.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, options_.constData()) == 0;
    }

  private:
    QByteArray dir_;
    QByteArray options_;
    bool mounted_ = false;
};
