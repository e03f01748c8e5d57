// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fakes.h"

#include "platform/RecordText.h"

#include <utility>

int FakeDialogs::msgBox(const QString& text, int style, const QString& title) {
    messages.push_back({text, style, title});
    openBox();
    if (whileOpen) whileOpen(text);
    if (style != YesNoQuestionDefaultNo) return AnswerOk;
    if (answers.empty()) return AnswerNo;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

QString FakeDialogs::inputBox(const QString& prompt) {
    prompts.append(prompt);
    openBox();
    if (whileAsking) whileAsking(prompt);
    if (names.empty()) return {};
    QString name = names.front();
    names.pop_front();
    return name;
}

void FakeDialogs::openBox() {
    for (const auto& work : std::exchange(waiting_, {}))
        work();
}

QStringList FakeDialogs::texts() const {
    QStringList all;
    for (const Message& message : messages)
        all.append(message.text);
    return all;
}

float ScriptedRandom::draw() {
    float value = 0;
    if (script.empty()) {
        value = fallback_.draw();
    } else {
        value = script.front();
        script.pop_front();
    }
    calls.push_back({Call::Draw, value});
    return value;
}

void ScriptedRandom::reseedFromClock() {
    fallback_.reseedFromClock();
    calls.push_back({Call::ReseedFromClock, 0});
    if (onReseedFromClock) onReseedFromClock();
}

void ScriptedRandom::reseed(double n) {
    fallback_.reseed(n);
    calls.push_back({Call::Reseed, n});
}

std::vector<double> ScriptedRandom::reseeds() const {
    std::vector<double> values;
    for (const Call& call : calls)
        if (call.kind == Call::Reseed) values.push_back(call.value);
    return values;
}

int ScriptedRandom::drawCount() const {
    int count = 0;
    for (const Call& call : calls)
        count += call.kind == Call::Draw ? 1 : 0;
    return count;
}

std::unique_ptr<Timer> FakeTimers::create(const QString& name, std::function<void()> onTick) {
    auto timer = std::make_unique<FakeTimer>(*this, name, std::move(onTick));
    live_.insert(name, timer.get());
    return timer;
}

FakeTimer& FakeTimers::operator[](const QString& name) {
    return *live_.value(name);
}

void FakeTimers::forget(FakeTimer* timer) {
    if (live_.value(timer->name) == timer) live_.remove(timer->name);
}

void FakeTimers::holdScreenFor(const QWidget& /*shown*/, qint64 ms) {
    if (whileHeld) whileHeld();
    holdsUntil.push_back((holdsUntil.empty() ? 0 : holdsUntil.back()) + ms);
}

FakeTimer::FakeTimer(FakeTimers& owner, QString timerName, std::function<void()> onTick)
    : name(std::move(timerName)), owner_(owner), onTick_(std::move(onTick)) {}

FakeTimer::~FakeTimer() {
    owner_.forget(this);
}

bool FakeTimer::tick() {
    if (!enabled) return false;
    onTick_();
    return true;
}

qint16 FakeTextFiles::freeFile() {
    qint16 number = 1;
    while (open_.contains(number))
        ++number;
    return number;
}

bool FakeTextFiles::open(qint16 number, const QString& path, Mode mode) {
    static const char* const kModes[] = {"Input", "Append", "Output"};
    log.push_back(QString("open %1 %2").arg(kModes[static_cast<int>(mode)], path));
    if (open_.contains(number) || failOpen.contains({path, mode})) return false;
    if (mode == Mode::Input && !disk.contains(path)) return false;
    if (mode == Mode::Append) disk.try_emplace(path);
    open_[number] = {path, mode, {}};
    return true;
}

qint64 FakeTextFiles::length(qint16 number) {
    const auto it = open_.find(number);
    return it == open_.end() ? -1 : disk.at(it->second.path).size();
}

QString FakeTextFiles::read(qint16 number, qint64 maxBytes) {
    const auto it = open_.find(number);
    if (it == open_.end()) return {};
    return decodeRecordText(disk.at(it->second.path).left(maxBytes));
}

bool FakeTextFiles::writeLine(qint16 number, const QString& text) {
    const auto it = open_.find(number);
    if (it == open_.end() || it->second.mode == Mode::Input) return false;
    it->second.pending += encodeRecordText(text + "\r\n");
    return true;
}

bool FakeTextFiles::close(qint16 number) {
    auto node = open_.extract(number);
    if (node.empty()) return false;
    const OpenFile& file = node.mapped();
    log.push_back("close " + file.path);
    if (file.mode == Mode::Output) {
        if (failCommit.contains(file.path)) return false;
        disk[file.path] = file.pending;
    } else if (file.mode == Mode::Append) {
        disk[file.path] += file.pending;
    }
    return true;
}

bool FakeTextFiles::rename(const QString& from, const QString& to) {
    log.push_back(QString("rename %1 %2").arg(from, to));
    if (!disk.contains(from) || failRename.contains(to)) return false;
    disk[to] = disk[from];
    disk.erase(from);
    return true;
}

bool FakeTextFiles::remove(const QString& path) {
    log.push_back("remove " + path);
    return !failRemove.contains(path) && disk.erase(path) > 0;
}

bool FakeTextFiles::lock(const QString& path) {
    log.push_back("lock " + path);
    return !failLock;
}

QByteArray FakeTextFiles::contents(const QString& path) const {
    const auto it = disk.find(path);
    return it == disk.end() ? QByteArray("<missing>") : it->second;
}

QStringList FakeTextFiles::changes() const {
    QStringList steps;
    for (const QString& step : log)
        if (step.startsWith("open Output") || (!step.startsWith("open") && !step.startsWith("close")))
            steps.append(step);
    return steps;
}
