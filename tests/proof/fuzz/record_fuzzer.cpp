// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes at all in a record file or a cue file: the reader, both number reads and the cue decoder must
// take them without fault, and what they give back must hold together.
#include "lifecycle/RecordNumbers.h"
#include "platform/CueWave.h"
#include "platform/QtTextFiles.h"
#include "platform/RecordText.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The game reads no further into a record file than this.
constexpr qint64 kReadBound = 4096;

void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

QString folder() {
    static QTemporaryDir dir;
    return dir.path();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QString text = decodeRecordText(bytes);
    // UTF-8 never gives more characters than bytes; the single-byte fallback gives exactly one per byte.
    check(text.size() <= bytes.size(), "more characters than bytes");
    const QByteArray again = encodeRecordText(text);
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    check(bom || again == bytes || text.size() == bytes.size(),
          "neither UTF-8 kept nor one character per byte");
    // What we write, we read back unchanged: a name survives the round trip through its file.
    check(decodeRecordText(again) == text || text.startsWith(QChar(0xFEFF)),
          "written text reads back changed");

    const double record = lenientNumber(text);
    check(!std::isnan(record), "lenient read gave NaN");
    strictNumber(text);
    // The game's own lines read back as the numbers it wrote.
    const int n = static_cast<int>(size % 20001) - 10000;
    const QString written = (size % 2 == 0 ? " " : "") + QString::number(n);
    check(lenientNumber(written + "\r\n" + text) == n, "record line misread");
    check(strictNumber(written) == n, "score caption misread");

    // The bounded read from a real file, as the load sequence does it.
    const QString path = folder() + "/atarvisk.txt";
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot plant the file");
        check(file.write(bytes) == bytes.size(), "cannot plant the file");
    }
    QtTextFiles files;
    const qint16 number = files.freeFile();
    check(files.open(number, path, TextFiles::Mode::Input), "cannot open the planted file");
    const qint64 length = files.length(number);
    check(length == bytes.size(), "length is not the size");
    const QString read = files.read(number, std::min(length, kReadBound));
    check(files.close(number), "close failed");
    check(read == decodeRecordText(bytes.left(kReadBound)), "bounded read differs from the bytes");

    // A cue gives the stream whole samples, at most the longest cue's, the same at every read.
    const std::optional<QByteArray> cue = cueStreamFrames(bytes);
    check(!cue || (cue->size() % 2 == 0 && cue->size() <= qint64{2} * kCueRate * kLongestCueSeconds),
          "cue frames out of shape");
    check(cueStreamFrames(bytes) == cue, "cue decoded differently twice");
    return 0;
}
