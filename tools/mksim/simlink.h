#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>

class QSocketNotifier;

// A pseudo-terminal registered as a virtual serial port: a symbolic link in the virtual ports
// directory points at its terminal side; this object holds the controlling side and moves
// bytes in both directions without blocking.
//
// The terminal side is also held open here, in raw mode, so that the line discipline never
// cooks the bytes and the controlling side does not read end-of-file while no host is attached.
class SimLink : public QObject
{
    Q_OBJECT
public:
    // Output kept while the host does not read; frames beyond it are dropped and counted.
    static constexpr int kMaxPendingOutput = 256 * 1024;

    explicit SimLink(QObject* parent = nullptr);
    ~SimLink() override;

    // Creates the terminal and the link dir/linkName. False with errorString() on failure,
    // including a name that another running simulator holds.
    bool open(const QString& linkName);
    // Removes the link and closes the terminal (the host sees a hang-up).
    void close();

    QString linkPath() const { return linkPath_; }
    QString terminalPath() const { return terminalPath_; }
    QString errorString() const { return error_; }
    // Frames (send() calls) queued for the host, and those dropped because it did not read.
    qint64 delivered() const { return delivered_.load(std::memory_order_relaxed); }
    qint64 dropped() const { return dropped_.load(std::memory_order_relaxed); }

public slots:
    void send(const QByteArray& bytes);

signals:
    void received(const QByteArray& bytes);

private:
    void onReadable_();
    void flush_();

    int master_ = -1;
    int slave_ = -1;
    int lock_ = -1;
    QString lockPath_;
    QString linkPath_;
    QString terminalPath_;
    QString error_;
    QByteArray pending_;
    // Atomic so that a signal handler may read them while the program ends.
    std::atomic<qint64> delivered_{0};
    std::atomic<qint64> dropped_{0};
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
};
