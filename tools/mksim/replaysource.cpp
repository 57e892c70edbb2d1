#include "replaysource.h"

#include <QTimer>

namespace {
constexpr qsizetype kReadLines = 4096;
}

ReplaySource::ReplaySource(QObject* parent) : QObject(parent), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &ReplaySource::onTimer_);
}

bool ReplaySource::open(const QString& fileName)
{
    return reader_.open(fileName);
}

bool ReplaySource::next_(FrameRecord& record)
{
    for (;;) {
        while (pendingIndex_ < pending_.size()) {
            FrameRecord& candidate = pending_[pendingIndex_++];
            if (candidate.direction == FrameRecord::Received) {
                record = std::move(candidate);
                return true;
            }
        }
        if (readerDone_)
            return false;
        pending_.clear();
        pendingIndex_ = 0;
        readerDone_ = !reader_.read(pending_, kReadLines);
    }
}

void ReplaySource::start()
{
    haveFrame_ = next_(frame_);
    if (!haveFrame_) {
        emit finished();
        return;
    }
    offsetUs_ = frame_.timeUs;
    lastUs_ = frame_.timeUs;
    clock_.start();
    onTimer_();
}

void ReplaySource::onTimer_()
{
    constexpr qint64 maxGapUs = kMaxGapMs * 1000;
    while (haveFrame_) {
        const qint64 gapUs = frame_.timeUs - lastUs_;
        if (gapUs > maxGapUs) {
            offsetUs_ += gapUs - maxGapUs;
            lastUs_ = frame_.timeUs - maxGapUs;
        }
        // Frames recorded out of order (a clock step back) go out at once.
        const qint64 waitUs = frame_.timeUs - (offsetUs_ + clock_.nsecsElapsed() / 1000);
        if (waitUs > 0) {
            timer_->start(int(waitUs / 1000));
            return;
        }
        lastUs_ = frame_.timeUs;
        ++sent_;
        emit output(frame_.bytes);
        haveFrame_ = next_(frame_);
    }
    emit finished();
}
