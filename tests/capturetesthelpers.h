#pragma once

// Frames, records and files for the capture tests: the suite of the session library and the
// program's command line.

#include "framerecord.h"
#include "mkhelper.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace CaptureTestHelpers {

// 2026-11-30T00:53:20Z, in microseconds.
constexpr qint64 kT0 = 1'796'000'000'000'000;

inline QByteArray frame(char cmd, int address, const QByteArray& payload)
{
    QByteArray bytes;
    MkHelper::encodeFrame(cmd, address, payload, bytes);
    return bytes;
}

// 'D' payload: two status bytes, then 32 signed 16-bit values, value i = i * 100 - 1000.
inline QByteArray debugPayload()
{
    QByteArray payload(2, '\0');
    for (int i = 0; i < 32; ++i) {
        const qint16 v = qint16(i * 100 - 1000);
        payload.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
    }
    return payload;
}

inline FrameRecord record(const QByteArray& bytes, qint64 timeUs,
                          FrameRecord::Direction direction = FrameRecord::Received)
{
    return FrameRecord::fromFrame(bytes, direction, timeUs);
}

// Writes `bytes` to `name` in `dir`; the file's path, or an empty string if it could not be
// written.
inline QString writeFile(const QDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

} // namespace CaptureTestHelpers
