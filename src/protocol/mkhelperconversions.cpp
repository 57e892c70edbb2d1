#include "mkhelper.h"

namespace {

// Byte at pos as 0..255; positions outside the array read as 0.
int byteAt(const QByteArray& data, qsizetype pos)
{
    return pos >= 0 && pos < data.size() ? quint8(data.at(pos)) : 0;
}

} // namespace

int MkHelper::toInt(const QByteArray& data, int pos, bool isSigned)
{
    int v = byteAt(data, qsizetype(pos) + 1) * 256 + byteAt(data, pos);
    if (isSigned && v >= 0x8000)
        v -= 0x10000;
    return v;
}

QString MkHelper::toInt(const QByteArray& data)
{
    QString text;
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        text += QString::number(qint16(quint16(byteAt(data, i + 1) << 8 | byteAt(data, i))));
        text += QLatin1Char(' ');
    }
    return text;
}

QString MkHelper::toHex(const QByteArray& data, int mode)
{
    QString text;
    if (mode == 1) {
        for (const char c : data)
            text += QStringLiteral("%1 ").arg(quint8(c), 2, 16, QLatin1Char('0'));
    } else if (mode == 2) {
        for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
            const int word = byteAt(data, i + 1) * 256 + byteAt(data, i);
            text += QStringLiteral("%1 ").arg(word, 4, 16, QLatin1Char('0'));
        }
    }
    return text.toUpper();
}

QString MkHelper::toASCII(const QByteArray& data)
{
    QString text;
    text.reserve(data.size());
    for (const char c : data) {
        const quint8 b = quint8(c);
        text += (b >= 32 && b <= 125) ? QLatin1Char(char(b)) : QLatin1Char('.');
    }
    return text;
}

QString MkHelper::toString(const QByteArray& data, int pos, int len)
{
    if (pos < 0 || pos >= data.size())
        return QString();
    QByteArray bytes =
        (len == -1 || qsizetype(pos) + len > data.size()) ? data.mid(pos) : data.mid(pos, len);
    if (len < -1)
        bytes.clear();
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return QString::fromLatin1(bytes);
}

double MkHelper::intToDouble(int value, int pos)
{
    QString text = QString::number(value);
    // A position outside the text has no decimal point to place: such a request yields 0.
    if (pos < 0 || pos > text.size())
        return 0.0;
    text.insert(pos, QLatin1Char('.'));
    bool ok = false;
    const double result = text.toDouble(&ok);
    return ok ? result : 0.0;
}

VersionInfo MkHelper::decodeVersion(const QByteArray& data)
{
    VersionInfo info;
    info.SWMajor = quint8(byteAt(data, 0));
    info.SWMinor = quint8(byteAt(data, 1));
    info.ProtoMajor = quint8(byteAt(data, 2));
    info.ProtoMinor = quint8(byteAt(data, 3));
    info.SWPatch = quint8(byteAt(data, 4));
    for (int i = 0; i < 5; ++i)
        info.HardwareError[i] = quint8(byteAt(data, 5 + i));
    info.text = QStringLiteral("%1.%2%3")
                    .arg(info.SWMajor)
                    .arg(info.SWMinor)
                    .arg(QChar(ushort(info.SWPatch + 97)));
    return info;
}

QString MkHelper::parseAddress(int address)
{
    switch (address) {
    case 1:
        return QStringLiteral("Flight Ctrl");
    case 2:
        return QStringLiteral("Navi Ctrl");
    case 3:
        return QStringLiteral("MK3MAG");
    default:
        return QStringLiteral("Unknown");
    }
}
