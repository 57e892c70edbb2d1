#include "settingsstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why the file, or the folder it would be made in, cannot be written; empty when it can. Tried
// with open(), not access(), so that the answer holds for root and for read-only mounts alike.
QString writeProblem(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (QFileInfo::exists(path)) {
        const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return errnoText(errno);
        ::close(fd);
        return QString();
    }
    // QSettings makes the folder when it saves; the nearest folder that exists must take it.
    QFileInfo dir(QFileInfo(path).absolutePath());
    while (!dir.exists() && !dir.isRoot())
        dir = QFileInfo(dir.absolutePath());
    if (::access(QFile::encodeName(dir.absoluteFilePath()).constData(), W_OK | X_OK) != 0)
        return errnoText(errno);
    return QString();
}

} // namespace

std::unique_ptr<QSettings> SettingsStore::open()
{
    return std::make_unique<QSettings>(QStringLiteral("Tovrik"), QStringLiteral("Tovrik"));
}

void SettingsStore::check()
{
    problem_.clear();
    mayWrite_ = true;
    const std::unique_ptr<QSettings> settings = open();
    const QString path = settings->fileName();
    const QFileInfo info(path);
    // Sections are parsed when first asked for: a format error shows only after a read.
    settings->allKeys();
    QString reason;
    if (info.exists() && !info.isFile()) {
        reason = QCoreApplication::translate("SettingsStore", "not a regular file");
    } else if (settings->status() == QSettings::FormatError) {
        reason = QCoreApplication::translate("SettingsStore", "format error");
    } else if (settings->status() == QSettings::AccessError) {
        QFile file(path);
        reason = file.open(QIODevice::ReadOnly)
                     ? QCoreApplication::translate("SettingsStore", "access error")
                     : file.errorString();
    }
    if (!reason.isEmpty()) {
        mayWrite_ = false;
        problem_ = QCoreApplication::translate(
                       "SettingsStore",
                       "Settings file '%1' could not be read (%2): defaults are used, and the "
                       "file is left as it is")
                       .arg(path, reason);
        return;
    }
    const QString unwritable = writeProblem(path);
    if (!unwritable.isEmpty()) {
        mayWrite_ = false;
        problem_ = QCoreApplication::translate(
                       "SettingsStore",
                       "Settings file '%1' cannot be written (%2): changes will not be saved")
                       .arg(path, unwritable);
    }
}

void SettingsStore::sync(QSettings& settings)
{
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return;
    QString reason = writeProblem(settings.fileName());
    if (reason.isEmpty())
        reason = QCoreApplication::translate("SettingsStore", "access error");
    std::fprintf(
        stderr, "tovrik: %s\n",
        qPrintable(QCoreApplication::translate("SettingsStore", "settings not saved to '%1': %2")
                       .arg(settings.fileName(), reason)));
}
