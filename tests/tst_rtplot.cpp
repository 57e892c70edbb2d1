#include "displaytick.h"
#include "plotcanvas.h"
#include "rtplot.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sys/stat.h>

namespace {
// The middle of the plot area, in the canvas' coordinates.
QPoint plotCentre(const RtPlot& plot)
{
    return plot.canvas()->plotArea().center();
}
} // namespace

// The live plot on its own: history and span, thinning, coalesced redraws, value axis, pause,
// zoom and drag, colours, and export.
class TestRtPlot : public QObject
{
    Q_OBJECT

private slots:
    void historyAndSpan_data();
    void historyAndSpan();
    void thinningKeepsShape_data();
    void thinningKeepsShape();
    void burstOfSamplesGivesOneRedraw();
    void hiddenPlotRedrawsWhenShown();
    void shortSampleLeavesOtherChannelsAlone();
    void renamingKeepsTheLine();
    void niceTicks_data();
    void niceTicks();
    void redrawsOncePerPixelOnTheDisplayTicks_data();
    void redrawsOncePerPixelOnTheDisplayTicks();
    void viewsUpdateOnTheSameHandOvers_data();
    void viewsUpdateOnTheSameHandOvers();
    void valueAxisAutomaticOrFixed_data();
    void valueAxisAutomaticOrFixed();
    void zoomDragAndFollowAgain();
    void coloursFollowTheLabel();
    void csvOfTheVisibleWindow();
    void exportsImages();
    void spikeIsPaintedWhereItIs();
    void layoutFitsTheSize_data();
    void layoutFitsTheSize();
    void clearForgetsEverything();
    void themeChangeRepaintsAPausedPlot();
    void linesStayReadableOnAnyBackground_data();
    void linesStayReadableOnAnyBackground();
};

void TestRtPlot::historyAndSpan_data()
{
    QTest::addColumn<int>("periodMs");
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("spanMs");

    QTest::newRow("60 a second for 12 minutes, 10 min span") << 17 << 42353 << 600000;
    QTest::newRow("60 a second for 12 minutes, 10 s span") << 17 << 42353 << 10000;
    QTest::newRow("default 300 ms for 2 minutes, 30 s") << 300 << 400 << 30000;
    QTest::newRow("sparse, 7 s apart, 2 min") << 7000 << 40 << 120000;
    QTest::newRow("single sample") << 10 << 1 << 30000;
    QTest::newRow("flood, 5 ms apart, capped") << 5 << 130000 << 600000;
}

void TestRtPlot::historyAndSpan()
{
    QFETCH(int, periodMs);
    QFETCH(int, samples);
    QFETCH(int, spanMs);

    RtPlot plot;
    plot.setChannelShown(0, QStringLiteral("a"), true);
    plot.setSpanMs(spanMs);
    const qint64 start = 1000000; // any origin
    for (int i = 0; i < samples; ++i)
        plot.addSample(start + qint64(i) * periodMs, {double(i % 1000)});
    plot.redraw();

    // Ten minutes are kept whatever the span, plus the one sample before them.
    const qint64 lastMs = qint64(samples - 1) * periodMs;
    const int inHistory = int(std::min<qint64>(lastMs, RtPlot::HistoryMs) / periodMs) + 1;
    const int expected =
        std::min(lastMs > RtPlot::HistoryMs ? inHistory + 1 : inHistory, RtPlot::MaxSamples);
    QCOMPARE(plot.sampleCount(), expected);
    QCOMPARE(plot.timeRange(), QPointF(-spanMs / 1000.0, 0));
    // The line ends at the newest sample at the right edge and starts at the left edge.
    const QList<QPointF> line = plot.drawnPoints(0);
    QVERIFY(!line.isEmpty());
    QCOMPARE(line.last(), QPointF(0, (samples - 1) % 1000));
    const double span = spanMs / 1000.0;
    QVERIFY(line.first().x() >= -span - periodMs / 1000.0);
    if (lastMs > spanMs && samples <= RtPlot::MaxSamples)
        QVERIFY(line.first().x() <= -span);
}

