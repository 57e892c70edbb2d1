#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The controllers' remote display: the 'H' answer holds 4 lines of 20 characters in the LCD's
// own character set, and the 'h' request carries the keys pressed since the last one.
namespace DisplayText {

constexpr int kLines = 4;
constexpr int kColumns = 20;
constexpr int kSize = kLines * kColumns;

// Keys of the 'h' request, as bits of the pressed-keys mask.
enum Key : quint8
{
    PreviousPage = 0x01,
    NextPage = 0x02,
    Item1 = 0x04,
    Item2 = 0x08
};

// The keys byte the firmware expects: 0xFF minus the pressed keys. Bit 0x80 stays set whatever
// the mask holds (a clear bit would switch the display to its old one-line format).
quint8 keysByte(quint8 pressed);

// One LCD character as text: printable ASCII as it is, the LCD's symbols (arrows, degree,
// Greek letters, block) as the nearest Unicode character, anything else as a middle dot.
QChar toChar(quint8 code);

// The four lines of an 'H' payload (up to two bytes of codec padding after them are ignored).
// A payload of another length (the old one-line format, or
// a cut answer) gives false with problem set; the lines then hold what there was, padded.
bool decode(const QByteArray& payload, QStringList& lines, QString* problem = nullptr);

} // namespace DisplayText
