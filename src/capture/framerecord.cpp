#include "framerecord.h"

#include "link.h"

#include "mkhelper.h"

#include <chrono>

FrameRecord FrameRecord::fromFrame(const QByteArray& frame, Direction direction, qint64 timeUs)
{
    FrameRecord record;
    record.timeUs = timeUs;
    record.bytes = frame;
    record.direction = direction;
    QByteArray payload;
    int address = 0;
    char cmd = 0;
    record.good = MkHelper::decodeFrame(frame, cmd, address, payload);
    record.cmd = cmd;
    record.address = quint8(address);
    return record;
}

qint64 FrameRecord::nowUs()
{
    return LinkFrame::nowUs();
}
