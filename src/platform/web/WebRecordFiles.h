// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextFiles.h"

#include <QByteArray>
#include <map>

// Record files kept in the site's own storage by the page. Opening reads a file whole; closing a written
// file stores it whole, and reports success only once the browser has committed it.
class WebRecordFiles : public TextFiles {
  public:
    qint16 freeFile() override;
    bool open(qint16 number, const QString& path, Mode mode) override;
    qint64 length(qint16 number) override;
    QString read(qint16 number, qint64 maxBytes) override;
    bool writeLine(qint16 number, const QString& text) override;
    bool close(qint16 number) override;
    bool exists(const QString& path) override;
    bool rename(const QString& from, const QString& to) override;
    bool remove(const QString& path) override;
    bool lock(const QString& path) override;
    void unlock() override;

  private:
    struct OpenFile {
        QString path;
        Mode mode;
        QByteArray bytes;
        bool written = false;
    };
    std::map<qint16, OpenFile> open_;
};
