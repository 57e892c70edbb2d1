#include "autoreconnect.h"

#include <QTimer>

#include <algorithm>

AutoReconnect::AutoReconnect(QObject* parent) : QObject(parent), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &AutoReconnect::fire_);
}

void AutoReconnect::setDelays(int firstMs, int maxMs, int stableMs)
{
    firstMs_ = std::max(1, firstMs);
    maxMs_ = std::max(firstMs_, maxMs);
    stableMs_ = std::max(0, stableMs);
}

void AutoReconnect::setEnabled(bool on)
{
    enabled_ = on;
    if (!on)
        timer_->stop();
    else
        schedule_();
}

void AutoReconnect::arm(const QString& identity, const QString& portName)
{
    timer_->stop();
    identity_ = identity;
    port_ = portName;
    armed_ = true;
    open_ = true;
    attempts_ = 0;
    upSince_.start();
}

void AutoReconnect::disarm()
{
    timer_->stop();
    armed_ = false;
    identity_.clear();
    port_.clear();
}

bool AutoReconnect::isPending() const
{
    return timer_->isActive();
}

int AutoReconnect::nextDelayMs() const
{
    // Doubling, computed without overflowing however many attempts failed.
    qint64 delay = firstMs_;
    for (int i = 0; i < attempts_ && delay < maxMs_; ++i)
        delay *= 2;
    return int(std::min<qint64>(delay, maxMs_));
}

void AutoReconnect::portAppeared(const QString& portName, const QString& identity)
{
    if (!armed_ || identity != identity_)
        return;
    port_ = portName;
    attempts_ = 0;
    schedule_();
}

void AutoReconnect::portRemoved(const QString& portName)
{
    if (portName != port_)
        return;
    port_.clear();
    timer_->stop();
}

void AutoReconnect::linkOpened()
{
    timer_->stop();
    open_ = true;
    upSince_.start();
}

void AutoReconnect::linkLost()
{
    open_ = false;
    if (upSince_.isValid() && upSince_.elapsed() >= stableMs_)
        attempts_ = 0;
    schedule_();
}

void AutoReconnect::openFailed()
{
    open_ = false;
    schedule_();
}

void AutoReconnect::schedule_()
{
    if (!enabled_ || !armed_ || open_ || port_.isEmpty() || timer_->isActive())
        return;
    timer_->start(nextDelayMs());
}

void AutoReconnect::fire_()
{
    if (!enabled_ || !armed_ || open_ || port_.isEmpty())
        return;
    ++attempts_;
    emit reopenRequested(port_);
}
