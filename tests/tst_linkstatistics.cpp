#include "framestore.h"
#include "linkstatistics.h"
#include "mkhelper.h"

#include <QSignalSpy>
#include <QTest>

// Link statistics fed with records as the frame store holds them: counts and bytes per letter,
// check sum failures, rates over the recent window, request -> answer latency.
class TestLinkStatistics : public QObject
{
    Q_OBJECT

    static constexpr qint64 kT0 = 1'700'000'000'000'000; // some microseconds since 1970

    // One record per token: "<ms> <letter>" received, "<ms> >letter" sent, "<ms> !letter" a
    // received frame with a wrong check sum.
    static QList<FrameRecord> records(const QStringList& tokens)
    {
        QList<FrameRecord> list;
        for (const QString& token : tokens) {
            const QStringList parts = token.split(QLatin1Char(' '));
            const qint64 time = kT0 + parts.at(0).toLongLong() * 1000;
            const QString what = parts.at(1);
            const bool sent = what.startsWith(QLatin1Char('>'));
            const bool bad = what.startsWith(QLatin1Char('!'));
            const char cmd = what.back().toLatin1();
            QByteArray bytes;
            MkHelper::encodeFrame(cmd, sent ? 1 : 2, QByteArray(sent ? 1 : 6, '\x05'), bytes);
            if (bad)
                bytes[bytes.size() - 2] = bytes.at(bytes.size() - 2) == 'A' ? 'B' : 'A';
            list.append(FrameRecord::fromFrame(
                bytes, sent ? FrameRecord::Sent : FrameRecord::Received, time));
        }
        return list;
    }

    static LinkStatistics::Row rowOf(const LinkStatistics& stats, char cmd, qint64 nowUs)
    {
        for (const LinkStatistics::Row& row : stats.rows(nowUs)) {
            if (row.cmd == cmd)
                return row;
        }
        return {};
    }

private slots:
    void countsPerLetter()
    {
        LinkStatistics stats;
        const QList<FrameRecord> fed =
            records({"0 >v", "10 V", "20 >d", "30 D", "40 D", "50 !D", "60 k"});
        for (const FrameRecord& record : fed)
            stats.add(record);

        const qint64 now = kT0 + 100'000;
        const QList<LinkStatistics::Row> rows = stats.rows(now);
        QByteArray letters;
        for (const LinkStatistics::Row& row : rows)
            letters.append(row.cmd);
        // Ordered by code: upper case before lower case.
        QCOMPARE(letters, QByteArray("DVdkv"));

        const LinkStatistics::Row d = rowOf(stats, 'D', now);
        QCOMPARE(d.received, 3);
        QCOMPARE(d.sent, 0);
        QCOMPARE(d.bad, 1);
        QCOMPARE(d.bytesIn, fed.at(3).bytes.size() * 3);
        QCOMPARE(d.bytesOut, 0);
        const LinkStatistics::Row v = rowOf(stats, 'v', now);
        QCOMPARE(v.sent, 1);
        QCOMPARE(v.bytesOut, fed.at(0).bytes.size());

        const LinkStatistics::Totals totals = stats.totals(now);
        QCOMPARE(totals.received, 5);
        QCOMPARE(totals.sent, 2);
        QCOMPARE(totals.bad, 1);
        QCOMPARE(totals.bytesOut, fed.at(0).bytes.size() + fed.at(2).bytes.size());
    }

    void latency_data()
    {
        QTest::addColumn<QStringList>("frames");
        QTest::addColumn<char>("answer");
        QTest::addColumn<qint64>("answers");
        QTest::addColumn<QList<qint64>>("minMedianMaxMs");

        QTest::newRow("one answer")
            << QStringList{"0 >v", "12 V"} << 'V' << qint64(1) << QList<qint64>{12, 12, 12};
        QTest::newRow("in order of sending")
            << QStringList{"0 >a", "5 >a", "10 >a", "20 A", "35 A", "50 A"} << 'A' << qint64(3)
            << QList<qint64>{20, 30, 40};
        QTest::newRow("even count: median between the middle two")
            << QStringList{"0 >v", "10 V", "100 >v", "130 V"} << 'V' << qint64(2)
            << QList<qint64>{10, 20, 30};
        QTest::newRow("stream after a request answers once")
            << QStringList{"0 >d", "16 D", "116 D", "216 D"} << 'D' << qint64(1)
            << QList<qint64>{16, 16, 16};
        QTest::newRow("lost answer does not shift later pairs")
            << QStringList{"0 >v", "6000 >v", "6008 V"} << 'V' << qint64(1)
            << QList<qint64>{8, 8, 8};
        QTest::newRow("bad answer is no answer") << QStringList{"0 >v", "10 !V", "25 V"} << 'V'
                                                 << qint64(1) << QList<qint64>{25, 25, 25};
        QTest::newRow("answer without request")
            << QStringList{"0 V", "10 V"} << 'V' << qint64(0) << QList<qint64>{-1, -1, -1};
        QTest::newRow("answer to another letter")
            << QStringList{"0 >v", "10 A"} << 'A' << qint64(0) << QList<qint64>{-1, -1, -1};
    }

