#pragma once

#include "framesink.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <chrono>

// One frame as a link delivers it: the bytes as they crossed the line (closing carriage
// return included) and when they did, in microseconds since 1970-01-01 UTC. A live link stamps
// the arrival; a replay hands on the recorded time.
struct LinkFrame
{
    QByteArray bytes;
    qint64 timeUs = 0;

    // The current time in the unit of timeUs. Whole microseconds: a device that answers within
    // a millisecond still shows how fast.
    static qint64 nowUs()
    {
        using namespace std::chrono;
        return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    }
};

// Where a session's frames come from: the device behind a serial port, or a capture played
// back. The session pipeline takes frames from exactly one link at a time and sends requests
// through it. Signals are emitted on the thread that owns the link (the GUI thread).
class Link : public QObject, public FrameSink
{
    Q_OBJECT
public:
    enum class Kind
    {
        Device, // a serial port: requests reach a device
        Capture // a capture played back: nothing is ever sent
    };

    using QObject::QObject;
    ~Link() override;

    virtual Kind kind() const = 0;
    // What the window's title and messages call this source: the port or the file name.
    virtual QString name() const = 0;
    virtual bool open() = 0;
    // Returns at once; emits closed() when the link was open.
    virtual void close() = 0;
    // Frames written are carried only when canSend(); a capture link drops them all.
    bool canSend() const { return kind() == Kind::Device; }

signals:
    void opened();
    void closed();
    // The frames that arrived since the last signal, in order.
    void framesReceived(const QList<LinkFrame>& frames);
    // A frame handed on towards the device (by write()).
    void frameWritten(const QByteArray& frame);
    // The link failed for good (device gone, read or write error); the owner closes it.
    void connectionLost(const QString& reason);
};
