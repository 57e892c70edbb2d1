#include "threadreceive.h"
#include "seriallog.h"
#include "serialport.h"

#include "link.h"

#include <QDeadlineTimer>
#include <QMetaMethod>
#include <QMutexLocker>
#include <QTimer>

#include <algorithm>

ThreadReceive::ThreadReceive(QObject* parent, SerialPort& port) : QThread(parent), port_(port)
{
    // This object lives in the thread that created it, so the slot runs there.
    connect(this, &ThreadReceive::framesReady, this, &ThreadReceive::deliverFrames_,
            Qt::QueuedConnection);
    junkTimer_ = new QTimer(this);
    junkTimer_->setInterval(kJunkPollMs);
    connect(junkTimer_, &QTimer::timeout, this, &ThreadReceive::pollJunk_);
}

ThreadReceive::~ThreadReceive()
{
    stopAndWait();
}

void ThreadReceive::stopAndWait()
{
    stop();
    wait();
    syncWithFinishedLoop_();
}

void ThreadReceive::syncWithFinishedLoop_()
{
    // Every pass of the loop ends by releasing the mutex, so taking it after wait() orders the
    // loop's last use of the buffer before ours, in a way race checkers can see (they cannot
    // see inside QThread::wait()).
    QMutexLocker sync(&mutex_);
}

void ThreadReceive::stop()
{
    stop_.store(true);
}

void ThreadReceive::start(QThread::Priority priority)
{
    if (isRunning()) {
        if (!stop_.load())
            return;
        wait();
    }
    syncWithFinishedLoop_();
    stop_.store(false);
    buffer_.clear();
    lastLetter_ = 0;
    requestsSeen_ = requestsSent_.load();
    QThread::start(priority);
    junkTimer_->start();
}

void ThreadReceive::start()
{
    start(QThread::InheritPriority);
}

void ThreadReceive::run()
{
    char chunk[2048];
    while (!stop_.load()) {
        int wait = kWaitMs;
        if (handOverAtMs_ >= 0) {
            const qint64 left = handOverAtMs_ - QDeadlineTimer::current().deadline();
            if (left <= 0) {
                handOver_();
                continue;
            }
            wait = int(std::min<qint64>(left, kWaitMs));
        }
        if (!port_.waitForReadyRead(wait))
            continue;
        const qint64 n = port_.read(chunk, sizeof chunk);
        if (n > 0) {
            consume_(chunk, n);
            bytesRead_.fetch_add(n);
            continue;
        }
        if (n == 0)
            continue;
        // The descriptor is dead (adapter pulled, far side of a pty gone): every further poll
        // would return at once. Stop reading and idle until the owner closes the link.
        qCDebug(lcSerial) << "read error; receive loop idles until closed";
        emit portFailed();
        while (!stop_.load())
            QThread::msleep(kWaitMs);
    }
    // Frames held back for the next hand-over are handed over now.
    if (handOverAtMs_ >= 0)
        handOver_();
    // The loop's last act, after its last use of the port and the buffer: see
    // syncWithFinishedLoop_().
    QMutexLocker done(&mutex_);
}

qint64 ThreadReceive::handOverAt(qint64 nowMs, qint64 lastMs, qint64 heldUntilMs, bool answer)
{
    // The first frames after a quiet spell go at once, and so do frames that may answer a
    // request (one was sent since the last hand-over, or a frame's letter differs from the
    // one before it, as an answer in the middle of a stream does), with the frames held back
    // before them: the request/answer layer waits for them. While frames of one letter keep
    // coming unasked, they are handed over on a grid of kGatherMs on the monotonic clock; the
    // windows' display ticks fall on the same grid, so the frames mostly arrive in the
    // wake-up that repaints them.
    if (answer || (heldUntilMs < 0 && nowMs - lastMs >= kGatherMs))
        return nowMs;
    return heldUntilMs >= 0 ? heldUntilMs : (nowMs / kGatherMs + 1) * kGatherMs;
}

void ThreadReceive::handOver_()
{
    QMutexLocker lock(&mutex_);
    handOverLocked_(QDeadlineTimer::current().deadline());
}

void ThreadReceive::handOverLocked_(qint64 nowMs)
{
    handOverAtMs_ = -1;
    lastHandOverMs_ = nowMs;
    requestsSeen_ = requestsSent_.load();
    if (!outbox_.isEmpty() && !notifyPending_) {
        notifyPending_ = true;
        emit framesReady();
    }
}

void ThreadReceive::consume_(const char* data, qint64 size)
{
    // The wire format never carries a zero byte: drop them, keep everything around them.
    const qsizetype oldSize = buffer_.size();
    buffer_.append(data, size);
    const auto tail = std::remove(buffer_.begin() + oldSize, buffer_.end(), '\0');
    buffer_.truncate(tail - buffer_.begin());

    const qint64 now = LinkFrame::nowUs();
    QMutexLocker lock(&mutex_);
    const qsizetype before = outbox_.size();
    QByteArray frame;
    qsizetype dropped = 0;
    // A request sent since the last hand-over: what comes now may be its answer.
    bool answer = requestsSent_.load() != requestsSeen_;
    while (getNextCommand(buffer_, frame, &dropped)) {
        const char letter = frame.size() > 2 ? frame.at(2) : 0;
        answer = answer || letter != lastLetter_;
        lastLetter_ = letter;
        outbox_.append(frame);
        outboxTimes_.append(now);
        frame.clear();
        if (dropped > 0)
            droppedBytes_.fetch_add(dropped);
    }
    if (outbox_.size() > before && !notifyPending_) {
        const qint64 nowMs = QDeadlineTimer::current().deadline();
        handOverAtMs_ = handOverAt(nowMs, lastHandOverMs_, handOverAtMs_, answer);
        if (handOverAtMs_ == nowMs)
            handOverLocked_(nowMs);
    }
    if (buffer_.size() >= kMaxPending) {
        qCDebug(lcSerial) << "discarding" << buffer_.size() << "bytes without a terminator";
        droppedBytes_.fetch_add(buffer_.size());
        buffer_.clear();
    }
}

void ThreadReceive::deliverFrames_()
{
    QList<QByteArray> frames;
    QList<qint64> times;
    {
        QMutexLocker lock(&mutex_);
        frames.swap(outbox_);
        times.swap(outboxTimes_);
        notifyPending_ = false;
    }
    if (frames.isEmpty())
        return;
    emit newFramesReceived(frames, times);
    static const QMetaMethod single = QMetaMethod::fromSignal(&ThreadReceive::newFrameReceived);
    if (!isSignalConnected(single))
        return;
    for (const QByteArray& frame : std::as_const(frames))
        emit newFrameReceived(frame);
}

void ThreadReceive::pollJunk_()
{
    const qint64 dropped = droppedBytes_.load();
    if (dropped == junkSeen_) {
        // Quiet since the last poll: the burst, if any, is over.
        if (dropped > junkReported_)
            emit junkDropped(dropped - junkReported_);
        junkReported_ = dropped;
        junkBurstMs_ = 0;
        if (!isRunning())
            junkTimer_->stop();
        return;
    }
    junkSeen_ = dropped;
    junkBurstMs_ += kJunkPollMs;
    // Noise that never pauses is still reported, once per period.
    if (junkBurstMs_ >= kJunkReportMaxMs) {
        emit junkDropped(dropped - junkReported_);
        junkReported_ = dropped;
        junkBurstMs_ = 0;
    }
}
