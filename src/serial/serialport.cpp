#include "serialport.h"
#include "seriallog.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSerial, "tovrik.serial")

namespace {
// Longest a write waits for room in the output queue before giving up on the frame.
constexpr int kWriteStallMs = 3000;

QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Errors after which the line will never work again: the adapter or the pty's far side is gone.
bool meansGone(int err)
{
    return err == EIO || err == ENXIO || err == ENODEV || err == EPIPE;
}
} // namespace

SerialPort::~SerialPort()
{
    close();
}

bool SerialPort::open()
{
    errorCode_ = 0;
    if (isOpen()) {
        error_ = QStringLiteral("port already open");
        return false;
    }
    if (name_.isEmpty()) {
        error_ = QStringLiteral("no port name");
        return false;
    }
    const QByteArray path = name_.toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        errorCode_ = errno;
        error_ = errnoText(errorCode_);
        return false;
    }
    auto fail = [&](int err) {
        errorCode_ = err;
        error_ = errnoText(err);
        ::close(fd);
        return false;
    };
    // A lock held elsewhere is the same situation as TIOCEXCL refusing the open: busy.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(errno == EWOULDBLOCK ? EBUSY : errno);
    if (::ioctl(fd, TIOCEXCL) != 0)
        return fail(errno);

    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return fail(errno);
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B57600);
    ::cfsetospeed(&tio, B57600);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0)
        return fail(errno);
    // Whatever the line held before we opened it belongs to nobody.
    ::tcflush(fd, TCIOFLUSH);

    const int wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake < 0)
        return fail(errno);
    error_.clear();
    interrupted_.store(false);
    failure_.store(0);
    wakeFd_.store(wake);
    fd_.store(fd);
    return true;
}

void SerialPort::close()
{
    const int fd = fd_.exchange(-1);
    if (fd >= 0) {
        // Output the device never took is dropped, so that closing a terminal does not wait
        // for it to drain.
        ::tcflush(fd, TCOFLUSH);
        ::flock(fd, LOCK_UN);
        ::close(fd);
    }
    const int wake = wakeFd_.exchange(-1);
    if (wake >= 0)
        ::close(wake);
}

void SerialPort::interrupt()
{
    interrupted_.store(true);
    const int wake = wakeFd_.load();
    if (wake >= 0) {
        const quint64 one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wake, &one, sizeof one);
    }
}

void SerialPort::noteFailure_(int err)
{
    int none = 0;
    failure_.compare_exchange_strong(none, err);
}

qint64 SerialPort::bytesAvailable() const
{
    const int fd = fd_.load();
    if (fd < 0)
        return -1;
    int n = 0;
    if (::ioctl(fd, FIONREAD, &n) != 0)
        return -1;
    return n;
}

bool SerialPort::waitForReadyRead(int ms) const
{
    const int fd = fd_.load();
    if (fd < 0 || interrupted_.load())
        return false;
    pollfd p[2] = {{fd, POLLIN, 0}, {wakeFd_.load(), POLLIN, 0}};
    const int r = ::poll(p, 2, ms);
    return r > 0 && p[0].revents != 0 && !interrupted_.load();
}

qint64 SerialPort::read(char* data, qint64 maxSize)
{
    const int fd = fd_.load();
    if (fd < 0)
        return -1;
    for (;;) {
        const ssize_t n = ::read(fd, data, size_t(maxSize));
        if (n > 0)
            return n;
        if (n == 0) {
            // In raw mode an empty queue and a hung-up line both read as 0 bytes; only the
            // hang-up shows in poll.
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
                noteFailure_(-1);
                return -1;
            }
            return 0;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        noteFailure_(errno);
        return -1;
    }
}

qint64 SerialPort::write(const char* data, qint64 size)
{
    const int fd = fd_.load();
    if (fd < 0 || interrupted_.load())
        return -1;
    qint64 done = 0;
    int stalledMs = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size_t(size - done));
        if (n > 0) {
            done += n;
            stalledMs = 0;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            if (meansGone(errno))
                noteFailure_(errno);
            return -1;
        }
        // Output queue full: wait for room rather than drop the rest of the frame.
        if (stalledMs >= kWriteStallMs) {
            qCWarning(lcSerial) << "write stalled after" << done << "of" << size << "bytes";
            return done > 0 ? done : -1;
        }
        if (interrupted_.load())
            return -1;
        pollfd p[2] = {{fd, POLLOUT, 0}, {wakeFd_.load(), POLLIN, 0}};
        if (::poll(p, 2, 100) < 0 && errno != EINTR)
            return -1;
        if (p[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            noteFailure_(-1);
            return -1;
        }
        stalledMs += 100;
    }
    return done;
}
