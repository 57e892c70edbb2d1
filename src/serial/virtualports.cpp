#include "virtualports.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// mkdir -p with mode 0700 for every folder it makes; folders already there are left as they
// are (the check that follows judges the last one).
void makePrivatePath(const QString& path)
{
    const QStringList parts = QDir::cleanPath(path).split(QLatin1Char('/'));
    QString sofar;
    for (const QString& part : parts) {
        if (part.isEmpty() && sofar.isEmpty()) {
            sofar = QStringLiteral("/");
            continue;
        }
        sofar = sofar.isEmpty() || sofar.endsWith(QLatin1Char('/'))
                    ? sofar + part
                    : sofar + QLatin1Char('/') + part;
        ::mkdir(QFile::encodeName(sofar).constData(), 0700);
    }
}

} // namespace

QString virtualPortsDir()
{
    QString dir = qEnvironmentVariable("TOVRIK_PORTS_DIR");
    if (dir.isEmpty()) {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (!runtime.isEmpty())
            dir = runtime + QStringLiteral("/tovrik/ports");
        else
            dir = QStringLiteral("/tmp/tovrik-%1/ports").arg(::getuid());
    }
    dir = QDir::cleanPath(dir);
    makePrivatePath(dir);
    return dir;
}

QString virtualPortsProblem(const QString& dir)
{
    struct stat st
    {
    };
    // lstat: a link is judged as a link, not by the folder it leads to.
    if (::lstat(QFile::encodeName(dir).constData(), &st) != 0) {
        return QCoreApplication::translate("VirtualPorts", "'%1' cannot be used: %2")
            .arg(dir, QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (S_ISLNK(st.st_mode))
        return QCoreApplication::translate("VirtualPorts", "'%1' is a symbolic link").arg(dir);
    if (!S_ISDIR(st.st_mode))
        return QCoreApplication::translate("VirtualPorts", "'%1' is not a directory").arg(dir);
    if (st.st_uid != ::getuid()) {
        return QCoreApplication::translate("VirtualPorts", "'%1' belongs to user %2, not to you")
            .arg(dir)
            .arg(st.st_uid);
    }
    if (st.st_mode & (S_IRWXG | S_IRWXO)) {
        return QCoreApplication::translate("VirtualPorts",
                                           "'%1' is open to other users (mode %2; 700 wanted)")
            .arg(dir)
            .arg(st.st_mode & 07777, 3, 8, QLatin1Char('0'));
    }
    return QString();
}

QString virtualPortsProblem()
{
    return virtualPortsProblem(virtualPortsDir());
}
