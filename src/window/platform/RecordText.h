#pragma once

#include <QByteArray>
#include <QString>

// Files we write are UTF-8; files from the classic program are Windows-1252.
QString decodeRecordText(const QByteArray& bytes);
QByteArray encodeRecordText(const QString& text);
