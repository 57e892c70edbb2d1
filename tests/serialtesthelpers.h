#pragma once

// Pseudo-terminals and the device simulator for the serial link tests.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal pair: the test plays the device on the controlling side and the code under
// test opens the terminal side by its path.
class Pty
{
public:
    Pty()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        char name[128] = {};
        if (::ptsname_r(master_, name, sizeof name) != 0)
            return;
        path_ = QString::fromLocal8Bit(name);
        // Raw from the start, so bytes written before the code under test configures the line
        // are not cooked; held open so the controlling side never reads end-of-file.
        keep_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios tio{};
        if (keep_ >= 0 && ::tcgetattr(keep_, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(keep_, TCSANOW, &tio);
        }
    }
    ~Pty()
    {
        closeMaster();
        if (keep_ >= 0)
            ::close(keep_);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    bool isValid() const { return master_ >= 0 && keep_ >= 0 && !path_.isEmpty(); }
    QString path() const { return path_; }
    int master() const { return master_; }

    // Bytes written to the terminal side and not yet read by anybody.
    int pendingInput() const
    {
        int n = -1;
        ::ioctl(keep_, FIONREAD, &n);
        return n;
    }

    bool write(const QByteArray& bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno != EINTR && errno != EAGAIN)
                return false;
            if (n > 0)
                done += n;
            else
                waitFor(POLLOUT, 100);
        }
        return true;
    }

    // Reads until `size` bytes have come or the time is up.
    QByteArray read(qsizetype size, int timeoutMs = 5000) const
    {
        QByteArray out;
        QDeadlineTimer deadline(timeoutMs);
        char buf[4096];
        while (out.size() < size && !deadline.hasExpired()) {
            if (!waitFor(POLLIN, int(qMax<qint64>(1, deadline.remainingTime()))))
                continue;
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0)
                out.append(buf, n);
            else if (n < 0 && errno != EINTR && errno != EAGAIN)
                break;
        }
        return out;
    }

    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }
    void closeKeep()
    {
        if (keep_ >= 0)
            ::close(keep_);
        keep_ = -1;
    }

private:
    bool waitFor(short events, int ms) const
    {
        pollfd p{master_, events, 0};
        return ::poll(&p, 1, ms) > 0;
    }

    int master_ = -1;
    int keep_ = -1;
    QString path_;
};

// The device simulator as a child process; stopped (SIGTERM) when destroyed.
class Simulator
{
public:
    ~Simulator() { stop(); }

    // Starts tovrik-mksim with args and waits for its "device on <link>" line. The link path,
    // or an empty string when it did not come up.
    QString start(const QStringList& args)
    {
        const QString program = qEnvironmentVariable("TOVRIK_MKSIM");
        if (program.isEmpty())
            return {};
        process_.setProgram(program);
        process_.setArguments(args);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // The simulator must not outlive a test that is killed (time-out, crash).
        process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        process_.start();
        if (!process_.waitForStarted(5000))
            return {};
        QDeadlineTimer deadline(10000);
        while (!process_.canReadLine() && !deadline.hasExpired() &&
               process_.state() == QProcess::Running)
            process_.waitForReadyRead(100);
        const QByteArray line = process_.readLine().trimmed();
        const QByteArray prefix = "tovrik-mksim: device on ";
        if (!line.startsWith(prefix))
            return {};
        return QFile::decodeName(line.mid(prefix.size()));
    }

    void stop()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(5000))
                process_.kill();
            process_.waitForFinished(5000);
        }
    }

    QProcess& process() { return process_; }

private:
    QProcess process_;
};

#define REQUIRE_SIMULATOR()                                                                        \
    do {                                                                                           \
        if (qEnvironmentVariableIsEmpty("TOVRIK_MKSIM"))                                           \
            QSKIP("TOVRIK_MKSIM is not set");                                                      \
    } while (false)
