#include "mkhelper.h"
#include "framesink.h"

#include <QDebug>

FrameSink* MkHelper::serialPort_ = nullptr;
bool MkHelper::debug_ = false;

void MkHelper::setCurrentSerialPort(FrameSink* sink)
{
    serialPort_ = sink;
}

void MkHelper::setDebug(bool on)
{
    debug_ = on;
}

bool MkHelper::isSerialOpen()
{
    return serialPort_ && serialPort_->isOpen();
}

void MkHelper::rq(char cmd, int p1)
{
    if (!serialPort_)
        return;
    // The parameter travels as one byte: a 16-bit character code above 255 becomes '?'.
    const quint16 code = quint16(p1);
    const QByteArray payload(1, code <= 255 ? char(code) : '?');
    QByteArray frame;
    encodeFrame(cmd, 1, payload, frame);
    if (debug_)
        qDebug() << "Send cmd=" << cmd << " p1=" << p1 << " data=" << toHex(payload, 1);
    serialPort_->write(frame);
}

void MkHelper::rq(char cmd)
{
    if (!serialPort_)
        return;
    QByteArray frame;
    encodeFrame(cmd, 1, QByteArray(), frame);
    if (debug_)
        qDebug() << "Send cmd=" << cmd;
    serialPort_->write(frame);
}

void MkHelper::rqVersion()
{
    rq('v');
}
void MkHelper::rqMixer()
{
    rq('n');
}
void MkHelper::rqPPM()
{
    rq('p');
}
void MkHelper::rqDebug(int p1)
{
    rq('d', p1);
}
void MkHelper::rqBL(int p1)
{
    rq('u', p1);
}
void MkHelper::rqLabelAnalogValues(int p1)
{
    rq('a', p1);
}
void MkHelper::rqDisplay(int p1)
{
    rq('l', p1);
}
