#include "capturereplay.h"

#include "framestore.h"
#include "mkhelper.h"

#include <QTimer>

CaptureReplay::CaptureReplay(FrameStore* store, QObject* parent)
    : QObject(parent), store_(store), timer_(new QTimer(this))
{
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &CaptureReplay::onTick_);
    connect(store_, &FrameStore::droppedOldest, this, [this](qsizetype count) {
        next_ = qMax<qsizetype>(0, next_ - count);
        end_ = qMax<qsizetype>(0, end_ - count);
    });
    connect(store_, &FrameStore::cleared, this, &CaptureReplay::stop);
}

void CaptureReplay::start(int speed)
{
    stop();
    if (store_->isEmpty())
        return;
    speed_ = qMax(0, speed);
    next_ = 0;
    end_ = store_->size();
    baseUs_ = store_->at(0).timeUs;
    lastUs_ = baseUs_;
    running_ = true;
    paused_ = false;
    clock_.start();
    timer_->start();
}

void CaptureReplay::setPaused(bool paused)
{
    if (!running_ || paused == paused_)
        return;
    paused_ = paused;
    if (paused) {
        timer_->stop();
        // Resume where the pause fell: the clock restarts from the next frame's time.
        baseUs_ = next_ < end_ ? store_->at(next_).timeUs : baseUs_;
    } else {
        clock_.start();
        timer_->start();
    }
}

void CaptureReplay::stop()
{
    const bool wasRunning = running_;
    timer_->stop();
    running_ = false;
    paused_ = false;
    if (wasRunning)
        emit finished();
}

void CaptureReplay::onTick_()
{
    // Store time reached so far; a frame is due once its time is not later.
    const qint64 playedUs = clock_.nsecsElapsed() / 1000 * qMax(1, speed_);
    qint64 dueUs = baseUs_ + playedUs;
    int played = 0;
    while (next_ < end_ && played < kMaxPerTick) {
        const FrameRecord& record = store_->at(next_);
        if (speed_ > 0 && record.timeUs > dueUs) {
            // A pause in the recording (a reconnection, a clock jump) is not waited out.
            if (record.timeUs - lastUs_ <= kMaxGapUs)
                break;
            baseUs_ = record.timeUs - playedUs;
            dueUs = record.timeUs;
        }
        lastUs_ = record.timeUs;
        ++next_;
        if (record.direction != FrameRecord::Received || !record.good)
            continue;
        char cmd = 0;
        int address = 0;
        QByteArray payload;
        MkHelper::decodeFrame(record.bytes, cmd, address, payload);
        ++played;
        emit frame(cmd, address, payload);
        // A receiver may have cleared the store or stopped the replay.
        if (!running_)
            return;
    }
    if (next_ >= end_)
        stop();
}
