#include "renewedrequest.h"

#include "framesink.h"
#include "mkhelper.h"

#include <QTimer>

RenewedRequest::RenewedRequest(FrameSink* sink, char cmd, QObject* parent)
    : QObject(parent), sink_(sink), cmd_(cmd), address_([] { return 1; }),
      payload_([] { return QByteArray(); }), timer_(new QTimer(this))
{
    connect(timer_, &QTimer::timeout, this, &RenewedRequest::send_);
}

void RenewedRequest::start(int renewMs)
{
    timer_->start(renewMs);
    send_();
}

void RenewedRequest::stop()
{
    timer_->stop();
}

bool RenewedRequest::isActive() const
{
    return timer_->isActive();
}

void RenewedRequest::sendNow()
{
    if (!isActive())
        return;
    timer_->start(); // a fresh period from now
    send_();
}

void RenewedRequest::send_()
{
    if (!sink_ || !sink_->isOpen() || (condition_ && !condition_()))
        return;
    QByteArray frame;
    MkHelper::encodeFrame(cmd_, address_(), payload_(), frame);
    sink_->write(frame);
    emit sent(frame);
}
