#include "captureformat.h"
#include "capturetesthelpers.h"
#include "capturewriter.h"
#include "conversation.h"
#include "fakelink.h"
#include "framestore.h"
#include "framestorewalk.h"
#include "labeltable.h"
#include "replaylink.h"
#include "sessionpipeline.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace CaptureTestHelpers;

using Script = QMap<int, QList<int>>;

namespace {

QByteArray labelPayload(int index)
{
    QByteArray text = QStringLiteral("Ch%1").arg(index, 2, 10, QLatin1Char('0')).toLatin1();
    return QByteArray(1, char(index)) + text.leftJustified(16, ' ');
}

// Answers each 'a' request the pipeline writes with the answers the row names for its index.
class LabelDevice : public QObject
{
public:
    LabelDevice(FakeLink* link, Script script) : link_(link), script_(script)
    {
        connect(link, &Link::frameWritten, this, [this](const QByteArray& bytes) {
            char cmd = 0;
            int address = 0;
            QByteArray payload;
            if (!MkHelper::decodeFrame(bytes, cmd, address, payload) || cmd != 'a')
                return;
            const int index = quint8(payload.at(0));
            const QList<int> answers = script_.value(index, {index});
            // The device answers later, as a real one would.
            QTimer::singleShot(0, this, [this, answers] {
                for (int answer : answers)
                    link_->receive('A', 1, labelPayload(answer));
            });
        });
    }

private:
    FakeLink* link_;
    Script script_;
};

} // namespace

// The session pipeline driven by a link in the test process: labels by the index their answer
// carries, one source at a time, the replay's pace, and what is never sent.
class tst_SessionPipeline : public QObject
{
    Q_OBJECT

private slots:
    void labelsByIndex_data()
    {
        QTest::addColumn<Script>("script");
        QTest::addColumn<qint64>("ignored");
        QTest::addColumn<qint64>("refused");
        QTest::newRow("in order") << Script{} << qint64(0) << qint64(0);
        QTest::newRow("duplicated") << Script{{5, {5, 5}}} << qint64(1) << qint64(0);
        QTest::newRow("late") << Script{{7, {6, 7}}} << qint64(1) << qint64(0);
        QTest::newRow("swapped") << Script{{3, {4, 3}}} << qint64(1) << qint64(0);
        QTest::newRow("index 40") << Script{{6, {40, 6}}} << qint64(0) << qint64(1);
        QTest::newRow("index 200") << Script{{6, {200, 6}}} << qint64(0) << qint64(1);
    }

    void labelsByIndex()
    {
        QFETCH(Script, script);
        SessionPipeline session;
        FakeLink link;
        LabelDevice device(&link, script);
        session.setLink(&link);
        link.open();
        QSignalSpy ready(session.labels(), &LabelTable::labelsListReady);
        session.labels()->startRun();
        QVERIFY(ready.wait(2000));
        const QStringList labels = ready.first().first().toStringList();
        QCOMPARE(labels.size(), 32);
        for (int i = 0; i < 32; ++i)
            QCOMPARE(labels.at(i).trimmed(),
                     QStringLiteral("Ch%1").arg(i, 2, 10, QLatin1Char('0')));
        QTEST(session.labels()->ignoredCount(), "ignored");
        QTEST(session.labels()->refusedCount(), "refused");
        // Frames of the run are stored, not logged.
        for (qsizetype i = 0; i < session.store()->size(); ++i)
            QVERIFY(!session.store()->at(i).logged);
    }

    void labelRunEnds()
    {
        SessionPipeline session;
        FakeLink link;
        session.setLink(&link);
        link.open();
        session.labels()->setTimeout(20);
        QSignalSpy abandoned(session.labels(), &LabelTable::abandoned);
        session.labels()->startRun();
        // A garbled frame asks again at once; silence gives up after the tries.
        QByteArray bad = frame('A', 1, labelPayload(0));
        bad[4] = bad[4] == 'x' ? 'y' : 'x';
        link.receive(QList<QByteArray>{bad});
        QCOMPARE(link.written.size(), 2);
        QVERIFY(abandoned.wait(2000));
        QCOMPARE(abandoned.first().at(0).toInt(), 0);
        QCOMPARE(abandoned.first().at(1).toInt(), LabelTable::kTries);

        // A run under way ends, without a word, when the link closes.
        abandoned.clear();
        session.labels()->setTimeout(2000);
        session.labels()->startRun();
        link.close();
        QVERIFY(!session.labels()->isCollecting());
        QTest::qWait(10);
        QCOMPARE(abandoned.size(), 0);
    }

