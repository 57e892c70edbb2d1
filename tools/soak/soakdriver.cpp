// Drives the main window for a long run: connects to the named port whenever it is listed and
// not connected (the device may be unplugged and come back), asks for debug data, and prints
// one line of figures every period: resident memory, CPU share, frames received, frames logged,
// bad frames, bytes of line noise dropped and the longest event-loop stall.
//
// Usage: tovrik-soak PORT SECONDS [PERIOD]   (started in a directory holding mk.js; the first
// listed port whose name contains PORT is used)

#include "framestore.h"
#include "mainwindow.h"
#include "mkserial.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <sys/resource.h>

#include <cstdio>

namespace {

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: tovrik-soak PORT SECONDS [PERIOD]\n");
        return 2;
    }
    const QString port = args.at(1);
    const int seconds = args.at(2).toInt();
    const int period = args.size() > 3 ? args.at(3).toInt() : 30;

    MainWindow window;
    window.show();
    auto* ports = window.findChild<QComboBox*>(QStringLiteral("portComboBox_"));
    auto* connectButton = window.findChild<QPushButton*>(QStringLiteral("connectPushButton_"));
    auto* debugButton = window.findChild<QToolButton*>(QStringLiteral("toolButtonDCmd_"));
    auto* log = window.findChild<QAbstractItemView*>(QStringLiteral("tableWidgetFrame_"));
    auto* serial = window.findChild<MkSerial*>();
    if (!ports || !connectButton || !debugButton || !log || !serial) {
        std::fprintf(stderr, "tovrik-soak: the window lacks a widget it drives\n");
        return 2;
    }

    qint64 received = 0;
    qint64 bad = 0;
    qint64 junk = 0;
    int connects = 0;
    FrameStore* store = window.frameStore();
    QObject::connect(store, &FrameStore::appended, [&](qsizetype first, qsizetype count) {
        for (qsizetype i = first; i < first + count; ++i) {
            const FrameRecord& record = store->at(i);
            if (record.direction != FrameRecord::Received)
                continue;
            ++received;
            if (!record.good)
                ++bad;
        }
    });
    QObject::connect(serial, &MkSerial::junkDropped, [&](qint64 bytes) { junk += bytes; });

    // Connect when the port is listed and the link is closed; keep debug data coming.
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (!serial->isOpen()) {
            const int index = ports->findText(port, Qt::MatchContains);
            if (index < 0)
                return;
            ports->setCurrentIndex(index);
            connectButton->click();
            if (serial->isOpen())
                ++connects;
        }
        if (serial->isOpen())
            debugButton->click();
    });
    driver.start(1000);

    // Lateness of a 10 ms timer: the longest time the event loop was busy elsewhere.
    QElapsedTimer tick;
    qint64 longestStallMs = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longestStallMs = std::max(longestStallMs, tick.restart() - 10);
    });
    tick.start();
    probe.start(10);

    QElapsedTimer clock;
    clock.start();
    double cpuBefore = cpuSeconds();
    std::printf("%6s %9s %6s %9s %9s %7s %9s %6s %8s\n", "time_s", "rss_kib", "cpu_%",
                "received", "logged", "bad", "junk_b", "links", "stall_ms");
    QTimer report;
    QObject::connect(&report, &QTimer::timeout, [&] {
        const double cpuNow = cpuSeconds();
        std::printf("%6lld %9lld %6.1f %9lld %9d %7lld %9lld %6d %8lld\n",
                    static_cast<long long>(clock.elapsed() / 1000),
                    static_cast<long long>(residentKiB()), 100.0 * (cpuNow - cpuBefore) / period,
                    static_cast<long long>(received), log->model()->rowCount(),
                    static_cast<long long>(bad), static_cast<long long>(junk), connects,
                    static_cast<long long>(longestStallMs));
        std::fflush(stdout);
        cpuBefore = cpuNow;
        longestStallMs = 0;
    });
    report.start(period * 1000);
    QTimer::singleShot(seconds * 1000, &app, [&] { window.close(); app.quit(); });
    return app.exec();
}