void TestRtPlot::thinningKeepsShape_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<int>>("spikes"); // indices whose value stands out, alternately up/down

    QTest::newRow("fewer samples than columns") << 150 << 200 << QList<int>{7, 80};
    QTest::newRow("just at the limit") << 402 << 200 << QList<int>{0, 401};
    QTest::newRow("two or three samples a slice") << 500 << 200 << QList<int>{3, 250, 499};
    QTest::newRow("spikes on the same slice") << 9000 << 300 << QList<int>{4001, 4003};
    QTest::newRow("ten minutes at 60 a second") << 36000 << 400 << QList<int>{1234, 30000};
    QTest::newRow("spikes at both ends") << 6000 << 300 << QList<int>{0, 5999};
    QTest::newRow("neighbouring spike and dip") << 6000 << 250 << QList<int>{3000, 3001};
    QTest::newRow("one column") << 1000 << 1 << QList<int>{500};
}

void TestRtPlot::thinningKeepsShape()
{
    QFETCH(int, samples);
    QFETCH(int, columns);
    QFETCH(QList<int>, spikes);

    // Samples evenly spread over 30 s ending at t = 100 s; flat except the spikes, with a gap
    // (a channel without values) that must not be drawn.
    QList<double> times;
    QList<float> values;
    const double now = 100;
    const double step = 30.0 / samples;
    for (int i = 0; i < samples; ++i) {
        times.append(now - (samples - 1 - i) * step);
        values.append(0);
    }
    const int gap = samples / 3;
    const int gapLength = std::max(1, samples / 20);
    for (int i = gap; i < gap + gapLength; ++i)
        values[i] = std::numeric_limits<float>::quiet_NaN();
    for (int k = 0; k < spikes.size(); ++k)
        values[spikes.at(k)] = k % 2 ? -1000 - k : 1000 + k;

    const QList<QPointF> line =
        RtPlot::linePoints(times, values, 0, samples, now, now - 30, now, columns);
    if (samples <= 2 * columns + 2)
        QCOMPARE(line.size(), samples - gapLength);
    else
        QVERIFY(line.size() <= 2 * columns + 6);
    for (qsizetype i = 1; i < line.size(); ++i)
        QVERIFY(line.at(i - 1).x() < line.at(i).x());
    for (const QPointF& p : line)
        QVERIFY(!std::isnan(p.y()));
    QCOMPARE(line.first().x(), times.first() - now);
    QCOMPARE(line.last().x(), 0.0);
    // Every spike is still drawn, at its own time.
    for (int index : spikes) {
        const QPointF spike(times.at(index) - now, values.at(index));
        QVERIFY2(line.contains(spike), qPrintable(QStringLiteral("spike %1 lost").arg(index)));
    }

    // The range moved on by a fraction of a slice, as while following live: away from the
    // ends the same samples are drawn, so the line does not shimmer as it scrolls.
    const double width = 30.0 / columns;
    const QList<QPointF> moved = RtPlot::linePoints(
        times, values, 0, samples, now, now - 30 + 0.3 * width, now + 0.3 * width, columns);
    auto inner = [&](const QList<QPointF>& points) {
        QList<QPointF> kept;
        for (const QPointF& p : points) {
            if (p.x() > -30 + 2 * width && p.x() < -2 * width)
                kept << p;
        }
        return kept;
    };
    QCOMPARE(inner(moved), inner(line));
}

void TestRtPlot::burstOfSamplesGivesOneRedraw()
{
    RtPlot plot;
    plot.setChannelShown(2, QStringLiteral("c"), true);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    QTRY_COMPARE(plot.redrawCount(), 1); // adding the line
    for (int i = 0; i < 200; ++i)
        plot.addSample(i * 10, {0, 0, double(i)});
    // Samples never redraw by themselves; the timer does, once for the whole burst.
    QCOMPARE(plot.redrawCount(), 1);
    QCOMPARE(plot.drawnPoints(2).size(), 0);
    QTRY_COMPARE(plot.drawnPoints(2).size(), 200);
    QCOMPARE(plot.redrawCount(), 2);
}

void TestRtPlot::hiddenPlotRedrawsWhenShown()
{
    RtPlot plot;
    plot.setChannelShown(0, QStringLiteral("a"), true);
    plot.addSample(0, {5});
    plot.addSample(10, {6});
    // A hidden plot only remembers that it is out of date: nothing wakes the program for it.
    auto* pacer = plot.findChild<TickPacer*>();
    QVERIFY(pacer && !pacer->isWaiting());
    QTest::qWait(2 * RtPlot::RedrawIntervalMs);
    QCOMPARE(plot.redrawCount(), 0);
    QCOMPARE(plot.drawnPoints(0).size(), 0);

    plot.show();
    QCOMPARE(plot.redrawCount(), 1);
    QCOMPARE(plot.drawnPoints(0).size(), 2);
}

