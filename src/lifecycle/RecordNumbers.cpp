// SPDX-FileCopyrightText: 2026 The Dorvana developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordNumbers.h"

#include <cstdlib>
#include <string>

namespace {

bool skipped(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Reads the text without the skipped characters, one character at a time.
class Reader {
  public:
    explicit Reader(const QString& text) : text_(text) { skip(); }
    QChar peek() const { return at_ < text_.size() ? text_[at_] : QChar(); }
    void take(std::string& into) {
        into += static_cast<char>(peek().unicode());
        advance();
    }
    void advance() {
        ++at_;
        skip();
    }

  private:
    void skip() {
        while (at_ < text_.size() && skipped(text_[at_]))
            ++at_;
    }
    const QString& text_;
    qsizetype at_ = 0;
};

std::size_t takeDigits(Reader& reader, std::string& into) {
    std::size_t count = 0;
    for (; isDigit(reader.peek()); ++count)
        reader.take(into);
    return count;
}

} // namespace

double lenientNumber(const QString& text) {
    Reader reader(text);
    std::string number;
    if (reader.peek() == u'+' || reader.peek() == u'-') reader.take(number);
    std::size_t digits = takeDigits(reader, number);
    if (reader.peek() == u'.') {
        reader.take(number);
        digits += takeDigits(reader, number);
    }
    if (digits == 0) return 0.0;
    const QChar e = reader.peek().toLower();
    if (e == u'e' || e == u'd') {
        // The classic reader also took D for the exponent.
        std::string exponent = "e";
        reader.advance();
        if (reader.peek() == u'+' || reader.peek() == u'-') reader.take(exponent);
        if (takeDigits(reader, exponent) > 0) number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

double strictNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}
