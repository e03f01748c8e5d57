// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Real files for the tests that use the disk: reading and planting them, and a small file system of our own.
#include <QApplication>
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

// Fills the disk with the file at path, to its last free block, then gives room bytes back.
inline void fillDisk(const QString& path, qint64 room = 0) {
    QFile filler(path);
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
    QVERIFY(filler.resize(filler.size() - room));
}

// Root ignores permissions and a real disk is never full on demand: a tmpfs mounted over dir, when the
// machine lets us mount (see tmpfsReady otherwise).
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

inline bool& casesSkipped() {
    static bool skipped = false;
    return skipped;
}

// Whether a case that needs the tmpfs can go on. Under DORVANA_TEST_STRICT (./test, which runs as root)
// a tmpfs that cannot be mounted fails the case; elsewhere it is skipped, and the suite says so to ctest.
inline bool tmpfsReady(const Tmpfs& tmpfs, const char* why) {
    if (tmpfs.mounted()) return true;
    if (qEnvironmentVariableIsSet("DORVANA_TEST_STRICT")) {
        QTest::qFail(why, __FILE__, __LINE__);
        return false;
    }
    casesSkipped() = true;
    QTest::qSkip(why, __FILE__, __LINE__);
    return false;
}

// QTEST_MAIN for a suite with tmpfs cases: QtTest exits 0 after a skip, and ctest would count it as passed.
constexpr int kSkippedExitCode = 77;
template <class Suite> int runDiskSuite(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Suite suite;
    const int failed = QTest::qExec(&suite, argc, argv);
    return failed == 0 && casesSkipped() ? kSkippedExitCode : failed;
}
