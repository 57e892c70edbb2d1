#include "opendiagnosis.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {
QString errnoText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

bool statPath(const QString& path, struct stat& st)
{
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}
} // namespace

OpenDiagnosis::OpenDiagnosis(const QString& procRoot) : procRoot_(procRoot) {}

QString OpenDiagnosis::explain(const QString& device, int err) const
{
    switch (err) {
    case EACCES:
    case EPERM:
        return permissionText(device, access(device));
    case EBUSY:
    case EWOULDBLOCK:
        return busyText(device, holders(device));
    default:
        return otherText(device, err);
    }
}

DeviceAccess OpenDiagnosis::access(const QString& device)
{
    DeviceAccess result;
    struct stat st{};
    if (!statPath(device, st))
        return result;
    if (const group* g = ::getgrgid(st.st_gid))
        result.group = QString::fromLocal8Bit(g->gr_name);

    // The account's groups as the group database lists them: what a new login will have.
    if (const passwd* pw = ::getpwuid(::getuid())) {
        int count = 64;
        std::vector<gid_t> groups(static_cast<size_t>(count));
        if (::getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &count) < 0) {
            groups.resize(size_t(count));
            ::getgrouplist(pw->pw_name, pw->pw_gid, groups.data(), &count);
        }
        groups.resize(size_t(qMax(count, 0)));
        for (const gid_t g : groups)
            result.accountInGroup = result.accountInGroup || g == st.st_gid;
    }

    // The groups this process runs with, fixed when the login started.
    result.sessionInGroup = ::getegid() == st.st_gid;
    const int n = ::getgroups(0, nullptr);
    if (n > 0) {
        std::vector<gid_t> groups(static_cast<size_t>(n));
        const int got = ::getgroups(n, groups.data());
        for (int i = 0; i < got; ++i)
            result.sessionInGroup = result.sessionInGroup || groups[size_t(i)] == st.st_gid;
    }
    return result;
}

QList<PortHolder> OpenDiagnosis::holders(const QString& device) const
{
    QList<qint64> pids = lockOwners_(device);
    for (const qint64 pid : openers_(device)) {
        if (!pids.contains(pid))
            pids.append(pid);
    }
    QList<PortHolder> result;
    for (const qint64 pid : std::as_const(pids))
        result.append({program_(pid), pid});
    return result;
}

QList<qint64> OpenDiagnosis::lockOwners_(const QString& device) const
{
    // Lines such as "1: FLOCK  ADVISORY  WRITE 812 00:05:123 0 EOF": the locked file is named
    // by the major and minor number (hex) of its file system and its inode. Waiters ("->")
    // hold nothing.
    QList<qint64> pids;
    struct stat st{};
    if (!statPath(device, st))
        return pids;
    QFile locks(procRoot_ + QStringLiteral("/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return pids;
    const QByteArray wanted = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') +
                              ':' + QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0') +
                              ':' + QByteArray::number(quint64(st.st_ino));
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 6 || f.at(1) == "->" || f.at(5) != wanted)
            continue;
        bool ok = false;
        const qint64 pid = f.at(4).toLongLong(&ok);
        if (ok && pid > 0 && !pids.contains(pid))
            pids.append(pid);
    }
    return pids;
}

QList<qint64> OpenDiagnosis::openers_(const QString& device) const
{
    // Any descriptor leading to the same character device counts, whatever path opened it.
    QList<qint64> pids;
    struct stat target{};
    if (!statPath(device, target) || !S_ISCHR(target.st_mode))
        return pids;
    const QStringList procs = QDir(procRoot_).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : procs) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (!ok)
            continue;
        const QString fdDir = procRoot_ + QLatin1Char('/') + name + QStringLiteral("/fd");
        const QStringList fds = QDir(fdDir).entryList(QDir::System | QDir::NoDotAndDotDot);
        for (const QString& fd : fds) {
            struct stat st{};
            if (statPath(fdDir + QLatin1Char('/') + fd, st) && S_ISCHR(st.st_mode) &&
                st.st_rdev == target.st_rdev) {
                pids.append(pid);
                break;
            }
        }
    }
    return pids;
}

QString OpenDiagnosis::program_(qint64 pid) const
{
    QFile comm(procRoot_ + QStringLiteral("/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return tr("unknown program");
    return QString::fromLocal8Bit(comm.readAll().trimmed());
}

QString OpenDiagnosis::permissionText(const QString& device, const DeviceAccess& access)
{
    if (access.group.isEmpty() || (access.accountInGroup && access.sessionInGroup))
        return tr("Permission denied on %1 (%2).").arg(device, errnoText(EACCES));
    if (!access.accountInGroup)
        return tr("Permission denied: %1 belongs to the group '%2' and you are not in it. Run "
                  "'sudo usermod -aG %2 $USER', then log out and in again.")
            .arg(device, access.group);
    return tr("Permission denied: you are in the group '%2' of %1, but this login started "
              "before you were added. Log out and in again.")
        .arg(device, access.group);
}

QString OpenDiagnosis::busyText(const QString& device, const QList<PortHolder>& holders)
{
    if (holders.isEmpty())
        return tr("%1 is held by another program. Close it, then connect again.").arg(device);
    QStringList names;
    for (const PortHolder& h : holders)
        names << tr("%1 (pid %2)").arg(h.program).arg(h.pid);
    return tr("%1 is held by %2. Close it, then connect again.")
        .arg(device, names.join(QStringLiteral(", ")));
}

QString OpenDiagnosis::otherText(const QString& device, int err)
{
    switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return tr("%1 is gone: %2.").arg(device, errnoText(err));
    case ENOTTY:
        return tr("%1 is not a serial port: %2.").arg(device, errnoText(err));
    case 0:
        return tr("%1 could not be opened.").arg(device);
    default:
        return tr("%1: %2.").arg(device, errnoText(err));
    }
}