    void conversationMatchesAndRefuses()
    {
        SessionPipeline session;
        FakeLink link;
        session.setLink(&link);
        link.open();
        Conversation* talk = session.conversation();
        Request version;
        version.cmd = 'v';
        version.answer = 'V';
        version.timeoutMs = 20;
        version.tries = 2;
        QList<Reply> replies;
        auto keep = [&replies](const Reply& reply) { replies.append(reply); };
        QVERIFY(talk->ask(version, this, keep) != 0);
        // One request per answer letter: a second is refused, never matched to the first's.
        QCOMPARE(talk->ask(version, this, keep), quint64(0));
        QTRY_COMPARE(replies.size(), 2);
        QCOMPARE(replies.at(0).outcome, Reply::Busy);
        QCOMPARE(replies.at(1).outcome, Reply::TimedOut);
        QCOMPARE(replies.at(1).tries, 2);
        QCOMPARE(link.written.size(), 2);

        // Answered: the frame comes back with its payload and address.
        replies.clear();
        version.timeoutMs = 2000;
        talk->ask(version, this, keep);
        link.receive('V', 2, "version");
        QTRY_COMPARE(replies.size(), 1);
        QVERIFY(replies.at(0).ok());
        QCOMPARE(replies.at(0).payload.left(7), QByteArray("version"));
        QCOMPARE(replies.at(0).address, 2);

        // Cancelled when the link closes; a context that is gone hears nothing.
        replies.clear();
        talk->ask(version, this, keep);
        {
            QObject gone;
            Request labels = version;
            labels.answer = 'A';
            talk->ask(labels, &gone, keep);
        }
        link.close();
        QTRY_COMPARE(replies.size(), 1);
        QCOMPARE(replies.at(0).outcome, Reply::Cancelled);
        QTest::qWait(10);
        QCOMPARE(replies.size(), 1);
    }

