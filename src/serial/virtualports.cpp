#include "virtualports.h"

#include <QDir>

#include <unistd.h>

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
    QDir().mkpath(dir);
    return QDir::cleanPath(dir);
}
