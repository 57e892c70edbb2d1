// The real-time dialog's cost per 'D' frame and the live plot's redraw rate and cost.
#include "mainwindow.h"
#include "rtdialog.h"
#include "rtplot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
QByteArray debugPayload(int seed)
{
    QByteArray payload(2, '\0');
    for (int i = 0; i < 32; ++i) {
        const int v = (seed * (i + 1)) % 2000 - 1000;
        payload.append(char(v & 0xFF));
        payload.append(char((v >> 8) & 0xFF));
    }
    return payload;
}

// The dialog as the program has it: inside the main window, shown, 32 labelled rows and the
// first `ticked` channels drawn.
struct ShownDialog
{
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>();
    RtDialog* dialog = window->findChild<RtDialog*>();
    RtPlot* plot = dialog->findChild<RtPlot*>();

    explicit ShownDialog(int ticked)
    {
        QStringList labels;
        for (int i = 0; i < 32; ++i)
            labels << QStringLiteral("Analog%1").arg(i);
        dialog->setLabels(labels);
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("tableWidget_"));
        for (int row = 0; row < ticked; ++row)
            table->item(row, 0)->setCheckState(Qt::Checked);
        dialog->resize(600, 700);
        dialog->show();
        QCoreApplication::processEvents();
    }
};
} // namespace

// 'D' frames arrive every 10 ms (100 frames a second, faster than the serial line can carry)
// for two seconds of wall time while the event loop runs; the counters give the frames handled
// and the plot redraws per second.
static void BM_RedrawRateAt100Frames(benchmark::State& state)
{
    ShownDialog shown(int(state.range(0)));
    double framesPerSecond = 0;
    double redrawsPerSecond = 0;
    for (auto _ : state) {
        const int redrawsBefore = shown.plot->redrawCount();
        int frames = 0;
        QTimer feeder;
        feeder.setTimerType(Qt::PreciseTimer);
        feeder.setInterval(10);
        QObject::connect(&feeder, &QTimer::timeout,
                         [&] { shown.dialog->onReceiveData('D', 1, debugPayload(frames++)); });
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        QElapsedTimer wall;
        wall.start();
        feeder.start();
        loop.exec();
        feeder.stop();
        const double seconds = wall.elapsed() / 1000.0;
        framesPerSecond = frames / seconds;
        redrawsPerSecond = (shown.plot->redrawCount() - redrawsBefore) / seconds;
    }
    state.counters["frames_per_s"] = framesPerSecond;
    state.counters["redraws_per_s"] = redrawsPerSecond;
}
BENCHMARK(BM_RedrawRateAt100Frames)
    ->Arg(2)
    ->Arg(32)
    ->ArgName("ticked")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One 'D' frame into the table and the plot's history, without the redraw it schedules.
static void BM_ReceiveFrame(benchmark::State& state)
{
    ShownDialog shown(int(state.range(0)));
    int seed = 0;
    for (auto _ : state)
        shown.dialog->onReceiveData('D', 1, debugPayload(++seed));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReceiveFrame)->Arg(0)->Arg(32)->ArgName("ticked")->Unit(benchmark::kMicrosecond);

// One redraw with full 30-second histories at 100 samples a second (3000 points per line),
// painted into a 600 x 300 plot.
static void BM_RedrawFullWindow(benchmark::State& state)
{
    const int channels = int(state.range(0));
    RtPlot plot;
    plot.resize(600, 300);
    for (int ch = 0; ch < channels; ++ch)
        plot.setChannelShown(ch, QStringLiteral("Analog%1").arg(ch), true);
    QVector<int> values(channels);
    for (int t = 0; t < 3000; ++t) {
        for (int ch = 0; ch < channels; ++ch)
            values[ch] = (t * (ch + 3)) % 4000 - 2000;
        plot.addSample(qint64(t) * 10, values);
    }
    plot.show();
    for (auto _ : state) {
        plot.redraw();
        benchmark::DoNotOptimize(plot.grab());
    }
}
BENCHMARK(BM_RedrawFullWindow)
    ->Arg(1)
    ->Arg(2)
    ->Arg(8)
    ->Arg(32)
    ->ArgName("lines")
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The main window reads the settings store: keep it away from the user's own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
