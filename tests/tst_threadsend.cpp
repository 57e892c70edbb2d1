#include "serialport.h"
#include "serialtesthelpers.h"
#include "threadsend.h"

#include <QtTest>

// A send thread on an open pseudo-terminal; members die in reverse order, thread first.
struct SendRig
{
    Pty pty;
    SerialPort port;
    QMutex receiveMutex;
    ThreadSend thread{nullptr, port, receiveMutex};

    bool open()
    {
        port.setName(pty.path());
        return pty.isValid() && port.open();
    }
};

class TestThreadSend : public QObject
{
    Q_OBJECT
private slots:
    void framesGoOutInOrder_data();
    void framesGoOutInOrder();
    void closedPortGivesOneErrorPerFrame();
    void threadEndsWhenIdleAndRestarts();
    void noFrameWaitsBehindAFinishingLoop();
    void stopKeepsQueuedFramesForTheNextStart();
    void writersOnSeveralThreads();
    void closingDropsWhatDidNotGoOut_data();
    void closingDropsWhatDidNotGoOut();

private:
    static QByteArray frame(int i) { return "#b" + QByteArray::number(i) + "=\r"; }
};

void TestThreadSend::framesGoOutInOrder_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("size");
    QTest::newRow("three small") << 3 << 6;
    QTest::newRow("many small") << 2000 << 10;
    QTest::newRow("some larger than the output queue") << 8 << 40000;
}

void TestThreadSend::framesGoOutInOrder()
{
    QFETCH(int, count);
    QFETCH(int, size);
    SendRig rig;
    QVERIFY(rig.open());
    Pty& pty = rig.pty;
    ThreadSend& thread = rig.thread;
    QList<qint64> errors; // collected on this thread, as the serial link relays them
    QObject context;      // goes before `errors`, taking undelivered calls with it
    connect(
        &thread, &ThreadSend::writeError, &context, [&](qint64 code) { errors << code; },
        Qt::QueuedConnection);

    QByteArray expected;
    for (int i = 0; i < count; ++i) {
        QByteArray f = frame(i);
        f.insert(2, QByteArray(qMax<qsizetype>(0, size - f.size()), char('A' + i % 26)));
        expected += f;
        thread.write(f);
    }
    const QByteArray got = pty.read(expected.size(), 20000);
    QCOMPARE(got.size(), expected.size());
    QVERIFY(got == expected);
    QTRY_VERIFY(!thread.isRunning());
    QCOMPARE(errors.size(), 0);
}

void TestThreadSend::closedPortGivesOneErrorPerFrame()
{
    SerialPort port; // never opened
    QMutex receiveMutex;
    ThreadSend thread(nullptr, port, receiveMutex);
    QList<qint64> errors; // collected on this thread, as the serial link relays them
    QObject context;      // goes before `errors`, taking undelivered calls with it
    connect(
        &thread, &ThreadSend::writeError, &context, [&](qint64 code) { errors << code; },
        Qt::QueuedConnection);
    thread.write("#bv@x\r");
    thread.write("#bv@x\r");
    thread.write("#bv@x\r");
    QTRY_COMPARE(errors.size(), 3);
    for (qint64 code : errors)
        QCOMPARE(code, qint64(-1));
    QTRY_VERIFY(!thread.isRunning());
    QCOMPARE(thread.queued(), qsizetype(0));
}

void TestThreadSend::threadEndsWhenIdleAndRestarts()
{
    SendRig rig;
    QVERIFY(rig.open());
    Pty& pty = rig.pty;
    ThreadSend& thread = rig.thread;
    int finished = 0;
    QObject context;
    connect(
        &thread, &QThread::finished, &context, [&] { ++finished; }, Qt::QueuedConnection);

    thread.write("#bv@x\r");
    QCOMPARE(pty.read(6), QByteArray("#bv@x\r"));
    QTRY_COMPARE(finished, 1);
    QVERIFY(!thread.isRunning());

    thread.write("#ba====DW\r");
    QCOMPARE(pty.read(10), QByteArray("#ba====DW\r"));
    QTRY_COMPARE(finished, 2);
}

void TestThreadSend::noFrameWaitsBehindAFinishingLoop()
{
    // Each frame is queued just as the loop runs out of work, the moment in which a loop that
    // decides "queue empty" apart from "no longer running" strands the newcomer.
    SendRig rig;
    QVERIFY(rig.open());
    Pty& pty = rig.pty;
    ThreadSend& thread = rig.thread;

    const int rounds = 400;
    QByteArray expected;
    for (int i = 0; i < rounds; ++i) {
        thread.write(frame(i));
        expected += frame(i);
        QDeadlineTimer deadline(5000);
        while (thread.queued() > 0 && !deadline.hasExpired())
            QThread::yieldCurrentThread();
        QCOMPARE(thread.queued(), qsizetype(0));
    }
    const QByteArray got = pty.read(expected.size(), 10000);
    QCOMPARE(got, expected);
    QTRY_VERIFY(!thread.isRunning());
    QCOMPARE(thread.queued(), qsizetype(0));
}

