#include "captureformat.h"

#include "mkrecords.h"

namespace CaptureFormat {

namespace {

constexpr QLatin1StringView kLabelEvent("label ");

constexpr qint64 kUsPerSecond = 1'000'000;
constexpr qint64 kSecondsPerDay = 86'400;
constexpr int kMinYear = 1970;
constexpr int kMaxYear = 9999;
constexpr char kHexDigits[] = "0123456789abcdef";

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms);
// done by hand because QDateTime costs several microseconds a call and a capture has millions.
qint64 daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(qint64 z, int& y, int& m, int& d)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

int daysInMonth(int y, int m)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

char* putDigits(char* out, qint64 value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

// The decimal number of text[pos, pos + width), digits only; -1 otherwise.
qint64 digits(QByteArrayView text, qsizetype pos, int width)
{
    qint64 value = 0;
    for (qsizetype i = pos; i < pos + width; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QByteArray formatTime(qint64 timeUs)
{
    qint64 seconds = timeUs / kUsPerSecond;
    qint64 micros = timeUs % kUsPerSecond;
    if (micros < 0) {
        micros += kUsPerSecond;
        --seconds;
    }
    qint64 days = seconds / kSecondsPerDay;
    qint64 secondOfDay = seconds % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --days;
    }
    int y = 0, m = 0, d = 0;
    civilFromDays(days, y, m, d);

    QByteArray text(27, Qt::Uninitialized);
    char* out = text.data();
    out = putDigits(out, qBound(0, y, kMaxYear), 4);
    *out++ = '-';
    out = putDigits(out, m, 2);
    *out++ = '-';
    out = putDigits(out, d, 2);
    *out++ = 'T';
    out = putDigits(out, secondOfDay / 3600, 2);
    *out++ = ':';
    out = putDigits(out, secondOfDay / 60 % 60, 2);
    *out++ = ':';
    out = putDigits(out, secondOfDay % 60, 2);
    *out++ = '.';
    out = putDigits(out, micros, 6);
    *out = 'Z';
    return text;
}

bool parseTime(QByteArrayView text, qint64& timeUs)
{
    if (text.size() != 27 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != '.' || text[26] != 'Z')
        return false;
    const qint64 y = digits(text, 0, 4);
    const qint64 mo = digits(text, 5, 2);
    const qint64 d = digits(text, 8, 2);
    const qint64 h = digits(text, 11, 2);
    const qint64 mi = digits(text, 14, 2);
    const qint64 s = digits(text, 17, 2);
    const qint64 us = digits(text, 20, 6);
    if (y < kMinYear || y > kMaxYear || mo < 1 || mo > 12 || d < 1 ||
        d > daysInMonth(int(y), int(mo)) || h > 23 || mi > 59 || s > 59 || us < 0)
        return false;
    const qint64 days = daysFromCivil(int(y), int(mo), int(d));
    timeUs = ((days * kSecondsPerDay + h * 3600 + mi * 60 + s) * kUsPerSecond) + us;
    return true;
}

void appendEscaped(QByteArray& line, QByteArrayView frame)
{
    if (frame.endsWith('\r'))
        frame.chop(1);
    for (const char c : frame) {
        const quint8 b = quint8(c);
        if (b >= 0x21 && b <= 0x7e && c != '\\') {
            line.append(c);
        } else {
            const char escape[4] = {'\\', 'x', kHexDigits[b >> 4], kHexDigits[b & 15]};
            line.append(escape, 4);
        }
    }
}

bool unescape(QByteArrayView text, QByteArray& frame)
{
    // Written through a pointer into a buffer of the largest size: appending byte by byte
    // costs more than everything else in reading a capture.
    frame.resize(text.size() + 1);
    char* out = frame.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const quint8 b = quint8(c);
        if (b < 0x21 || b > 0x7e) {
            frame.clear();
            return false;
        }
        if (c != '\\') {
            *out++ = c;
            continue;
        }
        const int high = i + 3 < text.size() && text[i + 1] == 'x' ? hexValue(text[i + 2]) : -1;
        const int low = high < 0 ? -1 : hexValue(text[i + 3]);
        if (low < 0) {
            frame.clear();
            return false;
        }
        *out++ = char(high << 4 | low);
        i += 3;
    }
    *out++ = '\r';
    frame.resize(out - frame.constData());
    return true;
}

QString labelEvent(int index, const QString& text)
{
    // The text is quoted: a label may end in blanks that matter to its owner.
    return kLabelEvent + QString::number(index) + QLatin1String(" \"") + text + QLatin1Char('"');
}

bool parseLabelEvent(const QString& event, int& index, QString& text)
{
    if (!event.startsWith(kLabelEvent))
        return false;
    const qsizetype blank = event.indexOf(QLatin1Char(' '), kLabelEvent.size());
    if (blank < 0 || event.size() < blank + 3 || event.at(blank + 1) != QLatin1Char('"') ||
        !event.endsWith(QLatin1Char('"')))
        return false;
    const QStringView number =
        QStringView(event).sliced(kLabelEvent.size(), blank - kLabelEvent.size());
    bool ok = false;
    index = number.toInt(&ok, 10);
    if (!ok || number.startsWith(QLatin1Char('+')) || number.startsWith(QLatin1Char('-')) ||
        index < 0 || index >= MkRecords::kAnalogCount)
        return false;
    text = event.mid(blank + 2, event.size() - blank - 3);
    return true;
}

} // namespace CaptureFormat
