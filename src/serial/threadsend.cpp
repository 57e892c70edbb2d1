#include "threadsend.h"
#include "serialport.h"

ThreadSend::ThreadSend(QObject* parent, SerialPort& port, QMutex& receiveMutex)
    : QThread(parent), receiveMutex_(receiveMutex), port_(port)
{
    Q_UNUSED(receiveMutex_);
    // This object lives in the thread that created it, so the slot runs there.
    connect(this, &ThreadSend::errorsReady, this, &ThreadSend::deliverErrors_,
            Qt::QueuedConnection);
}

ThreadSend::~ThreadSend()
{
    stopAndWait();
}

void ThreadSend::stopAndWait()
{
    stop();
    wait();
    // The loop's last act, after its last write to the port, is under this lock; taking it once
    // more makes that ordering explicit to race checkers, which cannot see inside
    // QThread::wait().
    std::lock_guard<std::mutex> sync(mutex_);
}

qsizetype ThreadSend::stopAndDrop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        dropping_ = true;
        stop_.store(true);
    }
    // Interrupted only once a failing write is known to be dropped: a loop that took its next
    // frame in between would otherwise report it as an error of the line, and that frame
    // would be counted nowhere.
    port_.interrupt();
    wait();
    std::lock_guard<std::mutex> lock(mutex_);
    const qsizetype count = queue_.size() + dropped_;
    queue_.clear();
    errors_.clear();
    dropped_ = 0;
    dropping_ = false;
    return count;
}

void ThreadSend::write(const QByteArray& data)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // A deep copy: the worker then owns its frame outright, and no reference count is
        // shared with the caller across threads.
        queue_.append(QByteArray(data.constData(), data.size()));
    }
    launch_(QThread::InheritPriority);
}

void ThreadSend::stop()
{
    stop_.store(true);
}

qsizetype ThreadSend::queued() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return queue_.size();
}

void ThreadSend::start(QThread::Priority priority)
{
    launch_(priority);
}

void ThreadSend::start()
{
    start(QThread::InheritPriority);
}

void ThreadSend::launch_(QThread::Priority priority)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // Cleared under the lock so that a loop which is active but asked to stop goes on
        // with the frames queued since.
        stop_.store(false);
        if (active_)
            return;
        active_ = true;
    }
    // A loop that has just marked itself idle may still be returning from run(); it holds no
    // frame any more, so waiting for it is short.
    wait();
    QThread::start(priority);
}

void ThreadSend::run()
{
    for (;;) {
        QByteArray frame;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stop_.load() || queue_.isEmpty()) {
                active_ = false;
                return;
            }
            frame = queue_.takeFirst();
        }
        const qint64 written = port_.write(frame.constData(), frame.size());
        if (written < 0) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (dropping_) {
                ++dropped_;
                continue;
            }
            errors_.append(written);
            if (!errorsPending_) {
                errorsPending_ = true;
                emit errorsReady();
            }
        }
    }
}

void ThreadSend::deliverErrors_()
{
    QList<qint64> errors;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        errors.swap(errors_);
        errorsPending_ = false;
    }
    for (const qint64 code : std::as_const(errors))
        emit writeError(code);
}