void TestRtPlot::shortSampleLeavesOtherChannelsAlone()
{
    RtPlot plot;
    for (int ch = 0; ch < 4; ++ch)
        plot.setChannelShown(ch, QString::number(ch), true);
    plot.addSample(0, {1, 2, 3, 4});
    plot.addSample(100, {5, 6});
    plot.redraw();
    QCOMPARE(plot.drawnPoints(0).size(), 2);
    QCOMPARE(plot.drawnPoints(1).size(), 2);
    QCOMPARE(plot.drawnPoints(2).size(), 1);
    // The last value of a channel that got no new sample stays where it was taken.
    QCOMPARE(plot.drawnPoints(3), QList<QPointF>{QPointF(-0.1, 4)});
}

void TestRtPlot::renamingKeepsTheLine()
{
    RtPlot plot;
    plot.setChannelShown(5, QStringLiteral("old"), true);
    const QColor colour = plot.channelColour(5);
    plot.setChannelShown(5, QStringLiteral("new"), true);
    plot.redraw();
    QCOMPARE(plot.drawnChannels(), QList<int>{5});
    QCOMPARE(plot.channelName(5), QStringLiteral("new"));
    QCOMPARE(plot.channelColour(5), colour);
    // The legend shows the new name.
    QCOMPARE(plot.canvas()->legendEntries().size(), 1);
    QCOMPARE(plot.canvas()->legendEntries().first().text, QStringLiteral("new"));

    plot.setChannelShown(5, QStringLiteral("new"), false);
    // Removing a channel that was never drawn, or a negative one, is harmless.
    plot.setChannelShown(9, QStringLiteral("x"), false);
    plot.setChannelShown(-1, QStringLiteral("x"), true);
    plot.redraw();
    QVERIFY(plot.drawnChannels().isEmpty());
    QVERIFY(plot.canvas()->lines().isEmpty());
}

void TestRtPlot::niceTicks_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("decimals");

    QTest::newRow("angles around zero") << -162.0 << 160.0 << 100.0 << 0;
    QTest::newRow("volts") << 11.8 << 12.6 << 0.2 << 1;
    QTest::newRow("small positive") << 0.1 << 0.37 << 0.1 << 1;
    QTest::newRow("flat line") << 42.0 << 42.0 << 0.5 << 1;
    QTest::newRow("full signed range") << -32768.0 << 32767.0 << 20000.0 << 0;
    QTest::newRow("unsigned range") << 0.0 << 65535.0 << 20000.0 << 0;
    QTest::newRow("tiny") << -0.003 << 0.004 << 0.002 << 3;
    QTest::newRow("ten seconds") << -10.0 << 0.0 << 2.0 << 0;
}

void TestRtPlot::redrawsOncePerPixelOnTheDisplayTicks_data()
{
    QTest::addColumn<int>("spanMs");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("redrawMs");
    QTest::addColumn<int>("periodMs");

    QTest::newRow("10 s over 330 px: faster than the fastest") << 10000 << 330 << 1 << 40;
    QTest::newRow("30 s over 330 px: 91 ms a pixel") << 30000 << 330 << 1 << 100;
    QTest::newRow("30 s over 1200 px: 25 ms a pixel") << 30000 << 1200 << 1 << 40;
    QTest::newRow("30 s over 500 px: 60 ms a pixel") << 30000 << 500 << 1 << 50;
    QTest::newRow("2 min over 330 px") << 120000 << 330 << 1 << 400;
    QTest::newRow("10 min: the slowest") << 600000 << 330 << 1 << 400;
    QTest::newRow("a slow redraw spaces them out") << 10000 << 330 << 18 << 200;
    QTest::newRow("no width yet") << 30000 << 0 << 0 << 40;
}

