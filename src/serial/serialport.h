#pragma once

#include <QString>

#include <atomic>

// A serial port over the POSIX terminal interface, fixed at 57600 baud 8N1 without flow control.
//
// One reader thread and one writer thread may use an open port at the same time; open, close
// and setName belong to the owning thread, and close is only called while no other thread is
// inside the port. The descriptor is non-blocking; readers wait with waitForReadyRead instead
// of polling bytesAvailable in a loop.
//
// Access is exclusive: the descriptor gets TIOCEXCL and an advisory flock, so a second open of
// the same device, from this process or another, fails.
class SerialPort
{
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    QString name() const { return name_; }
    void setName(const QString& name) { name_ = name; }

    // Opens the named device for reading and writing with the fixed line settings. False (and
    // errorString set) when the name is empty, the device cannot be opened or configured, it is
    // already in use, or this port is already open.
    bool open();
    void close();
    bool isOpen() const { return fd_.load() >= 0; }
    QString errorString() const { return error_; }
    // The system's error number behind the last failed open (EBUSY when another holder's lock
    // refused it), 0 when the failure was not the system's (no name, already open).
    int errorCode() const { return errorCode_; }

    // Wakes a reader or writer waiting on the port and makes every further wait and write of
    // this open return at once; used so that closing never waits for a stalled line. Any
    // thread, while the port is open.
    void interrupt();
    // The error number that ended the open line (EIO for a pulled adapter or a pty whose far
    // side has gone), 0 while it is healthy; -1 for a hang-up seen without an error number.
    int failure() const { return failure_.load(); }

    // Bytes waiting in the input queue; -1 when closed or on error.
    qint64 bytesAvailable() const;
    // Waits up to ms milliseconds for input, a hang-up or an error; true when a read will not
    // block. False on time-out or when closed.
    bool waitForReadyRead(int ms) const;
    // Reads what is there, at most maxSize bytes: the count read, 0 when nothing is waiting, -1
    // when closed or on a read error (a pty whose far side has gone gives EIO).
    qint64 read(char* data, qint64 maxSize);
    // Writes all size bytes, waiting for room in the output queue when the line is slower than
    // the writer (up to a few seconds). The count written, or -1 when closed or on an error.
    qint64 write(const char* data, qint64 size);

private:
    void noteFailure_(int err);

    QString name_;
    QString error_;
    int errorCode_ = 0;
    std::atomic<int> fd_{-1};
    std::atomic<int> wakeFd_{-1}; // eventfd that interrupt() makes readable
    std::atomic<bool> interrupted_{false};
    std::atomic<int> failure_{0};
};
