#pragma once

#include <QByteArray>
#include <QtGlobal>

// One frame of a session as every view and file sees it: when it crossed the line, which way,
// what the codec made of it and the bytes themselves. Filled once, on arrival or when read
// from a capture; nobody decodes the frame again to learn its letter, address or verdict.
struct FrameRecord
{
    enum Direction : quint8
    {
        Received = 0, // from the device
        Sent = 1      // a request of ours
    };

    qint64 timeUs = 0;  // UTC, microseconds since 1970-01-01
    QByteArray bytes;   // the frame as it crossed the line, closing carriage return included
    char cmd = 0;       // command letter; 0 when the frame is too short to carry one
    quint8 address = 0; // address as decoded (device address; 1 for our requests)
    Direction direction = Received;
    bool good = false; // the check sum matched
    // Shown in the frame log: decided once, on arrival (a good received frame whose letter
    // passed the command filter and that no label collection took).
    bool logged = false;

    // A record for a frame of the line: letter, address and verdict taken from the codec.
    static FrameRecord fromFrame(const QByteArray& frame, Direction direction, qint64 timeUs);
    // The current time in the unit of timeUs.
    static qint64 nowUs();
};
