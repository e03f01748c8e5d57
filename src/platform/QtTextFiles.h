// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextFiles.h"

#include <QFileDevice>
#include <QLockFile>
#include <map>
#include <memory>

class QtTextFiles : public TextFiles {
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
    QFileDevice* device(qint16 number) const;
    std::map<qint16, std::unique_ptr<QFileDevice>> open_;
    std::unique_ptr<QLockFile> lock_;
};
