// The real-time window's costs, and three plot engines side by side in one run: the plot as
// built (its own canvas), the former design on Qt Charts rebuilt here as the baseline, and the
// same lines drawn by QCustomPlot, with 32 channels over ten minutes at 60 samples a second:
// redraw time, memory for the samples, and GUI-thread CPU while following 60 'D' frames a
// second live (and while paused).
#include "benchutil.h"
#include "plotcanvas.h"
#include "rtdialog.h"
#include "rtplot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#ifdef TOVRIK_HAVE_QTCHARTS
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>
#endif
#ifdef TOVRIK_HAVE_QCUSTOMPLOT
#include <qcustomplot.h>
#endif

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>

namespace {
constexpr int Channels = 32;
constexpr int Rate = 60;                   // 'D' frames a second
constexpr int HistorySamples = 600 * Rate; // ten minutes
constexpr QSize PlotSize(900, 600);

// Channel ch at sample t: a slow wave of its own period and size, as angles, heights and
// voltages move, with a little noise on top (2 % of its size), as a sensor gives.
double value(int t, int ch)
{
    const double amplitude = 50.0 * (ch % 8 + 1);
    const double period = Rate * (5.0 + 7.0 * ch);
    const double noise = ((t * 7919 + ch * 104729) % 1000) / 1000.0 - 0.5;
    return std::round(amplitude * std::sin(6.283185307 * t / period) + 0.04 * amplitude * noise);
}

QByteArray debugPayload(int seed)
{
    QByteArray payload(2, '\0');
    for (int i = 0; i < Channels; ++i) {
        const int v = int(value(seed, i));
        payload.append(char(v & 0xFF));
        payload.append(char((v >> 8) & 0xFF));
    }
    return payload;
}

// Ten minutes of samples on every channel, ending at `endMs`.
void fill(RtPlot& plot, qint64 endMs)
{
    QVector<double> values(Channels);
    for (int t = 0; t < HistorySamples; ++t) {
        for (int ch = 0; ch < Channels; ++ch)
            values[ch] = value(t, ch);
        plot.addSample(endMs - qint64(HistorySamples - t) * 1000 / Rate, values);
    }
}

// Runs the event loop for `ms` while `tick` is called 60 times a second; returns the GUI
// thread's CPU time over wall time, in percent.
template <typename Tick> double cpuWhileFeeding(int ms, Tick tick)
{
    QTimer feeder;
    feeder.setTimerType(Qt::PreciseTimer);
    feeder.setInterval(1000 / Rate);
    QObject::connect(&feeder, &QTimer::timeout, tick);
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    const double cpu0 = BenchUtil::threadCpuSeconds();
    wall.start();
    feeder.start();
    loop.exec();
    feeder.stop();
    return 100.0 * (BenchUtil::threadCpuSeconds() - cpu0) / (wall.elapsed() / 1000.0);
}

#ifdef TOVRIK_HAVE_QTCHARTS
// The former design's thinning: every sample's slice worked out on its own, the lowest and
// highest sample of each kept.
QList<QPointF> formerLinePoints(const QList<double>& times, const QList<float>& values,
                                qsizetype first, qsizetype last, double origin, double from,
                                double to, int columns)
{
    QList<QPointF> line;
    const qsizetype limit = 2 * qsizetype(columns) + 2;
    if (last - first <= limit) {
        for (qsizetype i = first; i < last; ++i) {
            if (!std::isnan(values.at(i)))
                line.append(QPointF(times.at(i) - origin, values.at(i)));
        }
        return line;
    }
    const double columnWidth = (to - from) / columns;
    line.reserve(limit);
    qsizetype low = -1;
    qsizetype high = -1;
    qint64 column = -1;
    auto flush = [&] {
        if (low < 0)
            return;
        const qsizetype a = std::min(low, high);
        const qsizetype b = std::max(low, high);
        line.append(QPointF(times.at(a) - origin, values.at(a)));
        if (a != b)
            line.append(QPointF(times.at(b) - origin, values.at(b)));
    };
    for (qsizetype i = first; i < last; ++i) {
        const float v = values.at(i);
        if (std::isnan(v))
            continue;
        const qint64 c =
            std::clamp<qint64>(qint64(std::floor((times.at(i) - from) / columnWidth)), -1, columns);
        if (low < 0 || c != column) {
            flush();
            column = c;
            low = high = i;
            continue;
        }
        if (v < values.at(low))
            low = i;
        if (v > values.at(high))
            high = i;
    }
    flush();
    return line;
}

// The plot's former design: the same samples, thinned as it did to the lowest and highest
// sample of every two pixels, handed to a Qt Charts line series per channel with value axes
// at round ticks and the legend at the bottom, rendered by its QChartView.
struct ChartsPlot
{
    QChartView view;
    QChart* chart = new QChart;
    QValueAxis* axisX = new QValueAxis;
    QValueAxis* axisY = new QValueAxis;
    QList<QLineSeries*> series;
    QList<double> times;
    QList<QList<float>> values;

