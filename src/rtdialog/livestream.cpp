#include "livestream.h"

#include <QTimer>

#include <algorithm>

LiveStream::LiveStream(QObject* parent) : QObject(parent), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    // A coarse timer may fire up to 5 % early, which would break the one-a-second limit.
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &LiveStream::renew_);
}

void LiveStream::setRenewIntervalMs(int ms)
{
    renewMs_ = std::clamp(ms, MinimumGapMs, DefaultRenewMs);
}

void LiveStream::setEnabled(bool on)
{
    const bool wasActive = isActive();
    enabled_ = on;
    update_(wasActive);
    // Stopping is told to the device only while it can hear it.
    if (wasActive && !isActive())
        emit stopRequested();
}

void LiveStream::setPortOpen(bool open)
{
    const bool wasActive = isActive();
    portOpen_ = open;
    update_(wasActive);
}

void LiveStream::update_(bool wasActive)
{
    const bool active = isActive();
    if (active == wasActive)
        return;
    if (!active) {
        timer_->stop();
        return;
    }
    // A request that went out less than the minimum gap ago (the stream switched off and on
    // again quickly) is followed by the next one only once the gap has passed.
    if (lastRenew_.isValid() && lastRenew_.elapsed() < MinimumGapMs)
        timer_->start(int(MinimumGapMs - lastRenew_.elapsed()));
    else
        renew_();
}

void LiveStream::renew_()
{
    if (!isActive())
        return;
    lastRenew_.start();
    timer_->start(renewMs_);
    emit renewRequested();
}
