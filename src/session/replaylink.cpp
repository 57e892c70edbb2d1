#include "replaylink.h"

#include <QTimer>

namespace {
// Lines read from the file at a time.
constexpr qsizetype kReadAhead = 4096;
} // namespace

ReplayLink::ReplayLink(const QString& fileName, QObject* parent)
    : Link(parent), fileName_(fileName), timer_(new QTimer(this))
{
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &ReplayLink::onTick_);
}

ReplayLink::~ReplayLink() = default;

bool ReplayLink::open()
{
    close();
    reader_ = std::make_unique<CaptureReader>();
    if (!reader_->open(fileName_)) {
        error_ = reader_->errorString();
        reader_.reset();
        return false;
    }
    ahead_.clear();
    aheadAt_ = 0;
    atEnd_ = false;
    started_ = false;
    replayUs_ = 0;
    clockBaseUs_ = 0;
    played_ = 0;
    oddGaps_ = 0;
    open_ = true;
    paused_ = false;
    clock_.start();
    timer_->start();
    emit opened();
    return true;
}

void ReplayLink::close()
{
    timer_->stop();
    if (!open_)
        return;
    open_ = false;
    emit closed();
}

void ReplayLink::write(const QByteArray& frame)
{
    Q_UNUSED(frame);
    ++writesDropped_;
}

void ReplayLink::setPaused(bool paused)
{
    if (paused == paused_ || !open_)
        return;
    paused_ = paused;
    if (paused_) {
        clockBaseUs_ += clock_.nsecsElapsed() / 1000 * qMax(1, speed_);
        timer_->stop();
    } else {
        clock_.start();
        timer_->start();
    }
}

QList<CaptureReader::Event> ReplayLink::takeEvents()
{
    QList<CaptureReader::Event> events;
    events.swap(events_);
    return events;
}

bool ReplayLink::refill_()
{
    if (aheadAt_ < ahead_.size())
        return true;
    ahead_.clear();
    aheadAt_ = 0;
    while (!atEnd_ && ahead_.isEmpty()) {
        QList<FrameRecord> records;
        atEnd_ = !reader_->read(records, kReadAhead, &events_);
        for (FrameRecord& record : records) {
            // Only what the device sent is played: our own requests were answers' causes.
            if (record.direction == FrameRecord::Received)
                ahead_.append(std::move(record));
        }
    }
    return !ahead_.isEmpty();
}

qint64 ReplayLink::dueUs(qint64 previousDueUs, qint64 previousUs, qint64 recordedUs, bool* odd)
{
    const qint64 step = recordedUs - previousUs;
    const bool isOdd = step < 0 || step > kMaxGapUs;
    if (odd)
        *odd = isOdd;
    return previousDueUs + (isOdd ? kOddGapPauseUs : step);
}

void ReplayLink::onTick_()
{
    if (!open_ || paused_)
        return;
    if (backlog_ && backlog_() > kMaxPerTick)
        return;
    const qint64 nowUs = clockBaseUs_ + clock_.nsecsElapsed() / 1000 * qMax(1, speed_);
    QList<LinkFrame> frames;
    while (frames.size() < kMaxPerTick && refill_()) {
        const FrameRecord& record = ahead_.at(aheadAt_);
        bool odd = false;
        const qint64 due = started_ ? dueUs(replayUs_, lastRecordedUs_, record.timeUs, &odd) : 0;
        if (speed_ > 0 && started_ && due > nowUs)
            break;
        oddGaps_ += odd;
        started_ = true;
        replayUs_ = due;
        lastRecordedUs_ = record.timeUs;
        frames.append({record.bytes, record.timeUs});
        ++aheadAt_;
    }
    played_ += frames.size();
    if (!frames.isEmpty())
        emit framesReceived(frames);
    if (!refill_() && open_) {
        emit finished();
        close();
    }
}
