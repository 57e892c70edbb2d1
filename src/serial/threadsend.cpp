#include "threadsend.h"
#include "serialport.h"

#include <QMutexLocker>

ThreadSend::ThreadSend(QObject* parent, SerialPort& port, QMutex& receiveMutex)
    : QThread(parent), receiveMutex_(receiveMutex), port_(port)
{
    Q_UNUSED(receiveMutex_);
}

ThreadSend::~ThreadSend()
{
    stop();
    wait();
}

void ThreadSend::write(const QByteArray& data)
{
    {
        QMutexLocker lock(&mutex_);
        queue_.append(data);
    }
    launch_(QThread::InheritPriority);
}

void ThreadSend::stop()
{
    stop_.store(true);
}

qsizetype ThreadSend::queued() const
{
    QMutexLocker lock(&mutex_);
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
        QMutexLocker lock(&mutex_);
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
            QMutexLocker lock(&mutex_);
            if (stop_.load() || queue_.isEmpty()) {
                active_ = false;
                return;
            }
            frame = queue_.takeFirst();
        }
        const qint64 written = port_.write(frame.constData(), frame.size());
        if (written < 0)
            emit writeError(written);
    }
}
