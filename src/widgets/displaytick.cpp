#include "displaytick.h"

#include <QDeadlineTimer>

#include <algorithm>

qint64 DisplayTick::nowMs()
{
    return QDeadlineTimer::current().deadline();
}

namespace {
// The tick of periodMs that `ms` counts on.
qint64 tickOf(int periodMs, qint64 ms)
{
    return (ms + DisplayTick::GridMs / 2) / std::max(periodMs, 1);
}
} // namespace

bool DisplayTick::isDue(int periodMs, qint64 lastMs, qint64 nowMs)
{
    return lastMs < 0 || tickOf(periodMs, nowMs) > tickOf(periodMs, lastMs);
}

int DisplayTick::msUntilLate(int periodMs, qint64 nowMs)
{
    const qint64 nextTick = (tickOf(periodMs, nowMs) + 1) * std::max(periodMs, 1);
    return int(std::max<qint64>(1, nextTick + GridMs / 2 - nowMs));
}

TickPacer::TickPacer(int periodMs, std::function<void()> update, QObject* parent)
    : QObject(parent), periodMs_(periodMs), update_(std::move(update))
{
    timer_.setSingleShot(true);
    // A coarse timer may fire early, before the frames it waits for.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TickPacer::run_);
}

void TickPacer::request()
{
    if (waiting_ && !timer_.isActive())
        return; // queued already
    const qint64 now = DisplayTick::nowMs();
    if (DisplayTick::isDue(periodMs_, lastMs_, now)) {
        // A queued call, not a zero timer: it runs in this pass of the event loop, ahead of
        // the window's repaint request (posted at a lower priority), so the repaint takes it in.
        // Frames of the tick a late update waited for overtake it.
        timer_.stop();
        waiting_ = true;
        QMetaObject::invokeMethod(this, &TickPacer::run_, Qt::QueuedConnection);
    } else if (!waiting_) {
        waiting_ = true;
        timer_.start(DisplayTick::msUntilLate(periodMs_, now));
    }
}

void TickPacer::updated()
{
    timer_.stop();
    waiting_ = false;
    lastMs_ = DisplayTick::nowMs();
}

void TickPacer::reset()
{
    timer_.stop();
    waiting_ = false;
    lastMs_ = -1;
}

void TickPacer::run_()
{
    // A queued call the view overtook by updating by itself.
    if (!waiting_)
        return;
    timer_.stop();
    waiting_ = false;
    update_();
}
