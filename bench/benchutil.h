#pragma once

// What the benchmarks share: CPU time and resident memory, a 'D' frame, and private directories
// so that no benchmark touches the user's settings, definitions or ports.

#include "mkhelper.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <ctime>

namespace BenchUtil {

inline double processCpuSeconds()
{
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

inline double threadCpuSeconds()
{
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// The resident set of this process in KiB; -1 when it cannot be read.
inline long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// A 'D' frame from address 1 whose 32 values depend on i.
inline QByteArray debugFrame(int i)
{
    QByteArray payload(66, '\0');
    for (int channel = 0; channel < 32; ++channel) {
        const qint16 value = qint16((i * 7 + channel * 131) % 2000 - 1000);
        payload[2 + 2 * channel] = char(value & 0xff);
        payload[3 + 2 * channel] = char((value >> 8) & 0xff);
    }
    QByteArray frame;
    MkHelper::encodeFrame('D', 1, payload, frame);
    return frame;
}

// Simulator links in `ports` and the simulator at `simulator`, unless the environment names
// others.
inline void usePrivatePorts(const QTemporaryDir& ports, const char* simulator)
{
    if (qEnvironmentVariableIsEmpty("TOVRIK_PORTS_DIR"))
        qputenv("TOVRIK_PORTS_DIR", ports.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("TOVRIK_MKSIM"))
        qputenv("TOVRIK_MKSIM", simulator);
}

// Settings, data, ports and the runtime directory in `home`, and the offscreen platform unless
// another one is asked for.
inline void usePrivateHome(const QTemporaryDir& home)
{
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "TOVRIK_PORTS_DIR"}) {
        const QString dir = home.filePath(QLatin1String(name));
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(name, QFile::encodeName(dir));
    }
    const QString runtime = home.filePath(QStringLiteral("run"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace BenchUtil