    void neverSent_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("resetAllowed");
        QTest::addColumn<bool>("sendable");
        // The codec never builds an 'R' frame; one made by hand is refused all the same.
        QByteArray restart = frame('v', 1, {});
        restart[2] = 'R';
        QTest::newRow("restart") << restart << true << false;
        QTest::newRow("motor test") << frame('t', 1, QByteArray(16, '\0')) << true << false;
        QTest::newRow("reset to defaults") << frame('q', 1, QByteArray(1, 12)) << false << false;
        QTest::newRow("reset confirmed") << frame('q', 1, QByteArray(1, 29)) << true << true;
        QTest::newRow("read a set") << frame('q', 1, QByteArray(1, 3)) << false << true;
        QTest::newRow("active set") << frame('q', 1, QByteArray(1, char(0xff))) << false << true;
        QTest::newRow("lone carriage return") << QByteArray("\r") << false << true;
    }

    void neverSent()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, resetAllowed);
        QTEST(SessionPipeline::isSendable(bytes, resetAllowed), "sendable");
    }

    void replayPace_data()
    {
        QTest::addColumn<qint64>("previousUs");
        QTest::addColumn<qint64>("recordedUs");
        QTest::addColumn<qint64>("dueUs");
        QTest::addColumn<bool>("odd");
        const qint64 year9999 = 253'370'764'800'000'000;
        QTest::newRow("100 ms later") << kT0 << kT0 + 100'000 << qint64(1'100'000) << false;
        QTest::newRow("10 s later") << kT0 << kT0 + 10'000'000 << qint64(11'000'000) << false;
        QTest::newRow("year 9999") << kT0 << year9999 << qint64(2'000'000) << true;
        QTest::newRow("back from 9999") << year9999 << kT0 << qint64(2'000'000) << true;
        QTest::newRow("3 s back") << kT0 << kT0 - 3'000'000 << qint64(2'000'000) << true;
        QTest::newRow("same time") << kT0 << kT0 << qint64(1'000'000) << false;
    }

    void replayPace()
    {
        QFETCH(qint64, previousUs);
        QFETCH(qint64, recordedUs);
        bool odd = false;
        QTEST(ReplayLink::dueUs(1'000'000, previousUs, recordedUs, &odd), "dueUs");
        QTEST(odd, "odd");
    }

    // A capture replayed as fast as possible while the device link is gone: every received
    // frame in order, requests never, labels from its label lines, odd steps counted.
    void replayIsTheSessionsSource()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("flight.mkcap"));
        {
            CaptureWriter writer;
            QVERIFY(writer.open(path));
            writer.writeEvent(kT0, CaptureFormat::labelEvent(0, QStringLiteral("AngleNick")));
            writer.writeFrame(record(frame('d', 1, QByteArray(1, 10)), kT0, FrameRecord::Sent));
            writer.writeFrame(record(frame('D', 1, debugPayload()), kT0 + 1000));
            writer.writeFrame(record(frame('D', 1, debugPayload()), kT0 - 5'000'000));
            writer.writeFrame(record(frame('V', 1, "abc"), kT0 + 60'000'000));
            writer.close();
        }
        SessionPipeline session;
        session.setLogFilter(QStringLiteral("DV"));
        FakeLink device;
        session.setLink(&device);
        device.open();
        ReplayLink replay(path);
        replay.setSpeed(0);
        QObject::connect(&replay, &Link::framesReceived, &session,
                         [&] { session.learnFromEvents(replay.takeEvents()); });
        session.clear();
        session.setLink(&replay);
        QSignalSpy sent(&session, &SessionPipeline::sendRefused);
        QSignalSpy finished(&replay, &ReplayLink::finished);
        QVERIFY(replay.open());
        // The device keeps talking: none of it enters the capture's session.
        device.receive('D', 1, debugPayload());
        QVERIFY(finished.wait(2000));
        QCOMPARE(session.store()->size(), 3);
        QCOMPARE(session.store()->at(0).cmd, 'D');
        QCOMPARE(session.store()->at(2).cmd, 'V');
        QCOMPARE(session.store()->at(2).timeUs, kT0 + 60'000'000);
        QCOMPARE(replay.oddGaps(), 2);
        QCOMPARE(session.labels()->labels().at(0), QStringLiteral("AngleNick"));
        MkHelper::setCurrentSerialPort(&session);
        MkHelper::rqVersion();
        MkHelper::setCurrentSerialPort(nullptr);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(device.written.size(), 0);
        QCOMPARE(replay.writesDropped(), 0);
    }
    // An export's walk over the log while frames keep coming between its steps: it reads the
    // frames it began with, skips those dropped before it reached them, ends on a clear.
    void storeWalk_data()
    {
        // What happens after the first step of 4 frames, in a store that holds 10.
        QTest::addColumn<int>("appended");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QList<int>>("visited");
        const QList<int> all{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("unchanged") << 0 << false << all;
        QTest::newRow("appended") << 1 << false << all;
        // Two more drop the two oldest (a batch of one), which the walk had read already.
        QTest::newRow("dropped, read") << 2 << false << all;
        // Six more drop frames 4 and 5 too, before the walk got to them.
        QTest::newRow("dropped, unread") << 6 << false << QList<int>{0, 1, 2, 3, 6, 7, 8, 9};
        QTest::newRow("cleared") << 0 << true << QList<int>{0, 1, 2, 3};
    }
    void storeWalk()
    {
        QFETCH(int, appended);
        QFETCH(bool, cleared);
        QFETCH(QList<int>, visited);
        FrameStore store(nullptr, 10);
        const auto add = [&](int n) { store.append(record(frame('V', 1, "x"), kT0 + n)); };
        for (int n = 0; n < 10; ++n)
            add(n);
        FrameStoreWalk walk(&store);
        QList<int> seen;
        const auto visit = [&](const FrameRecord& r) { seen << int(r.timeUs - kT0); };
        QVERIFY(walk.step(4, visit));
        for (int n = 10; n < 10 + appended; ++n)
            add(n);
        if (cleared)
            store.clear();
        while (walk.step(4, visit)) {
        }
        QCOMPARE(seen, visited);
        QCOMPARE(walk.permille(), 1000);
    }
};

QTEST_GUILESS_MAIN(tst_SessionPipeline)
#include "tst_sessionpipeline.moc"
