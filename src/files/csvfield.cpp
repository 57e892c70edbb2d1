#include "csvfield.h"

namespace CsvField {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Optional sign, digits with an optional fraction, an optional exponent; nothing else.
bool isNumber(QByteArrayView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < n && isDigit(text[i]))
            ++i;
        return i - from;
    };
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    qsizetype mantissa = digits();
    if (i < n && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == n;
}

} // namespace

bool looksLikeFormula(QByteArrayView utf8)
{
    if (utf8.isEmpty())
        return false;
    switch (utf8.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return !isNumber(utf8);
    default:
        return false;
    }
}

void append(std::string& line, QByteArrayView utf8)
{
    const bool formula = looksLikeFormula(utf8);
    const bool quote =
        utf8.contains(',') || utf8.contains('"') || utf8.contains('\n') || utf8.contains('\r');
    if (quote)
        line += '"';
    if (formula)
        line += '\'';
    if (!quote) {
        line.append(utf8.data(), size_t(utf8.size()));
        return;
    }
    for (const char c : utf8) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

QString field(const QString& text)
{
    std::string line;
    append(line, text.toUtf8());
    return QString::fromStdString(line);
}

} // namespace CsvField
