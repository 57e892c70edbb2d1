#pragma once

#include "paramset.h"

#include <QDateTime>
#include <QString>

// Copies of device sets taken before they are overwritten: <folder>/<date>-set<N>.mkparam,
// the newest kKeep kept.
class ParamBackup
{
public:
    static constexpr int kKeep = 50;

    // The folder "backups" in the per-user data location of organisation and application
    // "Tovrik" (QStandardPaths::AppDataLocation for those names).
    static QString defaultFolder();

    // Saves the set and then removes the oldest backups beyond kKeep. The file's path, or an
    // empty string with `error` set; a backup that cannot be written stops the write it guards.
    static QString save(const ParamSet& set, QString& error,
                        const QString& folder = defaultFolder(),
                        const QDateTime& when = QDateTime::currentDateTime());
    // Removes the oldest backup files (by name, which starts with the date) beyond `keep`.
    static void prune(const QString& folder, int keep = kKeep);
};
