#include "rtplot.h"

#include <QChart>
#include <QLineSeries>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include <algorithm>

// The live plot on its own: the 30-second window, coalesced redraws, channels and colours.
class TestRtPlot : public QObject
{
    Q_OBJECT

private slots:
    void windowKeepsLastThirtySeconds_data();
    void windowKeepsLastThirtySeconds();
    void thinningKeepsShape_data();
    void thinningKeepsShape();
    void burstOfSamplesGivesOneRedraw();
    void hiddenPlotRedrawsWhenShown();
    void shortSampleLeavesOtherChannelsAlone();
    void renamingKeepsTheLine();
    void valueAxisCoversDrawnValues_data();
    void valueAxisCoversDrawnValues();
    void coloursAreDistinct();
    void clearForgetsEverything();
};

void TestRtPlot::windowKeepsLastThirtySeconds_data()
{
    QTest::addColumn<int>("periodMs");
    QTest::addColumn<int>("samples");

    QTest::newRow("100 frames a second for 45 s") << 10 << 4500;
    QTest::newRow("default 300 ms for 2 minutes") << 300 << 400;
    QTest::newRow("one a second, under the window") << 1000 << 12;
    QTest::newRow("sparse, 7 s apart") << 7000 << 20;
    QTest::newRow("single sample") << 10 << 1;
    QTest::newRow("flood, 1 ms apart, thinned to the cap") << 1 << 10000;
}

void TestRtPlot::windowKeepsLastThirtySeconds()
{
    QFETCH(int, periodMs);
    QFETCH(int, samples);

    RtPlot plot;
    plot.setChannelShown(0, QStringLiteral("a"), true);
    const qint64 start = 1000000; // any origin
    for (int i = 0; i < samples; ++i)
        plot.addSample(start + qint64(i) * periodMs, {i});
    plot.redraw();

    const qint64 spanMs = qint64(samples - 1) * periodMs;
    // Everything inside the window, plus the one sample just before it.
    const int inside = int(std::min<qint64>(spanMs, RtPlot::WindowMs) / periodMs) + 1;
    const int expected =
        std::min(spanMs > RtPlot::WindowMs ? inside + 1 : inside, RtPlot::MaxPointsPerChannel);
    QCOMPARE(plot.sampleCount(0), expected);
    // The line runs from the oldest kept sample to the newest, at the right edge.
    QLineSeries* s = plot.series(0);
    QVERIFY(s->count() > 0);
    QCOMPARE(s->at(s->count() - 1), QPointF(0, samples - 1));
    QCOMPARE(s->at(0).y(), qreal(samples - expected));
    QVERIFY(s->at(0).x() >= -RtPlot::WindowMs / 1000.0 - periodMs / 1000.0);
}

void TestRtPlot::thinningKeepsShape_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<int>>("spikes"); // indices whose value stands out, alternately up/down

    QTest::newRow("fewer samples than columns") << 150 << 200 << QList<int>{7, 80};
    QTest::newRow("just at the limit") << 402 << 200 << QList<int>{0, 401};
    QTest::newRow("full window at 100 a second") << 3001 << 200 << QList<int>{1234, 2000};
    QTest::newRow("spikes at both ends") << 6000 << 300 << QList<int>{0, 5999};
    QTest::newRow("neighbouring spike and dip") << 6000 << 250 << QList<int>{3000, 3001};
    QTest::newRow("one column") << 1000 << 1 << QList<int>{500};
}

void TestRtPlot::thinningKeepsShape()
{
    QFETCH(int, samples);
    QFETCH(int, columns);
    QFETCH(QList<int>, spikes);

    // Samples evenly spread over the window, ending at t = 100 s; flat except the spikes.
    QList<QPointF> points;
    const qreal now = 100;
    const qreal step = RtPlot::WindowMs / 1000.0 / samples;
    for (int i = 0; i < samples; ++i)
        points.append(QPointF(now - (samples - 1 - i) * step, 0));
    for (int k = 0; k < spikes.size(); ++k)
        points[spikes.at(k)].setY(k % 2 ? -1000 - k : 1000 + k);

    const QList<QPointF> line = RtPlot::linePoints(points, now, columns);
    if (samples <= 2 * columns + 2)
        QCOMPARE(line.size(), samples);
    else
        QVERIFY(line.size() <= 2 * columns + 2);
    for (qsizetype i = 1; i < line.size(); ++i)
        QVERIFY(line.at(i - 1).x() < line.at(i).x());
    QCOMPARE(line.first().x(), points.first().x() - now);
    QCOMPARE(line.last().x(), 0.0);
    // Every spike is still drawn, at its own time.
    for (int index : spikes) {
        const QPointF spike(points.at(index).x() - now, points.at(index).y());
        QVERIFY2(line.contains(spike), qPrintable(QStringLiteral("spike %1 lost").arg(index)));
    }
}

void TestRtPlot::burstOfSamplesGivesOneRedraw()
{
    RtPlot plot;
    plot.setChannelShown(2, QStringLiteral("c"), true);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    QTRY_COMPARE(plot.redrawCount(), 1); // adding the line
    for (int i = 0; i < 200; ++i)
        plot.addSample(i * 10, {0, 0, i});
    // Samples never redraw by themselves; the timer does, once for the whole burst.
    QCOMPARE(plot.redrawCount(), 1);
    QCOMPARE(plot.series(2)->count(), 0);
    QTRY_COMPARE(plot.series(2)->count(), 200);
    QCOMPARE(plot.redrawCount(), 2);
}

