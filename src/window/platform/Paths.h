#pragma once

#include <QDir>
#include <QString>

// The game writes its file names the classic way, "\suoni\laser.wav"; this gives the local form.
inline QString nativeSeparators(QString path) {
    return path.replace('\\', QDir::separator());
}
