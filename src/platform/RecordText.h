// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Files we write are UTF-8; files from the classic program are Windows-1252.
QString decodeRecordText(const QByteArray& bytes);
QByteArray encodeRecordText(const QString& text);
