// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Text files opened by number, one line per write, lines ending CR LF.
// Every operation reports failure instead of throwing.
class TextFiles {
  public:
    enum class Mode {
        Input,
        Append, // creates a missing file, never truncates
        Output, // replaces the whole file when closed, or leaves the old one if anything fails
    };

    virtual ~TextFiles() = default;
    virtual qint16 freeFile() = 0;
    virtual bool open(qint16 number, const QString& path, Mode mode) = 0;
    virtual qint64 length(qint16 number) = 0;
    // Reads at most maxBytes from the start; UTF-8 when valid, else Windows-1252.
    virtual QString read(qint16 number, qint64 maxBytes) = 0;
    // Writes the text as UTF-8 followed by CR LF.
    virtual bool writeLine(qint16 number, const QString& text) = 0;
    virtual bool close(qint16 number) = 0;

    virtual bool exists(const QString& path) = 0;
    // Puts the file in place of an existing one in a single step; a file held open elsewhere for a moment
    // is waited for, a second or two at most.
    virtual bool rename(const QString& from, const QString& to) = 0;
    virtual bool remove(const QString& path) = 0;

    // Keeps other processes that lock the same path waiting until unlock; false when it cannot be had.
    virtual bool lock(const QString& path) = 0;
    virtual void unlock() = 0;
};