    ChartsPlot()
    {
        chart->legend()->setAlignment(Qt::AlignBottom);
        chart->setMargins(QMargins(2, 2, 2, 2));
        axisX->setTitleText(QStringLiteral("s"));
        for (QValueAxis* axis : {axisX, axisY}) {
            axis->setTickType(QValueAxis::TicksDynamic);
            axis->setTruncateLabels(false);
        }
        chart->addAxis(axisX, Qt::AlignBottom);
        chart->addAxis(axisY, Qt::AlignLeft);
        for (int ch = 0; ch < Channels; ++ch) {
            auto* line = new QLineSeries;
            line->setName(QStringLiteral("Analog%1").arg(ch));
            QPen pen(RtPlot::paletteColour(ch), 1);
            pen.setCosmetic(true);
            line->setPen(pen);
            chart->addSeries(line);
            line->attachAxis(axisX);
            line->attachAxis(axisY);
            series << line;
        }
        values.resize(Channels);
        view.setChart(chart);
        view.setRenderHint(QPainter::Antialiasing, false);
        view.resize(PlotSize);
        view.show();
    }
    void add(double t, int frame)
    {
        times.append(t);
        for (int ch = 0; ch < Channels; ++ch)
            values[ch].append(float(value(frame, ch)));
        qsizetype stale = 0;
        while (stale + 1 < times.size() && times.at(stale + 1) < t - 600)
            ++stale;
        if (stale > 0) {
            times.remove(0, stale);
            for (QList<float>& v : values)
                v.remove(0, stale);
        }
    }
    qint64 sampleBytes() const
    {
        qint64 bytes = times.capacity() * qint64(sizeof(double));
        for (const QList<float>& v : values)
            bytes += v.capacity() * qint64(sizeof(float));
        return bytes;
    }
    static void setTicks(QValueAxis* axis, double lo, double hi, int target)
    {
        const RtPlot::Ticks ticks = RtPlot::niceTicks(lo, hi, target);
        axis->setLabelFormat(QStringLiteral("%.%1f").arg(ticks.decimals));
        axis->setTickAnchor(0);
        axis->setTickInterval(ticks.step);
        axis->setRange(lo, hi);
    }
    void redraw(double spanS)
    {
        const double now = times.isEmpty() ? 0 : times.last();
        const double from = now - spanS;
        const qsizetype first = std::max<qsizetype>(
            std::lower_bound(times.cbegin(), times.cend(), from) - times.cbegin() - 1, 0);
        const int columns = std::max(200, int(chart->plotArea().width()) / 2);
        double lo = 1e300;
        double hi = -1e300;
        for (int ch = 0; ch < Channels; ++ch) {
            const QList<QPointF> line = formerLinePoints(times, values.at(ch), first, times.size(),
                                                         now, from, now, columns);
            for (const QPointF& p : line) {
                lo = std::min(lo, p.y());
                hi = std::max(hi, p.y());
            }
            series.at(ch)->replace(line);
        }
        setTicks(axisX, -spanS, 0, 6);
        // Round ticks around the values, a step beyond an extreme that falls on a tick.
        const RtPlot::Ticks ticks = RtPlot::niceTicks(lo, hi);
        const double near = ticks.step * 1e-3;
        setTicks(axisY, ticks.lo < lo - near ? ticks.lo : ticks.lo - ticks.step,
                 ticks.hi > hi + near ? ticks.hi : ticks.hi + ticks.step, 5);
    }
};
#endif

#ifdef TOVRIK_HAVE_QCUSTOMPLOT
// The same plot drawn by QCustomPlot: one graph per channel, ten minutes of data, adaptive
// sampling (its default), value axis rescaled to the data at every replot.
struct CustomPlot
{
    QCustomPlot plot;
    CustomPlot()
    {
        plot.resize(PlotSize);
        plot.setNotAntialiasedElements(QCP::aeAll);
        for (int ch = 0; ch < Channels; ++ch) {
            QCPGraph* graph = plot.addGraph();
            graph->setName(QStringLiteral("Analog%1").arg(ch));
            graph->setPen(QPen(RtPlot::paletteColour(ch), 1));
            QVector<QCPGraphData> data(HistorySamples);
            for (int t = 0; t < HistorySamples; ++t)
                data[t] = QCPGraphData(double(t) / Rate, value(t, ch));
            graph->data()->set(data, true);
        }
        plot.legend->setVisible(true);
        plot.xAxis->setRange(0, 600);
        plot.setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
        plot.axisRect()->setRangeDrag(Qt::Horizontal | Qt::Vertical);
        plot.axisRect()->setRangeZoom(Qt::Horizontal | Qt::Vertical);
        plot.show();
    }
    qint64 sampleBytes() const
    {
        qint64 bytes = 0;
        for (int i = 0; i < plot.graphCount(); ++i)
            bytes += plot.graph(i)->data()->size() * qint64(sizeof(QCPGraphData));
        return bytes;
    }
    void redraw()
    {
        plot.yAxis->rescale(true);
        plot.replot(QCustomPlot::rpImmediateRefresh);
    }
};
#endif
} // namespace

