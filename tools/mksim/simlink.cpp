#include "simlink.h"

#include "virtualports.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

namespace {
QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

SimLink::SimLink(QObject* parent) : QObject(parent) {}

SimLink::~SimLink()
{
    close();
}

bool SimLink::open(const QString& linkName)
{
    if (linkName.isEmpty() || linkName.contains(QLatin1Char('/')) || linkName.startsWith('.')) {
        error_ = QStringLiteral("invalid port name \"%1\"").arg(linkName);
        return false;
    }
    // The program would refuse the folder; a link made there could be replaced by anyone.
    const QString problem = virtualPortsProblem();
    if (!problem.isEmpty()) {
        error_ = problem;
        return false;
    }
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[128] = {};
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name, sizeof name) != 0) {
        error_ = QStringLiteral("cannot create a pseudo-terminal: %1").arg(errnoText());
        close();
        return false;
    }
    terminalPath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios tio{};
    if (slave_ < 0 || ::tcgetattr(slave_, &tio) != 0) {
        error_ = QStringLiteral("cannot open %1: %2").arg(terminalPath_, errnoText());
        close();
        return false;
    }
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B57600);
    ::cfsetospeed(&tio, B57600);
    ::tcsetattr(slave_, TCSANOW, &tio);

    const QString path = virtualPortsDir() + QLatin1Char('/') + linkName;
    // A hidden lock file beside the link says whether a live simulator owns the name; a link
    // left behind by one that was killed hard is replaced, whatever it points at now.
    lockPath_ = virtualPortsDir() + QStringLiteral("/.") + linkName + QStringLiteral(".lock");
    lock_ = ::open(QFile::encodeName(lockPath_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_ < 0 || ::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        error_ = lock_ < 0 ? QStringLiteral("cannot create %1: %2").arg(lockPath_, errnoText())
                           : QStringLiteral("port %1 already exists").arg(path);
        if (lock_ >= 0)
            ::close(lock_);
        lock_ = -1;
        lockPath_.clear();
        close();
        return false;
    }
    const QByteArray pathBytes = QFile::encodeName(path);
    ::unlink(pathBytes.constData());
    if (::symlink(name, pathBytes.constData()) != 0) {
        error_ = QStringLiteral("cannot create %1: %2").arg(path, errnoText());
        close();
        return false;
    }
    linkPath_ = path;

    readNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(readNotifier_, &QSocketNotifier::activated, this, &SimLink::onReadable_);
    writeNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Write, this);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &SimLink::flush_);
    return true;
}

void SimLink::close()
{
    delete readNotifier_;
    readNotifier_ = nullptr;
    delete writeNotifier_;
    writeNotifier_ = nullptr;
    if (!linkPath_.isEmpty()) {
        ::unlink(QFile::encodeName(linkPath_).constData());
        linkPath_.clear();
    }
    if (lock_ >= 0) {
        ::unlink(QFile::encodeName(lockPath_).constData());
        ::close(lock_);
        lock_ = -1;
        lockPath_.clear();
    }
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
    pending_.clear();
}

void SimLink::send(const QByteArray& bytes)
{
    if (master_ < 0)
        return;
    if (pending_.size() + bytes.size() > kMaxPendingOutput) {
        dropped_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    delivered_.fetch_add(1, std::memory_order_relaxed);
    pending_.append(bytes);
    flush_();
}

void SimLink::flush_()
{
    while (!pending_.isEmpty()) {
        const ssize_t n = ::write(master_, pending_.constData(), size_t(pending_.size()));
        if (n > 0) {
            pending_.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // full (EAGAIN) or broken: try again when writable
    }
    if (writeNotifier_)
        writeNotifier_->setEnabled(!pending_.isEmpty());
}

void SimLink::onReadable_()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) {
            emit received(QByteArray(buf, int(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            readNotifier_->setEnabled(false); // a dead descriptor would wake us forever
        break;
    }
}
