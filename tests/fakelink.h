#pragma once

#include "link.h"
#include "mkhelper.h"

#include <QList>

// A device link in the test process: no port, no thread. What the program writes is kept in
// written; receive() hands frames to whoever listens, as the serial link does on a wake-up.
class FakeLink : public Link
{
public:
    using Link::Link;

    Kind kind() const override { return Kind::Device; }
    QString name() const override { return QStringLiteral("fake"); }
    bool open() override
    {
        open_ = true;
        emit opened();
        return true;
    }
    void close() override
    {
        if (!open_)
            return;
        open_ = false;
        emit closed();
    }
    bool isOpen() override { return open_; }
    void write(const QByteArray& frame) override
    {
        written.append(frame);
        emit frameWritten(frame);
    }

    void receive(const QList<QByteArray>& frames, qint64 timeUs = 0)
    {
        QList<LinkFrame> batch;
        for (const QByteArray& frame : frames)
            batch.append({frame, timeUs ? timeUs : LinkFrame::nowUs()});
        emit framesReceived(batch);
    }
    void receive(char cmd, int address, const QByteArray& payload)
    {
        QByteArray frame;
        MkHelper::encodeFrame(cmd, address, payload, frame);
        receive(QList<QByteArray>{frame});
    }

    QList<QByteArray> written;

private:
    bool open_ = false;
};
