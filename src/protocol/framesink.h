#pragma once

#include <QByteArray>

// Where the request builder hands its frames: anything that can carry a whole frame to the
// device. The serial link is one; tests use a recorder.
class FrameSink
{
public:
    virtual ~FrameSink() = default;

    // Queues one complete frame for the device; returns at once.
    virtual void write(const QByteArray& frame) = 0;
    // True while frames written now can reach a device.
    virtual bool isOpen() = 0;
};