void TestRtPlot::redrawsOncePerPixelOnTheDisplayTicks()
{
    QFETCH(int, spanMs);
    QFETCH(int, width);
    QFETCH(int, redrawMs);
    QFETCH(int, periodMs);
    const int period = RtPlot::redrawIntervalMs(spanMs, width, redrawMs);
    QCOMPARE(period, periodMs);
    // The other views' display ticks (every 200 ms) fall on the plot's own.
    QVERIFY(200 % period == 0 || period % 200 == 0);
}

void TestRtPlot::viewsUpdateOnTheSameHandOvers_data()
{
    QTest::addColumn<int>("periodMs");
    QTest::addColumn<qint64>("lastMs"); // after a tick of the 200 ms hand-over grid
    QTest::addColumn<qint64>("nowMs");
    QTest::addColumn<bool>("due");
    QTest::addColumn<int>("lateMs"); // when not due

    constexpr qint64 t = 1'000'000'000; // a tick of every period below
    // clang-format off
    QTest::newRow("never updated") << 400 << qint64(-1) << t + 3 << true << 0;
    QTest::newRow("every hand-over") << 200 << t + 2 << t + 203 << true << 0;
    QTest::newRow("every other: the next") << 400 << t + 2 << t + 203 << false << 297;
    QTest::newRow("every other: the one after") << 400 << t + 2 << t + 402 << true << 0;
    QTest::newRow("taken up 90 ms late") << 400 << t + 2 << t + 490 << true << 0;
    QTest::newRow("after a late update") << 400 << t + 101 << t + 402 << true << 0;
    QTest::newRow("an answer between") << 400 << t + 2 << t + 250 << false << 250;
    QTest::newRow("long log") << 1600 << t + 2 << t + 1203 << false << 497;
    QTest::newRow("long log, on its tick") << 1600 << t + 2 << t + 1602 << true << 0;
    QTest::newRow("plot, twice a hand-over") << 100 << t + 2 << t + 50 << false << 250;
    // clang-format on
}

void TestRtPlot::viewsUpdateOnTheSameHandOvers()
{
    QFETCH(int, periodMs);
    QFETCH(qint64, lastMs);
    QFETCH(qint64, nowMs);
    QFETCH(bool, due);
    QFETCH(int, lateMs);
    QCOMPARE(DisplayTick::isDue(periodMs, lastMs, nowMs), due);
    if (!due) {
        QCOMPARE(DisplayTick::msUntilLate(periodMs, nowMs), lateMs);
        // Late is after the frames of the period's next tick, never on the tick itself.
        QCOMPARE((nowMs + lateMs) % periodMs, qint64(DisplayTick::GridMs / 2) % periodMs);
        QVERIFY(DisplayTick::isDue(periodMs, lastMs, nowMs + lateMs));
    }
}

void TestRtPlot::niceTicks()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, step);
    QFETCH(int, decimals);

    const RtPlot::Ticks ticks = RtPlot::niceTicks(lo, hi);
    QCOMPARE(ticks.step, step);
    QCOMPARE(ticks.decimals, decimals);
    QVERIFY(ticks.lo <= lo && ticks.hi >= hi);
    // Whole steps from a multiple of the step: every label is round.
    const double first = ticks.lo / ticks.step;
    QVERIFY(std::abs(first - std::round(first)) < 1e-6);
    const double count = (ticks.hi - ticks.lo) / ticks.step;
    QVERIFY(count >= 2 && count <= 10);
}

void TestRtPlot::valueAxisAutomaticOrFixed_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<bool>("fixed");

    for (bool fixed : {false, true}) {
        const char* mode = fixed ? "fixed" : "automatic";
        QTest::addRow("%s, extremes", mode) << QList<double>{-32768, 0, 32767} << fixed;
        QTest::addRow("%s, flat line", mode) << QList<double>{42, 42, 42} << fixed;
        QTest::addRow("%s, negative only", mode) << QList<double>{-5, -300, -17} << fixed;
        QTest::addRow("%s, tenths", mode) << QList<double>{12.1, 12.5, 12.3} << fixed;
    }
}