// One full redraw of 32 lines of ten minutes each (36 000 samples a line) over the span,
// painted into a 900 x 600 plot; memory counters: the samples as counted by the container
// sizes, and the growth of the resident set while they were added.
static void BM_Redraw_Ours(benchmark::State& state)
{
    const double rss0 = BenchUtil::residentKiB() / 1024.0;
    RtPlot plot;
    plot.resize(PlotSize);
    for (int ch = 0; ch < Channels; ++ch)
        plot.setChannelShown(ch, QStringLiteral("Analog%1").arg(ch), true);
    fill(plot, 0);
    plot.setSpanMs(int(state.range(0)) * 1000);
    const double rss1 = BenchUtil::residentKiB() / 1024.0;
    plot.show();
    QCoreApplication::processEvents();
    QElapsedTimer compute;
    qint64 computeNs = 0;
    for (auto _ : state) {
        compute.start();
        plot.redraw();
        computeNs += compute.nsecsElapsed();
        benchmark::DoNotOptimize(plot.canvas()->grab());
    }
    // The part of the redraw spent thinning the lines and placing them, before painting.
    state.counters["compute_ms"] = computeNs / 1e6 / std::max<qint64>(state.iterations(), 1);
    state.counters["sample_MiB"] = plot.sampleBytes() / (1024.0 * 1024.0);
    state.counters["rss_growth_MiB"] = rss1 - rss0;
}
BENCHMARK(BM_Redraw_Ours)->Arg(600)->Arg(30)->ArgName("span_s")->Unit(benchmark::kMillisecond);

#ifdef TOVRIK_HAVE_QTCHARTS
static void BM_Redraw_QtCharts(benchmark::State& state)
{
    const double rss0 = BenchUtil::residentKiB() / 1024.0;
    ChartsPlot charts;
    for (int t = 0; t < HistorySamples; ++t)
        charts.add(double(t) / Rate, t);
    const double rss1 = BenchUtil::residentKiB() / 1024.0;
    QCoreApplication::processEvents();
    for (auto _ : state) {
        charts.redraw(double(state.range(0)));
        benchmark::DoNotOptimize(charts.view.grab());
    }
    state.counters["sample_MiB"] = charts.sampleBytes() / (1024.0 * 1024.0);
    state.counters["rss_growth_MiB"] = rss1 - rss0;
}
BENCHMARK(BM_Redraw_QtCharts)->Arg(600)->Arg(30)->ArgName("span_s")->Unit(benchmark::kMillisecond);
#endif

#ifdef TOVRIK_HAVE_QCUSTOMPLOT
static void BM_Redraw_QCustomPlot(benchmark::State& state)
{
    const double rss0 = BenchUtil::residentKiB() / 1024.0;
    CustomPlot custom;
    custom.plot.xAxis->setRange(600 - double(state.range(0)), 600);
    const double rss1 = BenchUtil::residentKiB() / 1024.0;
    QCoreApplication::processEvents();
    for (auto _ : state) {
        custom.redraw();
        benchmark::DoNotOptimize(custom.plot.grab());
    }
    state.counters["sample_MiB"] = custom.sampleBytes() / (1024.0 * 1024.0);
    state.counters["rss_growth_MiB"] = rss1 - rss0;
}
BENCHMARK(BM_Redraw_QCustomPlot)
    ->Arg(600)
    ->Arg(30)
    ->ArgName("span_s")
    ->Unit(benchmark::kMillisecond);
#endif

