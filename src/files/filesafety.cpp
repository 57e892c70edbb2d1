#include "filesafety.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSafety {

namespace {

// The recorder's lock: an open-file-description lock on byte 0 keeps every other recorder out,
// this process's own included; a process lock on byte 1 only tells a refused recorder whose it
// is (open-file-description locks carry no process id). The two kinds conflict with each other
// even in one process, hence the separate bytes.
constexpr off_t kExclusionByte = 0;
constexpr off_t kOwnerByte = 1;

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QCoreApplication::translate("FileSafety", "a directory");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("FileSafety", "a named pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("FileSafety", "a device");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("FileSafety", "a socket");
    return QCoreApplication::translate("FileSafety", "not a plain file");
}

QString notRegular(const QString& path, mode_t mode)
{
    return QCoreApplication::translate("FileSafety", "'%1' is %2, not a regular file")
        .arg(path, kindOf(mode));
}

QString failure(const char* text, const QString& path, int error)
{
    return QCoreApplication::translate("FileSafety", text).arg(path, reason(error));
}

// The input that is the same file as st (by device and inode), or an empty text.
QString sameFile(const struct stat& st, const QStringList& inputs)
{
    for (const QString& input : inputs) {
        struct stat in = {};
        if (!input.isEmpty() && ::stat(QFile::encodeName(input).constData(), &in) == 0 &&
            in.st_dev == st.st_dev && in.st_ino == st.st_ino)
            return input;
    }
    return QString();
}

// Why a file of this status must not be written; empty when it may.
QString refusal(const QString& path, const struct stat& st, const QStringList& inputs)
{
    if (!S_ISREG(st.st_mode))
        return notRegular(path, st.st_mode);
    const QString input = sameFile(st, inputs);
    if (!input.isEmpty())
        return input == path
                   ? QCoreApplication::translate("FileSafety",
                                                 "'%1' is the file being read: choose another file")
                         .arg(path)
                   : QCoreApplication::translate(
                         "FileSafety", "'%1' is the file being read ('%2'): choose another file")
                         .arg(path, input);
    return QString();
}

bool lockByte(int fd, int command, off_t byte, struct flock& lock)
{
    lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    return ::fcntl(fd, command, &lock) == 0;
}

} // namespace

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

int openForReading(const QString& path, QString& error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0) {
        error = failure(QT_TRANSLATE_NOOP("FileSafety", "Cannot read '%1': %2"), path, errno);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = notRegular(path, st.st_mode);
        return -1;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = failure(QT_TRANSLATE_NOOP("FileSafety", "Cannot read '%1': %2"), path, errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = notRegular(path, st.st_mode);
        ::close(fd);
        return -1;
    }
    return fd;
}

QString checkTarget(const QString& target, const QStringList& inputs)
{
    struct stat st = {};
    const QByteArray name = QFile::encodeName(target);
    if (::stat(name.constData(), &st) != 0)
        return QString(); // a new file; whatever else is wrong shows when it is created
    const QString refused = refusal(target, st, inputs);
    if (!refused.isEmpty())
        return refused;
    // Replacing the file would go through its folder; its own permission is what the user set.
    if (::access(name.constData(), W_OK) != 0)
        return failure(QT_TRANSLATE_NOOP("FileSafety", "Cannot write '%1': %2"), target, errno);
    return QString();
}

QString checkOpenOutput(int fd, const QString& name, const QStringList& inputs)
{
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return QString();
    return refusal(name, st, inputs);
}

bool writeWhole(const QString& target, const QStringList& inputs,
                const std::function<bool(QIODevice&)>& write, QString& error)
{
    error = checkTarget(target, inputs);
    if (!error.isEmpty())
        return false;
    QSaveFile file(target);
    // Unbuffered: a full disk shows in the write that meets it, with the system's reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = QCoreApplication::translate("FileSafety", "Cannot write '%1': %2")
                    .arg(target, file.errorString());
        return false;
    }
    const bool written = write(file);
    const QString writeError = file.errorString();
    if (!written) {
        file.cancelWriting();
        error = QCoreApplication::translate("FileSafety", "Cannot write '%1': %2")
                    .arg(target, writeError);
        return false;
    }
    if (!file.commit()) {
        error = QCoreApplication::translate("FileSafety", "Cannot write '%1': %2")
                    .arg(target, file.errorString());
        return false;
    }
    return true;
}

bool writeAll(QIODevice& out, const char* data, qint64 size)
{
    while (size > 0) {
        const qint64 written = out.write(data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

int openForRecording(const QString& path, const QStringList& inputs, QString& error)
{
    error = checkTarget(path, inputs);
    if (!error.isEmpty())
        return -1;
    const QByteArray name = QFile::encodeName(path);
    const int fd =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = failure(QT_TRANSLATE_NOOP("FileSafety", "Cannot record to '%1': %2"), path, errno);
        return -1;
    }
    struct stat st = {};
    error =
        ::fstat(fd, &st) == 0
            ? refusal(path, st, inputs)
            : failure(QT_TRANSLATE_NOOP("FileSafety", "Cannot record to '%1': %2"), path, errno);
    struct flock lock = {};
    if (error.isEmpty() && !lockByte(fd, F_OFD_SETLK, kExclusionByte, lock)) {
        const int lockError = errno;
        if (lockError == EAGAIN || lockError == EACCES) {
            struct flock holder = {};
            lockByte(fd, F_GETLK, kOwnerByte, holder);
            // No process lock: the holder is this process, or one that closed another
            // descriptor of the file (which drops process locks); only the id is unknown.
            error = holder.l_type == F_UNLCK
                        ? QCoreApplication::translate("FileSafety",
                                                      "'%1' is being recorded by another recorder")
                              .arg(path)
                        : QCoreApplication::translate("FileSafety",
                                                      "'%1' is being recorded by process %2")
                              .arg(path)
                              .arg(holder.l_pid);
        } else {
            error = failure(QT_TRANSLATE_NOOP("FileSafety", "Cannot record to '%1': %2"), path,
                            lockError);
        }
    }
    if (error.isEmpty()) {
        // Only a process lock carries the holder's id; failing to take it costs the id alone.
        lockByte(fd, F_SETLK, kOwnerByte, lock);
        if (::ftruncate(fd, 0) != 0)
            error =
                failure(QT_TRANSLATE_NOOP("FileSafety", "Cannot record to '%1': %2"), path, errno);
    }
    if (!error.isEmpty()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace FileSafety