void TestRtPlot::valueAxisAutomaticOrFixed()
{
    QFETCH(QList<double>, values);
    QFETCH(bool, fixed);
    RtPlot plot;
    plot.resize(500, 400);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.setChannelShown(1, QStringLiteral("b"), true);
    // Channel 0 is not drawn: its huge values must not stretch the axis.
    for (int i = 0; i < values.size(); ++i)
        plot.addSample(i * 10, {1000000, values.at(i)});
    if (fixed)
        plot.setFixedValueRange(-10, 20);
    plot.redraw();

    if (fixed) {
        QCOMPARE(plot.valueRange(), QPointF(-10, 20));
        plot.setAutoValueRange();
        QVERIFY(plot.isAutoValueRange());
    }
    const QPointF y = plot.valueRange();
    const double lo = *std::min_element(values.begin(), values.end());
    const double hi = *std::max_element(values.begin(), values.end());
    QVERIFY(y.x() < lo);
    QVERIFY(y.y() > hi);
    QVERIFY(y.y() < 1000000);
    // The automatic range is whole steps from a round minimum.
    const double rangeStep = RtPlot::niceTicks(lo, hi).step;
    for (double end : {y.x(), y.y()})
        QVERIFY(std::abs(end / rangeStep - std::round(end / rangeStep)) < 1e-6);
    QVERIFY((y.y() - y.x()) / rangeStep <= 12);
    // Ticks at round values.
    const RtPlot::Ticks ticks = plot.canvas()->valueTicks();
    const double mantissa = ticks.step / std::pow(10, std::floor(std::log10(ticks.step)));
    QVERIFY2(qFuzzyCompare(mantissa, 1) || qFuzzyCompare(mantissa, 2) || qFuzzyCompare(mantissa, 5),
             qPrintable(QString::number(ticks.step)));
    // The labels are the ticks inside the range, in order from the bottom, to the step's
    // decimals.
    const QList<PlotCanvas::Label> labels = plot.canvas()->tickLabels(Qt::Vertical);
    QVERIFY(labels.size() >= 2);
    for (qsizetype i = 1; i < labels.size(); ++i) {
        QCOMPARE(labels.at(i).text.toDouble() - labels.at(i - 1).text.toDouble(), ticks.step);
        QVERIFY(labels.at(i).rect.bottom() < labels.at(i - 1).rect.top());
    }
    QVERIFY(labels.first().text.toDouble() >= y.x() - 1e-6 * ticks.step);
    QVERIFY(labels.last().text.toDouble() <= y.y() + 1e-6 * ticks.step);
}