// The whole dialog following live: 32 ticked channels with ten minutes of history, 60 'D'
// frames a second into the table and the plot for five seconds of wall time, 10 min span.
// Counters: GUI-thread CPU in percent of a core and redraws a second. Mode 0: following,
// 1: paused, 2: no channel ticked (the plot hidden), the cost of the table alone.
static void BM_FollowLive_Ours(benchmark::State& state)
{
    const bool paused = state.range(0) == 1;
    const int ticked = state.range(0) == 2 ? 0 : Channels;
    RtDialog dialog(nullptr);
    RtPlot* plot = dialog.plot();
    QStringList labels;
    for (int i = 0; i < Channels; ++i)
        labels << QStringLiteral("Analog%1").arg(i);
    dialog.setLabels(labels);
    auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("tableWidget_"));
    for (int row = 0; row < ticked; ++row)
        table->item(row, 0)->setCheckState(Qt::Checked);
    fill(*plot, 0);
    plot->setSpanMs(600000);
    dialog.resize(PlotSize + QSize(0, 300));
    dialog.show();
    QCoreApplication::processEvents();
    plot->setPaused(paused);
    double cpu = 0;
    double redraws = 0;
    for (auto _ : state) {
        const int before = plot->redrawCount();
        int frame = HistorySamples;
        cpu = cpuWhileFeeding(5000, [&] { dialog.onReceiveData('D', 1, debugPayload(frame++)); });
        redraws = (plot->redrawCount() - before) / 5.0;
    }
    state.counters["gui_cpu_percent"] = cpu;
    state.counters["redraws_per_s"] = redraws;
}
BENCHMARK(BM_FollowLive_Ours)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("mode")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Five seconds of frames into `add`, with `redraw` called at most every redraw interval of the
// plot as built, and only after new samples; returns the GUI thread's CPU in percent.
template <typename Add, typename Redraw> double followLive(Add add, Redraw redraw)
{
    int frame = HistorySamples;
    bool dirty = false;
    QTimer timer;
    timer.setInterval(RtPlot::RedrawIntervalMs);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!dirty)
            return;
        dirty = false;
        redraw(frame);
    });
    timer.start();
    return cpuWhileFeeding(5000, [&] {
        add(frame);
        ++frame;
        dirty = true;
    });
}

// The former and the other engine following live on their own, without the dialog's table:
// samples appended as they come, the oldest dropped, a redraw at most every 40 ms (the redraw
// interval of the plot as built). Compare with mode 0 above less mode 2 (the table alone).
#ifdef TOVRIK_HAVE_QTCHARTS
static void BM_FollowLive_QtCharts(benchmark::State& state)
{
    ChartsPlot charts;
    for (int t = 0; t < HistorySamples; ++t)
        charts.add(double(t) / Rate, t);
    charts.redraw(600);
    QCoreApplication::processEvents();
    double cpu = 0;
    for (auto _ : state) {
        cpu = followLive([&](int frame) { charts.add(double(frame) / Rate, frame); },
                         [&](int) { charts.redraw(600); });
    }
    state.counters["gui_cpu_percent"] = cpu;
}
BENCHMARK(BM_FollowLive_QtCharts)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

#ifdef TOVRIK_HAVE_QCUSTOMPLOT
// QCustomPlot following live the same way.
static void BM_FollowLive_QCustomPlot(benchmark::State& state)
{
    CustomPlot custom;
    QCoreApplication::processEvents();
    double cpu = 0;
    for (auto _ : state) {
        cpu = followLive(
            [&](int frame) {
                const double t = double(frame) / Rate;
                for (int ch = 0; ch < Channels; ++ch) {
                    QCPGraph* graph = custom.plot.graph(ch);
                    graph->addData(t, value(frame, ch));
                    graph->data()->removeBefore(t - 600);
                }
            },
            [&](int frame) {
                const double now = double(frame) / Rate;
                custom.plot.xAxis->setRange(now - 600, now);
                custom.redraw();
            });
    }
    state.counters["gui_cpu_percent"] = cpu;
}
BENCHMARK(BM_FollowLive_QCustomPlot)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

// One 'D' frame into the table and the plot's history, without the redraw it schedules.
static void BM_ReceiveFrame(benchmark::State& state)
{
    RtDialog dialog(nullptr);
    QStringList labels;
    for (int i = 0; i < Channels; ++i)
        labels << QStringLiteral("Voltage%1 [0.1V]").arg(i);
    dialog.setLabels(labels);
    auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("tableWidget_"));
    for (int row = 0; row < state.range(0); ++row)
        table->item(row, 0)->setCheckState(Qt::Checked);
    dialog.show();
    QCoreApplication::processEvents();
    int seed = 0;
    for (auto _ : state)
        dialog.onReceiveData('D', 1, debugPayload(++seed));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReceiveFrame)->Arg(0)->Arg(32)->ArgName("ticked")->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The dialog reads the settings store: keep it away from the user's own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
