// Idle CPU of the whole program: the main window (offscreen) with its serial link and port
// watcher, connected to a silent device and disconnected. The event-driven port watch is
// measured beside two earlier designs in the same run: one took the whole port list every
// 500 ms, the next checked the listed virtual ports' terminals every 500 ms.

#include "benchutil.h"
#include "mainwindow.h"
#include "portwatcher.h"
#include "serialtesthelpers.h" // Pty: the silent device

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

constexpr int kOldRescanMs = 500;
constexpr double kSeconds = 10.0;

void runFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// Percent of one core the program uses over kSeconds, or a negative value when it could not
// connect.
double idlePercent(int rescanMs, int virtualPollMs, bool connected, const QString& port)
{
    PortWatcher::setPeriodicRescanForComparison(rescanMs);
    PortWatcher::setVirtualPollForComparison(virtualPollMs);
    MainWindow window;
    window.show();
    runFor(1.0); // start-up work is not idle cost
    if (connected) {
        auto* list = window.findChild<QComboBox*>(QStringLiteral("portComboBox_"));
        auto* button = window.findChild<QPushButton*>(QStringLiteral("connectPushButton_"));
        if (!list || !button || list->findText(port) < 0)
            return -1;
        list->setCurrentIndex(list->findText(port));
        button->click();
        if (button->text() != QStringLiteral("Disconnect"))
            return -1;
        runFor(0.5);
    }
    const double before = BenchUtil::processCpuSeconds();
    runFor(kSeconds);
    const double used = BenchUtil::processCpuSeconds() - before;
    PortWatcher::setPeriodicRescanForComparison(0);
    PortWatcher::setVirtualPollForComparison(0);
    return 100.0 * used / kSeconds;
}

void BM_IdleProgramCpu(benchmark::State& state)
{
    const bool connected = state.range(0) != 0;
    Pty pty;
    const QString port = QDir(qEnvironmentVariable("TOVRIK_PORTS_DIR")).filePath("silent");
    QFile::remove(port);
    if (!pty.isValid() || !QFile::link(pty.path(), port)) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    double now = 0;
    double old = 0;
    double poll = 0;
    for (auto _ : state) {
        old = idlePercent(kOldRescanMs, 0, connected, port);
        poll = idlePercent(0, kOldRescanMs, connected, port);
        now = idlePercent(0, 0, connected, port);
        state.SetIterationTime(3 * kSeconds);
    }
    QFile::remove(port);
    if (now < 0 || old < 0 || poll < 0) {
        state.SkipWithError("cannot connect to the silent device");
        return;
    }
    state.counters["cpu_pct"] = now;
    state.counters["rescan500_cpu_pct"] = old;
    state.counters["poll500_cpu_pct"] = poll;
}
BENCHMARK(BM_IdleProgramCpu)
    ->ArgName("connected")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    // Settings, data and ports of the benchmark go to private directories, never the user's.
    QTemporaryDir home;
    BenchUtil::usePrivateHome(home);
    QDir::setCurrent(home.path());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