    void latency()
    {
        QFETCH(QStringList, frames);
        QFETCH(char, answer);
        QFETCH(qint64, answers);
        QFETCH(QList<qint64>, minMedianMaxMs);

        LinkStatistics stats;
        for (const FrameRecord& record : records(frames))
            stats.add(record);
        const LinkStatistics::Row row = rowOf(stats, answer, kT0 + 10'000'000);
        QCOMPARE(row.answers, answers);
        const auto ms = [](qint64 us) { return us < 0 ? us : us / 1000; };
        QCOMPARE(
            (QList<qint64>{ms(row.latencyMinUs), ms(row.latencyMedianUs), ms(row.latencyMaxUs)}),
            minMedianMaxMs);
    }

    void rates_data()
    {
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("periodMs");
        QTest::addColumn<qint64>("queryAfterLastMs");
        QTest::addColumn<double>("framesPerSecond");

        // 61 'D' frames a second for 20 s: only the last 5 s count.
        QTest::newRow("steady stream") << 1220 << 16 << qint64(0) << 62.6;
        QTest::newRow("just started: divided by a second at least") << 3 << 100 << qint64(0) << 3.0;
        QTest::newRow("silent for longer than the window") << 100 << 10 << qint64(5001) << 0.0;
        QTest::newRow("half the window silent") << 1000 << 10 << qint64(2500) << 50.0;
    }

    void rates()
    {
        QFETCH(int, frames);
        QFETCH(int, periodMs);
        QFETCH(qint64, queryAfterLastMs);
        QFETCH(double, framesPerSecond);

        LinkStatistics stats;
        QByteArray bytes;
        MkHelper::encodeFrame('D', 1, QByteArray(66, '\0'), bytes);
        qint64 time = kT0;
        for (int i = 0; i < frames; ++i) {
            time = kT0 + qint64(i) * periodMs * 1000;
            stats.add(FrameRecord::fromFrame(bytes, FrameRecord::Received, time));
        }
        const qint64 now = time + queryAfterLastMs * 1000;
        const LinkStatistics::Totals totals = stats.totals(now);
        QVERIFY2(qAbs(totals.rxFramesPerSecond - framesPerSecond) < 0.5,
                 qPrintable(QString::number(totals.rxFramesPerSecond)));
        QVERIFY(qAbs(totals.rxBytesPerSecond - framesPerSecond * bytes.size()) <
                0.5 * bytes.size());
        QVERIFY(qAbs(rowOf(stats, 'D', now).framesPerSecond - framesPerSecond) < 0.5);
        QCOMPARE(totals.received, frames);
    }

    void oldRecordsCountButAreNotLive()
    {
        // Frames of a loaded capture, a day old.
        LinkStatistics stats;
        for (const FrameRecord& record : records({"0 V", "10 V"}))
            stats.add(record);
        const LinkStatistics::Totals totals = stats.totals(kT0 + 86'400'000'000);
        QCOMPARE(totals.received, 2);
        QCOMPARE(totals.rxFramesPerSecond, 0.0);
    }

    void followsTheStoreAndClears()
    {
        FrameStore store;
        LinkStatistics stats;
        stats.follow(&store);
        QSignalSpy cleared(&stats, &LinkStatistics::cleared);

        store.append(records({"0 >v", "10 V"}));
        store.append(records({"20 !A"}).first());
        stats.addJunkBytes(7);
        stats.addJunkBytes(-3);
        LinkStatistics::Totals totals = stats.totals(kT0);
        QCOMPARE(totals.received, 2);
        QCOMPARE(totals.sent, 1);
        QCOMPARE(totals.bad, 1);
        QCOMPARE(totals.junkBytes, 7);
        QCOMPARE(rowOf(stats, 'V', kT0).answers, 1);

        store.clear();
        QCOMPARE(cleared.count(), 1);
        totals = stats.totals(kT0);
        QCOMPARE(totals.received + totals.sent + totals.bad + totals.junkBytes, 0);
        QVERIFY(stats.rows(kT0).isEmpty());

        // Counting goes on after a clear; a request from before it is forgotten.
        store.append(records({"30 >v"}));
        stats.clear();
        store.append(records({"40 V"}));
        QCOMPARE(rowOf(stats, 'V', kT0).answers, 0);
        QCOMPARE(stats.totals(kT0).received, 1);
    }
};

QTEST_GUILESS_MAIN(TestLinkStatistics)
#include "tst_linkstatistics.moc"