void TestRtPlot::zoomDragAndFollowAgain()
{
    RtPlot plot;
    plot.resize(600, 400);
    plot.setChannelShown(0, QStringLiteral("a"), true);
    for (int i = 0; i < 600; ++i)
        plot.addSample(i * 100, {double(i % 50)});
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.redraw();
    QSignalSpy paused(&plot, &RtPlot::pausedChanged);

    // Zooming in around the middle halves both ranges and stops following.
    const QPointF x0 = plot.timeRange();
    const QPointF y0 = plot.valueRange();
    plot.zoomAt(plotCentre(plot), 0.5, 0.5);
    QVERIFY(plot.isPaused());
    QCOMPARE(paused.size(), 1);
    QVERIFY(qAbs((plot.timeRange().y() - plot.timeRange().x()) - (x0.y() - x0.x()) / 2) < 1e-6);
    QVERIFY(qAbs((plot.valueRange().y() - plot.valueRange().x()) - (y0.y() - y0.x()) / 2) < 1e-6);
    QVERIFY(plot.timeRange().x() > x0.x() && plot.timeRange().y() < x0.y());

    // New samples leave a paused view alone.
    const QPointF zoomed = plot.timeRange();
    const int redraws = plot.redrawCount();
    plot.addSample(60000, {7});
    QTest::qWait(3 * RtPlot::RedrawIntervalMs);
    QCOMPARE(plot.redrawCount(), redraws);

    // Dragging to the right shows earlier samples; up shows lower values.
    plot.dragBy(QPoint(100, 0));
    QVERIFY(plot.timeRange().x() < zoomed.x());
    const QPointF yBefore = plot.valueRange();
    plot.dragBy(QPoint(0, -50));
    QVERIFY(plot.valueRange().x() < yBefore.x());
    // The wheel in the view zooms too.
    const QPointF beforeWheel = plot.timeRange();
    QWheelEvent wheel(plotCentre(plot), plot.canvas()->mapToGlobal(plotCentre(plot)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(plot.canvas(), &wheel);
    QVERIFY(plot.timeRange().y() - plot.timeRange().x() > beforeWheel.y() - beforeWheel.x());

    // A double click follows the newest samples again, over the chosen span.
    QTest::mouseDClick(plot.canvas(), Qt::LeftButton, {}, plotCentre(plot));
    QVERIFY(!plot.isPaused());
    QCOMPARE(paused.size(), 2);
    QCOMPARE(plot.timeRange(), QPointF(-RtPlot::DefaultSpanMs / 1000.0, 0));
    QCOMPARE(plot.drawnPoints(0).last(), QPointF(0, 7));

    // The read-out names the line and the value under the mouse.
    const QString readout = plot.readoutAt(plotCentre(plot));
    QVERIFY2(readout.startsWith(QStringLiteral("a: ")), qPrintable(readout));
}

void TestRtPlot::coloursFollowTheLabel()
{
    QSet<QRgb> palette;
    for (int i = 0; i < 32; ++i)
        palette << RtPlot::paletteColour(i).rgb();
    QCOMPARE(palette.size(), 32);

    // The same label gets the same colour on any row.
    RtPlot a;
    RtPlot b;
    a.setChannelShown(3, QStringLiteral("Voltage [V]"), true);
    b.setChannelShown(17, QStringLiteral("Voltage [V]"), true);
    QCOMPARE(a.channelColour(3), RtPlot::colourFor(QStringLiteral("Voltage [V]")));
    QCOMPARE(b.channelColour(17), a.channelColour(3));

    // Lines drawn together never share a colour, even when their names would.
    RtPlot all;
    QSet<QRgb> used;
    for (int ch = 0; ch < 32; ++ch) {
        all.setChannelShown(ch, QStringLiteral("Analog%1").arg(ch), true);
        used << all.channelColour(ch).rgb();
    }
    QCOMPARE(used.size(), 32);
}

void TestRtPlot::csvOfTheVisibleWindow()
{
    RtPlot plot;
    plot.setChannelShown(0, QStringLiteral("Voltage [V]"), true);
    plot.setChannelShown(2, QStringLiteral("odd, \"name\""), true);
    // One minute at 10 samples a second; channel 2 misses every other sample.
    for (int i = 0; i <= 600; ++i) {
        QVector<double> values{i * 0.1, 5, 7};
        if (i % 2)
            values.resize(2);
        plot.addSample(qint64(i) * 100, values);
    }
    plot.setSpanMs(10000);

    const QStringList lines = plot.visibleCsv().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.first(), QStringLiteral("time_s,Voltage [V],\"odd, \"\"name\"\"\""));
    // The last ten seconds: 50.0 to 60.0, both ends included.
    QCOMPARE(lines.size(), 1 + 101);
    QCOMPARE(lines.at(1), QStringLiteral("50.000,50,7"));
    QCOMPARE(lines.at(2), QStringLiteral("50.100,50.1,"));
    QCOMPARE(lines.last(), QStringLiteral("60.000,60,7"));

    // Zoomed in, the file holds what is on screen.
    plot.resize(600, 400);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.redraw();
    plot.zoomAt(plotCentre(plot), 0.5, 1);
    const QPointF range = plot.timeRange();
    const QStringList zoomed = plot.visibleCsv().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(zoomed.size() > 40 && zoomed.size() < 60);
    for (qsizetype i = 1; i < zoomed.size(); ++i) {
        const double t = zoomed.at(i).section(QLatin1Char(','), 0, 0).toDouble() - 60;
        QVERIFY(t >= range.x() - 1e-3 && t <= range.y() + 1e-3);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("visible.csv"));
    QVERIFY(plot.saveCsv(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), plot.visibleCsv());
    QVERIFY(!plot.saveCsv(dir.filePath(QStringLiteral("missing/folder/visible.csv"))));
    // A named pipe nobody reads is refused at once, for the table and the picture alike.
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QString error;
    QVERIFY(!plot.saveCsv(fifo, &error));
    QVERIFY2(error.contains(fifo) && error.contains(QLatin1String("named pipe")),
             qPrintable(error));
    QVERIFY(!plot.saveImage(fifo, &error));
    struct stat st = {};
    QVERIFY(::stat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
}

void TestRtPlot::exportsImages()
{
    RtPlot plot;
    plot.resize(500, 300);
    plot.setChannelShown(0, QStringLiteral("a"), true);
    for (int i = 0; i < 100; ++i)
        plot.addSample(i * 100, {double(i)});
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("plot.png"));
    QVERIFY(plot.saveImage(png));
    const QImage image(png);
    QCOMPARE(image.size(), plot.canvas()->size() * plot.canvas()->devicePixelRatio());
    // The line's colour is in the picture.
    bool found = false;
    const QRgb line = plot.channelColour(0).rgb();
    for (int y = 0; y < image.height() && !found; ++y) {
        for (int x = 0; x < image.width() && !found; ++x)
            found = image.pixel(x, y) == line;
    }
    QVERIFY(found);

    const QString svg = dir.filePath(QStringLiteral("plot.svg"));
    QVERIFY(plot.saveImage(svg));
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("<svg"));
    QVERIFY(text.contains(plot.channelColour(0).name().toLatin1()));
}

