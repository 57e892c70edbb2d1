#include "mainwindow.h"
#include "mkhelper.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

// GUI-thread time per logged 'D' frame while the frame log fills up to 250 000 rows (an hour of
// a device at full line rate), and the resident memory of the process at the end. The window is
// shown offscreen and the event loop runs between frames as it would at 60 frames per second.

namespace {

long residentKiB()
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

QByteArray debugFrame(int i)
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

void deliver(MainWindow& window, const QByteArray& frame)
{
    QMetaObject::invokeMethod(&window, "onNewFrameReceived_", Qt::DirectConnection,
                              Q_ARG(QByteArray, frame));
}

void BM_FrameLog(benchmark::State& state)
{
    const int total = int(state.range(0));
    const bool hex = state.range(1) != 0;
    // Frames per pass of the event loop: 60 frames/s against a 60 Hz screen, one per pass.
    constexpr int kFramesPerPass = 1;
    QList<QByteArray> frames;
    for (int i = 0; i < 64; ++i)
        frames.append(debugFrame(i));

    for (auto _ : state) {
        state.PauseTiming();
        const long rssBefore = residentKiB();
        auto window = std::make_unique<MainWindow>();
        if (hex)
            QMetaObject::invokeMethod(window.get(), "onHexCheck_", Qt::DirectConnection);
        window->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();

        QElapsedTimer clock;
        qint64 firstNs = 0;
        qint64 lastNs = 0;
        constexpr int kWindow = 10000;
        for (int i = 0; i < total; ++i) {
            if (i == 0 || i == total - kWindow)
                clock.start();
            deliver(*window, frames.at(i % frames.size()));
            if (i % kFramesPerPass == 0)
                QCoreApplication::processEvents();
            if (i == kWindow - 1)
                firstNs = clock.nsecsElapsed();
            if (i == total - 1)
                lastNs = clock.nsecsElapsed();
        }

        state.PauseTiming();
        state.counters["first10k_us_per_frame"] = double(firstNs) / kWindow / 1000.0;
        state.counters["last10k_us_per_frame"] = double(lastNs) / kWindow / 1000.0;
        state.counters["rss_MiB"] = double(residentKiB()) / 1024.0;
        state.counters["rss_growth_MiB"] = double(residentKiB() - rssBefore) / 1024.0;
        window.reset();
        state.ResumeTiming();
    }
    state.counters["us_per_frame"] =
        benchmark::Counter(double(total) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_FrameLog)
    ->Args({250000, 0})
    ->Args({250000, 1})
    ->ArgNames({"frames", "hex"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    // Never the user's own settings, definitions or ports.
    QTemporaryDir home;
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "TOVRIK_PORTS_DIR"}) {
        const QString dir = home.filePath(QLatin1String(name));
        QDir().mkpath(dir);
        qputenv(name, QFile::encodeName(dir));
    }
    const QString runtime = home.filePath(QStringLiteral("run"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QDir::setCurrent(home.path());

    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
