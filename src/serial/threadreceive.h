#pragma once

#include "framesplitter.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QThread>

#include <atomic>
#include <limits>

class QTimer;
class SerialPort;

// Reads the port while a connection is open, cuts the incoming bytes into frames at the
// carriage return and announces the complete frames, in order, as newFramesReceived: one batch
// per wake-up of the receiving thread, however many frames arrived meanwhile (and, for
// receivers that want them one by one, as newFrameReceived). Frames are not checked here;
// bytes in front of a frame's "#" are dropped and counted (droppedBytes), and bursts of them
// are reported through junkDropped.
//
// The loop hands frames over through an outbox guarded by the mutex and wakes the thread this
// object lives in (the GUI thread), where the signals are emitted. The hand-over thus runs
// through a lock of ours, not only through Qt's event queue, so race checkers can follow it.
class ThreadReceive : public QThread
{
    Q_OBJECT
public:
    // Longest run of bytes without a carriage return that is kept; a longer one is line noise
    // and is discarded.
    static constexpr int kMaxPending = 64 * 1024;
    // Longest single wait for input, so that a stop request is seen quickly.
    static constexpr int kWaitMs = 50;
    // Frames are read and time-stamped as they come, but while they keep coming they are
    // handed to the GUI thread at most once per kGatherMs: a stream of 60 frames a second
    // then wakes the windows five times a second instead of sixty, on the ticks at which the
    // real-time values repaint (the frame table and console every other one). The first frame
    // after a quiet spell, and frames that may answer a request, are handed over at once.
    static constexpr int kGatherMs = 200;
    // When new frames go to the GUI thread (monotonic milliseconds; nowMs: at once): the last
    // hand-over was at lastMs, frames are held until heldUntilMs (-1: none held), and answer
    // tells whether the new frames may answer a request (one was sent since the last
    // hand-over, or a frame's letter differs from the frame before it).
    static qint64 handOverAt(qint64 nowMs, qint64 lastMs, qint64 heldUntilMs, bool answer);
    // A request went out: the frames that come next are handed over at once. Any thread.
    void noteRequestSent() { requestsSent_.fetch_add(1); }

    ThreadReceive(QObject* parent, SerialPort& port);
    ~ThreadReceive() override;

    QMutex& mutex() { return mutex_; }
    // Bytes taken from the port since construction, zero bytes included.
    qint64 bytesRead() const { return bytesRead_.load(); }
    // Bytes thrown away since construction: noise in front of frames, endless lines.
    qint64 droppedBytes() const { return droppedBytes_.load(); }
    // How often dropped bytes are looked for; a burst ends at the first look that finds none
    // new, or after kJunkReportMaxMs of continuous noise.
    static constexpr int kJunkPollMs = 500;
    static constexpr int kJunkReportMaxMs = 5000;
    // Asks the loop to end and returns at once.
    void stop();
    // Asks the loop to end and returns once it has left the port.
    void stopAndWait();

public slots:
    // Empties the buffer and starts the loop. A loop still ending after stop() is waited for
    // first, so it can never append to the fresh buffer; a loop that is running and not
    // stopping is left alone.
    void start(QThread::Priority priority);
    void start();

signals:
    // timesUs: when each frame was read (LinkFrame::nowUs()), in the same order.
    void newFramesReceived(const QList<QByteArray>& frames, const QList<qint64>& timesUs);
    // Emitted for each frame of a batch, after newFramesReceived, while anything is connected.
    void newFrameReceived(const QByteArray& dataReceived);
    // Worker side: the outbox has frames. At most one is pending at a time.
    void framesReady();
    // Worker side: the port failed for good (read error, hang-up); emitted once per start.
    void portFailed();
    // A burst of dropped bytes has ended (or gone on for kJunkReportMaxMs): bytes is how many
    // were dropped in it. Emitted on the thread this object lives in, at most once per poll.
    void junkDropped(qint64 bytes);

protected:
    void run() override;

private slots:
    void deliverFrames_();
    void pollJunk_();

private:
    void consume_(const char* data, qint64 size);
    // Wakes the GUI thread for the frames in the outbox; handOverLocked_ with mutex_ held.
    void handOver_();
    void handOverLocked_(qint64 nowMs);
    void syncWithFinishedLoop_();

    QMutex mutex_;
    SerialPort& port_;
    std::atomic<bool> stop_{true};
    std::atomic<qint64> bytesRead_{0};
    std::atomic<qint64> droppedBytes_{0};
    // GUI side of the junk report.
    QTimer* junkTimer_ = nullptr;
    qint64 junkReported_ = 0; // droppedBytes_ as of the last report
    qint64 junkSeen_ = 0;     // droppedBytes_ as of the last poll
    int junkBurstMs_ = 0;     // how long the current burst has lasted
    QByteArray buffer_;
    // Loop side: the last hand-over, and when the frames held back go (-1: none held), in
    // milliseconds of the monotonic clock.
    qint64 lastHandOverMs_ = std::numeric_limits<qint64>::min() / 2;
    qint64 handOverAtMs_ = -1;
    char lastLetter_ = 0; // command letter of the last frame cut from the input
    std::atomic<quint64> requestsSent_{0};
    quint64 requestsSeen_ = 0;   // loop side: requestsSent_ as of the last hand-over
    QList<QByteArray> outbox_;   // guarded by mutex_
    QList<qint64> outboxTimes_;  // guarded by mutex_: when each frame of outbox_ was read
    bool notifyPending_ = false; // guarded by mutex_
};