void TestRtPlot::spikeIsPaintedWhereItIs()
{
    // Ten minutes at 60 a second on a flat line, one sample standing out: thinned to two
    // samples a column, the spike must still reach its height on the picture.
    RtPlot plot;
    plot.resize(600, 400);
    plot.setChannelShown(0, QStringLiteral("a"), true);
    plot.setSpanMs(RtPlot::HistoryMs);
    const int samples = 36000;
    const int spike = 20000;
    for (int i = 0; i < samples; ++i)
        plot.addSample(qint64(i) * 1000 / 60, {i == spike ? 100.0 : 0.0});
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.redraw();
    QVERIFY(plot.drawnPoints(0).size() <= plot.canvas()->plotArea().width() + 4);

    const QImage image = plot.canvas()->grab().toImage();
    const QRgb colour = PlotCanvas::readableOn(plot.channelColour(0),
                                               plot.canvas()->palette().color(QPalette::Base))
                            .rgb();
    const double dpr = image.devicePixelRatio();
    auto painted = [&](const QPointF& value) {
        const QPoint centre = plot.canvas()->pixelAt(value).toPoint();
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const QPoint p = (centre + QPoint(dx, dy)) * dpr;
                if (image.rect().contains(p) && image.pixel(p) == colour)
                    return true;
            }
        }
        return false;
    };
    const double spikeX = (spike - (samples - 1)) / 60.0;
    QVERIFY(painted({spikeX, 100}));
    QVERIFY(painted({spikeX - 60, 0}));
    QVERIFY(!painted({spikeX - 60, 100}));
}

void TestRtPlot::layoutFitsTheSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("name");

    QTest::newRow("one line, small") << QSize(220, 180) << 1 << "Analog%1";
    QTest::newRow("32 lines, small") << QSize(220, 180) << 32 << "Analog%1";
    QTest::newRow("32 long names, dialog grown") << QSize(400, 380) << 32 << "Voltage [V] %1";
    QTest::newRow("32 lines, large") << QSize(900, 600) << 32 << "Analog%1";
    QTest::newRow("8 lines, wide and low") << QSize(900, 150) << 8 << "Gyro Yaw %1";
    QTest::newRow("32 lines, tiny") << QSize(150, 130) << 32 << "Analog%1";
}