void TestThreadSend::stopKeepsQueuedFramesForTheNextStart()
{
    SendRig rig;
    QVERIFY(rig.open());
    Pty& pty = rig.pty;
    ThreadSend& thread = rig.thread;

    // A frame larger than the terminal's queue keeps the loop inside its write until the far
    // side reads, so the next two frames are certainly still queued when stop() comes.
    const QByteArray big(200 * 1024, 'x');
    thread.write(big);
    QTRY_COMPARE(thread.queued(), qsizetype(0));
    thread.write("#bv@x\r");
    thread.write("#ba====DW\r");
    thread.stop();
    QCOMPARE(pty.read(big.size(), 20000).size(), big.size());
    QVERIFY(thread.wait(10000));
    QCOMPARE(thread.queued(), qsizetype(2));

    thread.start();
    QCOMPARE(pty.read(16), QByteArray("#bv@x\r#ba====DW\r"));
    QTRY_VERIFY(!thread.isRunning());
}

void TestThreadSend::writersOnSeveralThreads()
{
    SendRig rig;
    QVERIFY(rig.open());
    Pty& pty = rig.pty;
    ThreadSend& thread = rig.thread;

    constexpr int kWriters = 4;
    constexpr int kEach = 200;
    QList<QThread*> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers << QThread::create([&thread, w] {
            for (int i = 0; i < kEach; ++i)
                thread.write("#" + QByteArray::number(w) + ":" + QByteArray::number(i) + "\r");
        });
        writers.last()->start();
    }
    for (QThread* t : writers) {
        QVERIFY(t->wait(10000));
        delete t;
    }
    // Each writer's frames keep their order; every frame arrives whole.
    QByteArray got;
    QList<int> next(kWriters, 0);
    int frames = 0;
    QDeadlineTimer deadline(10000);
    while (frames < kWriters * kEach && !deadline.hasExpired()) {
        got += pty.read(1, 100);
        qsizetype end;
        while ((end = got.indexOf('\r')) >= 0) {
            const QByteArray f = got.left(end);
            got.remove(0, end + 1);
            const QList<QByteArray> parts = f.mid(1).split(':');
            QCOMPARE(parts.size(), 2);
            const int w = parts.at(0).toInt();
            QCOMPARE(parts.at(1).toInt(), next[w]);
            ++next[w];
            ++frames;
        }
    }
    QCOMPARE(frames, kWriters * kEach);
}

void TestThreadSend::closingDropsWhatDidNotGoOut_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("deviceReads");
    QTest::newRow("device stopped reading") << 5000 << false;
    QTest::newRow("everything already out") << 3 << true;
}

void TestThreadSend::closingDropsWhatDidNotGoOut()
{
    QFETCH(int, count);
    QFETCH(bool, deviceReads);
    SendRig rig;
    QVERIFY(rig.open());
    ThreadSend& thread = rig.thread;
    QList<qint64> errors;
    QObject context;
    connect(
        &thread, &ThreadSend::writeError, &context, [&](qint64 code) { errors << code; },
        Qt::QueuedConnection);

    for (int i = 0; i < count; ++i)
        thread.write("#bv@x\r");
    QByteArray got;
    if (deviceReads) {
        got = rig.pty.read(6 * count);
        QTRY_VERIFY(!thread.isRunning());
    } else {
        // The line's queue fills; the loop then waits for room inside its write.
        QTRY_VERIFY(thread.queued() < count);
        QTest::qWait(300);
        QVERIFY(thread.isRunning());
    }

    const qsizetype dropped = thread.stopAndDrop();
    QVERIFY(!thread.isRunning());
    QCOMPARE(thread.queued(), qsizetype(0));
    got += rig.pty.read(6 * count, 500);
    // What went out whole and what was dropped add up; a frame cut short counts as dropped.
    QCOMPARE(got.count('\r') + dropped, qsizetype(count));
    if (!deviceReads)
        QVERIFY(dropped > 0);
    // The interrupted write is no error of the line.
    QTest::qWait(100);
    QCOMPARE(errors, QList<qint64>());
}

QTEST_GUILESS_MAIN(TestThreadSend)
#include "tst_threadsend.moc"
