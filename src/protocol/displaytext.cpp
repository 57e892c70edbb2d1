#include "displaytext.h"

#include <QCoreApplication>

namespace DisplayText {

quint8 keysByte(quint8 pressed)
{
    return quint8((0xFF - (pressed & 0x7F)) | 0x80);
}

QChar toChar(quint8 code)
{
    if (code >= 0x20 && code < 0x7E)
        return QLatin1Char(char(code));
    // Symbols of the usual LCD character ROM that the controllers' menus use.
    switch (code) {
    case 0x7E:
        return QChar(0x2192); // right arrow
    case 0x7F:
        return QChar(0x2190); // left arrow
    case 0xDF:
        return QChar(0x00B0); // degree
    case 0xE0:
        return QChar(0x03B1); // alpha
    case 0xE1:
        return QChar(0x00E4); // a umlaut
    case 0xE2:
        return QChar(0x03B2); // beta
    case 0xE4:
        return QChar(0x00B5); // micro
    case 0xE5:
        return QChar(0x03C3); // sigma
    case 0xEF:
        return QChar(0x00F6); // o umlaut
    case 0xF3:
        return QChar(0x221E); // infinity
    case 0xF4:
        return QChar(0x03A9); // ohm
    case 0xF5:
        return QChar(0x00FC); // u umlaut
    case 0xF7:
        return QChar(0x03C0); // pi
    case 0xFF:
        return QChar(0x2588); // full block
    default:
        return QChar(0x00B7); // middle dot
    }
}

bool decode(const QByteArray& payload, QStringList& lines, QString* problem)
{
    lines.clear();
    for (int line = 0; line < kLines; ++line) {
        QString text;
        text.reserve(kColumns);
        for (int column = 0; column < kColumns; ++column) {
            const int i = line * kColumns + column;
            text += i < payload.size() ? toChar(quint8(payload.at(i))) : QLatin1Char(' ');
        }
        lines << text;
    }
    // The frame codec carries payloads in groups of three bytes: up to two zero bytes of
    // padding follow the 80 characters.
    const bool ok = payload.size() >= kSize && payload.size() <= kSize + 2;
    if (!ok && problem)
        *problem = QCoreApplication::translate("DisplayText",
                                               "display answer of %1 characters, %2 expected "
                                               "(old one-line format?)")
                       .arg(payload.size())
                       .arg(kSize);
    return ok;
}

} // namespace DisplayText