void TestRtPlot::layoutFitsTheSize()
{
    QFETCH(QSize, size);
    QFETCH(int, channels);
    QFETCH(QString, name);

    RtPlot plot;
    plot.resize(size);
    for (int ch = 0; ch < channels; ++ch)
        plot.setChannelShown(ch, name.arg(ch), true);
    for (int i = 0; i < 100; ++i)
        plot.addSample(i * 100, QVector<double>(channels, -1234.5 + i));
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.redraw();

    const PlotCanvas* canvas = plot.canvas();
    const QRect all = canvas->rect();
    const QRect area = canvas->plotArea();
    // The legend never takes the plot's place.
    QVERIFY2(area.height() >= all.height() / 4, qPrintable(QString::number(area.height())));
    QVERIFY(area.width() >= all.width() / 2);
    // Tick labels lie whole inside the canvas, outside the plot area, apart from each other.
    for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
        const QList<PlotCanvas::Label> labels = canvas->tickLabels(o);
        // (Two value labels need room for them and a line between.)
        const bool roomy =
            o == Qt::Horizontal || area.height() >= 4 * canvas->fontMetrics().height();
        QVERIFY(labels.size() >= (roomy ? 2 : 1));
        for (qsizetype i = 0; i < labels.size(); ++i) {
            const QRect r = labels.at(i).rect;
            QVERIFY2(all.contains(r), qPrintable(labels.at(i).text));
            QVERIFY(!r.intersects(area));
            QVERIFY(r.width() >= canvas->fontMetrics().horizontalAdvance(labels.at(i).text));
            if (i > 0)
                QVERIFY(!r.intersects(labels.at(i - 1).rect));
        }
    }
    // One legend entry a line, under the plot, none over another; names shortened only when
    // they cannot all fit.
    const QList<PlotCanvas::Label> legend = canvas->legendEntries();
    QCOMPARE(legend.size(), channels);
    for (qsizetype i = 0; i < legend.size(); ++i) {
        const QRect r = legend.at(i).rect;
        QVERIFY(all.contains(r));
        QVERIFY(r.top() > area.bottom());
        for (qsizetype j = 0; j < i; ++j)
            QVERIFY(!r.intersects(legend.at(j).rect));
        const QString full = name.arg(i);
        const QString shown = legend.at(i).text;
        QVERIFY2(shown == full || shown.isEmpty() ||
                     (shown.endsWith(QChar(0x2026)) && full.startsWith(shown.chopped(1))),
                 qPrintable(shown));
    }
    if (channels == 1)
        QCOMPARE(legend.first().text, name.arg(0));
}

void TestRtPlot::clearForgetsEverything()
{
    RtPlot plot;
    plot.setChannelShown(0, QStringLiteral("a"), true);
    plot.addSample(0, {1, 2});
    plot.clear();
    QVERIFY(plot.drawnChannels().isEmpty());
    QVERIFY(!plot.isChannelShown(0));
    QCOMPARE(plot.sampleCount(), 0);

    // A channel drawn again starts without the forgotten samples.
    plot.setChannelShown(1, QStringLiteral("b"), true);
    plot.addSample(20, {3, 4});
    plot.redraw();
    QCOMPARE(plot.drawnPoints(1), QList<QPointF>{QPointF(0, 4)});
}

QTEST_MAIN(TestRtPlot)
// The plot is drawn in the theme's colours, and in the new ones after a theme change while it
// is paused.
void TestRtPlot::themeChangeRepaintsAPausedPlot()
{
    RtPlot plot;
    plot.resize(400, 300);
    plot.setChannelShown(0, QStringLiteral("a"), true);
    for (int i = 0; i < 100; ++i)
        plot.addSample(i * 20, {double(i % 7)});
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.setPaused(true);
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    QApplication::setPalette(dark);
    const QPoint corner(2, 2);
    QTRY_COMPARE(plot.canvas()->grab().toImage().pixelColor(corner), QColor(0x1e, 0x1e, 0x1e));
    QApplication::setPalette(light);
    QTRY_COMPARE(plot.canvas()->grab().toImage().pixelColor(corner), light.color(QPalette::Base));
}

// Every line colour the plot hands out keeps a contrast of at least 3:1 against light and
// dark theme backgrounds, and a colour that has it already is left alone.
void TestRtPlot::linesStayReadableOnAnyBackground_data()
{
    QTest::addColumn<QColor>("background");
    QTest::newRow("white") << QColor(Qt::white);
    QTest::newRow("light grey") << QColor(0xef, 0xef, 0xef);
    QTest::newRow("mid grey") << QColor(0x80, 0x80, 0x80);
    QTest::newRow("dark grey") << QColor(0x2a, 0x2a, 0x2a);
    QTest::newRow("black") << QColor(Qt::black);
}

void TestRtPlot::linesStayReadableOnAnyBackground()
{
    QFETCH(QColor, background);
    for (int i = 0; i < 32; ++i) {
        const QColor line = RtPlot::paletteColour(i);
        const QColor shown = PlotCanvas::readableOn(line, background);
        QVERIFY2(PlotCanvas::contrast(shown, background) >= PlotCanvas::kMinContrast - 0.01,
                 qPrintable(QStringLiteral("colour %1 as %2").arg(line.name(), shown.name())));
        if (PlotCanvas::contrast(line, background) >= PlotCanvas::kMinContrast)
            QCOMPARE(shown, line);
    }
}

#include "tst_rtplot.moc"
