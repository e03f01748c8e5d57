// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebRecordFiles.h"

#include "WebPause.h"
#include "platform/RecordText.h"

#include <emscripten.h>
#include <optional>

namespace {

// The page's record store (records.js): reads come from what the last lock loaded, changes are committed
// before they answer.
// clang-format off
EM_ASYNC_JS(int, dorvana_records_lock, (const char* name), {
    return await Module.dorvanaRecords.lock(UTF8ToString(name));
});
EM_JS(void, dorvana_records_unlock, (), { Module.dorvanaRecords.unlock(); });
EM_JS(int, dorvana_records_size, (const char* path), {
    const text = Module.dorvanaRecords.text(UTF8ToString(path));
    return text === undefined ? -1 : lengthBytesUTF8(text);
});
EM_JS(void, dorvana_records_copy, (const char* path, char* into, int size), {
    stringToUTF8(Module.dorvanaRecords.text(UTF8ToString(path)), into, size + 1);
});
EM_ASYNC_JS(int, dorvana_records_write, (const char* path, const char* text), {
    return await Module.dorvanaRecords.write(UTF8ToString(path), UTF8ToString(text));
});
EM_ASYNC_JS(int, dorvana_records_rename, (const char* from, const char* to), {
    return await Module.dorvanaRecords.rename(UTF8ToString(from), UTF8ToString(to));
});
EM_ASYNC_JS(int, dorvana_records_remove, (const char* path), {
    return await Module.dorvanaRecords.remove(UTF8ToString(path));
});
// clang-format on

std::optional<QByteArray> stored(const QString& path) {
    const QByteArray key = path.toUtf8();
    const int size = dorvana_records_size(key.constData());
    if (size < 0) return std::nullopt;
    QByteArray bytes(size + 1, '\0');
    dorvana_records_copy(key.constData(), bytes.data(), size);
    bytes.chop(1);
    return bytes;
}

bool store(const QString& path, const QByteArray& bytes) {
    const WebPause::Scope pause(true);
    return dorvana_records_write(path.toUtf8().constData(), bytes.constData()) != 0;
}

} // namespace

qint16 WebRecordFiles::freeFile() {
    qint16 number = 1;
    while (open_.contains(number))
        ++number;
    return number;
}

bool WebRecordFiles::open(qint16 number, const QString& path, Mode mode) {
    if (open_.contains(number)) return false;
    OpenFile file{path, mode, {}};
    if (mode != Mode::Output) {
        const std::optional<QByteArray> bytes = stored(path);
        if (bytes) file.bytes = *bytes;
        // Appending creates a missing file at once, as a disk does.
        else if (mode == Mode::Input || !store(path, {}))
            return false;
    }
    open_.emplace(number, std::move(file));
    return true;
}

qint64 WebRecordFiles::length(qint16 number) {
    const auto it = open_.find(number);
    return it == open_.end() ? -1 : it->second.bytes.size();
}

QString WebRecordFiles::read(qint16 number, qint64 maxBytes) {
    const auto it = open_.find(number);
    if (it == open_.end() || it->second.mode != Mode::Input || maxBytes <= 0) return {};
    return decodeRecordText(it->second.bytes.left(maxBytes));
}

bool WebRecordFiles::writeLine(qint16 number, const QString& text) {
    const auto it = open_.find(number);
    if (it == open_.end() || it->second.mode == Mode::Input) return false;
    it->second.bytes += encodeRecordText(text + "\r\n");
    it->second.written = true;
    return true;
}

bool WebRecordFiles::close(qint16 number) {
    auto node = open_.extract(number);
    if (node.empty()) return false;
    const OpenFile& file = node.mapped();
    const bool changed = file.mode == Mode::Output || file.written;
    return !changed || store(file.path, file.bytes);
}

bool WebRecordFiles::exists(const QString& path) {
    return dorvana_records_size(path.toUtf8().constData()) >= 0;
}

bool WebRecordFiles::rename(const QString& from, const QString& to) {
    const WebPause::Scope pause(true);
    return dorvana_records_rename(from.toUtf8().constData(), to.toUtf8().constData()) != 0;
}

bool WebRecordFiles::remove(const QString& path) {
    const WebPause::Scope pause(true);
    return dorvana_records_remove(path.toUtf8().constData()) != 0;
}

bool WebRecordFiles::lock(const QString& path) {
    const WebPause::Scope pause(true);
    return dorvana_records_lock(path.toUtf8().constData()) != 0;
}

void WebRecordFiles::unlock() {
    dorvana_records_unlock();
}
