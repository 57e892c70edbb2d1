#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QThread>

#include <atomic>
#include <mutex>

class SerialPort;

// Writes queued frames to the port, oldest first, each as a whole. The thread runs only while
// the queue holds frames: it ends when the queue is empty and write() starts it again. A failed
// write is announced as writeError with the negative result (-1 for a closed port) and the loop
// goes on with the next frame.
//
// Error codes are handed over like received frames: through an outbox under the queue lock,
// with writeError emitted in the thread this object lives in (the GUI thread), so that race
// checkers can follow the hand-over, which they cannot inside Qt's event queue.
class ThreadSend : public QThread
{
    Q_OBJECT
public:
    ThreadSend(QObject* parent, SerialPort& port, QMutex& receiveMutex);
    ~ThreadSend() override;

    // Queues one frame and makes sure the loop runs; returns at once. Any thread, any time.
    void write(const QByteArray& data);
    // Asks the loop to end after the frame in hand; queued frames stay for the next start.
    void stop();
    // Asks the loop to end and returns once it has left the port.
    void stopAndWait();
    // Ends the loop for a closing link: the port is interrupted so the frame in hand does not
    // wait for a stalled line, queued frames are dropped, a write that fails because of the
    // interruption is dropped too instead of reported, and errors not yet delivered are
    // discarded. Returns the number of frames that never went out.
    qsizetype stopAndDrop();
    qsizetype queued() const;

public slots:
    void start(QThread::Priority priority);
    void start();

signals:
    void writeError(qint64 errorCode);
    // Worker side: the error outbox has codes. At most one is pending at a time.
    void errorsReady();

private slots:
    void deliverErrors_();

protected:
    void run() override;

private:
    // Starts the loop unless one is active. Whether one is active is decided under the queue
    // lock, by the same test with which the loop decides to end, so no frame is left waiting.
    void launch_(QThread::Priority priority);

    // A standard mutex rather than QMutex: its hand-over is visible to ThreadSanitizer even
    // when contended, which QMutex's slow path inside the (uninstrumented) Qt library is not.
    mutable std::mutex mutex_;
    QMutex& receiveMutex_;
    SerialPort& port_;
    QList<QByteArray> queue_;
    bool active_ = false;        // guarded by mutex_
    QList<qint64> errors_;       // guarded by mutex_
    bool errorsPending_ = false; // guarded by mutex_
    bool dropping_ = false;      // guarded by mutex_
    qsizetype dropped_ = 0;      // guarded by mutex_
    std::atomic<bool> stop_{true};
};