void TestRtPlot::hiddenPlotRedrawsWhenShown()
{
    RtPlot plot;
    plot.setChannelShown(0, QStringLiteral("a"), true);
    plot.addSample(0, {5});
    plot.addSample(10, {6});
    // The redraw timer fires, but a hidden plot only remembers that it is out of date.
    auto* timer = plot.findChild<QTimer*>();
    QVERIFY(timer && timer->isActive());
    QSignalSpy fired(timer, &QTimer::timeout);
    QVERIFY(fired.wait());
    QCOMPARE(plot.redrawCount(), 0);
    QCOMPARE(plot.series(0)->count(), 0);

    plot.show();
    QCOMPARE(plot.redrawCount(), 1);
    QCOMPARE(plot.series(0)->count(), 2);
}

void TestRtPlot::shortSampleLeavesOtherChannelsAlone()
{
    RtPlot plot;
    for (int ch = 0; ch < 4; ++ch)
        plot.setChannelShown(ch, QString::number(ch), true);
    plot.addSample(0, {1, 2, 3, 4});
    plot.addSample(100, {5, 6});
    plot.redraw();
    QCOMPARE(plot.series(0)->count(), 2);
    QCOMPARE(plot.series(1)->count(), 2);
    QCOMPARE(plot.series(2)->count(), 1);
    QCOMPARE(plot.series(3)->count(), 1);
    // The last value of a channel that got no new sample stays where it was taken.
    QCOMPARE(plot.series(3)->at(0), QPointF(-0.1, 4));
}

void TestRtPlot::renamingKeepsTheLine()
{
    RtPlot plot;
    plot.setChannelShown(5, QStringLiteral("old"), true);
    QLineSeries* before = plot.series(5);
    plot.setChannelShown(5, QStringLiteral("new"), true);
    QCOMPARE(plot.series(5), before);
    QCOMPARE(before->name(), QStringLiteral("new"));
    QCOMPARE(plot.chart()->series().size(), 1);

    plot.setChannelShown(5, QStringLiteral("new"), false);
    QVERIFY(!plot.series(5));
    QVERIFY(plot.chart()->series().isEmpty());
    // Removing a channel that was never drawn, or a negative one, is harmless.
    plot.setChannelShown(9, QStringLiteral("x"), false);
    plot.setChannelShown(-1, QStringLiteral("x"), true);
    QVERIFY(plot.chart()->series().isEmpty());
}

void TestRtPlot::valueAxisCoversDrawnValues_data()
{
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("extremes") << QList<int>{-32768, 0, 32767};
    QTest::newRow("flat line") << QList<int>{42, 42, 42};
    QTest::newRow("negative only") << QList<int>{-5, -300, -17};
    QTest::newRow("one value") << QList<int>{0};
}

void TestRtPlot::valueAxisCoversDrawnValues()
{
    QFETCH(QList<int>, values);
    RtPlot plot;
    plot.setChannelShown(1, QStringLiteral("b"), true);
    // Channel 0 is not drawn: its huge values must not stretch the axis.
    for (int i = 0; i < values.size(); ++i)
        plot.addSample(i * 10, {1000000, values.at(i)});
    plot.redraw();

    auto* axis = qobject_cast<QValueAxis*>(plot.chart()->axes(Qt::Vertical).value(0));
    QVERIFY(axis);
    const int lo = *std::min_element(values.begin(), values.end());
    const int hi = *std::max_element(values.begin(), values.end());
    QVERIFY(axis->min() < lo);
    QVERIFY(axis->max() > hi);
    QVERIFY(axis->max() < 1000000);
    // Whole-number tick labels stay distinct: at least one unit between ticks.
    QVERIFY(axis->max() - axis->min() >= axis->tickCount() - 1);
}

void TestRtPlot::coloursAreDistinct()
{
    QSet<QRgb> colours;
    for (int ch = 0; ch < 32; ++ch)
        colours << RtPlot::channelColour(ch).rgb();
    QCOMPARE(colours.size(), 32);

    RtPlot plot;
    plot.setChannelShown(3, QStringLiteral("d"), true);
    QCOMPARE(plot.series(3)->color(), RtPlot::channelColour(3));
}

void TestRtPlot::clearForgetsEverything()
{
    RtPlot plot;
    plot.setChannelShown(0, QStringLiteral("a"), true);
    plot.addSample(0, {1, 2});
    plot.clear();
    QVERIFY(plot.chart()->series().isEmpty());
    QVERIFY(!plot.isChannelShown(0));

    // A channel drawn again starts without the forgotten samples.
    plot.setChannelShown(1, QStringLiteral("b"), true);
    plot.addSample(20, {3, 4});
    plot.redraw();
    QCOMPARE(plot.series(1)->count(), 1);
    QCOMPARE(plot.series(1)->at(0).y(), 4.0);
}

QTEST_MAIN(TestRtPlot)
#include "tst_rtplot.moc"
