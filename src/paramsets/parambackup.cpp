#include "parambackup.h"

#include "paramfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

QString ParamBackup::defaultFolder()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(dataHome).filePath(QStringLiteral("Tovrik/Tovrik/backups"));
}

QString ParamBackup::save(const ParamSet& set, QString& error, const QString& folder,
                          const QDateTime& when)
{
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("Cannot create the backup folder %1").arg(folder);
        return QString();
    }
    const QDir dir(folder);
    // Sortable by name; a second backup within the same second gets a suffix.
    const QString stem = when.toString(QStringLiteral("yyyy-MM-dd_HHmmss")) +
                         QStringLiteral("-set%1").arg(set.setNumber());
    QString path = dir.filePath(stem + QStringLiteral(".mkparam"));
    for (int n = 2; QFile::exists(path); ++n)
        path = dir.filePath(stem + QStringLiteral("-%1.mkparam").arg(n));
    if (!ParamFile::write(path, set, error))
        return QString();
    prune(folder);
    return path;
}

void ParamBackup::prune(const QString& folder, int keep)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*.mkparam")}, QDir::Files, QDir::Name);
    for (qsizetype k = 0; k + keep < names.size(); ++k)
        QFile::remove(dir.filePath(names.at(k)));
}
