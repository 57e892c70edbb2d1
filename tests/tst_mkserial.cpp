#include "mkhelper.h"
#include "mkserial.h"
#include "serialtesthelpers.h"

#include <QtTest>

// The serial link as the main window uses it: against pseudo-terminals and the simulator.
class TestMkSerial : public QObject
{
    Q_OBJECT
private slots:
    void openFailsWithoutAPort_data();
    void openFailsWithoutAPort();
    void setDebugReturnsThePreviousValue();
    void writeWhileClosedReportsMinusOne();
    void conversationWithTheSimulator();
    void framesArriveInBatchesOnTheGuiThread();
    void closeThenOpenAtOnce();
    void reopenStartsWithAnEmptyBuffer();
    void secondLinkIsRefused();
    void unplugWhileOpen();
    void destroyWhileFlooded();
    void disconnectFromAStoppedDevice();
    void failedLinkIsReportedOnce();

private:
    static QByteArray request(char cmd, int p1 = -1)
    {
        QByteArray frame;
        MkHelper::encodeFrame(cmd, 1, p1 < 0 ? QByteArray() : QByteArray(1, char(p1)), frame);
        return frame;
    }
    static char commandOf(const QByteArray& frame)
    {
        char cmd = 0;
        int address = 0;
        QByteArray payload;
        return MkHelper::decodeFrame(frame, cmd, address, payload) ? cmd : '!';
    }
};

void TestMkSerial::openFailsWithoutAPort_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no name") << QString() << "could not be opened";
    QTest::newRow("missing") << QStringLiteral("/dev/tovrik-missing") << "is gone";
    QTest::newRow("not a terminal") << QStringLiteral("/dev/null") << "is not a serial port";
}

void TestMkSerial::openFailsWithoutAPort()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    MkSerial serial;
    serial.setDeviceName(name);
    QCOMPARE(serial.deviceName(), name);
    QVERIFY(!serial.open());
    QVERIFY(!serial.isOpen());
    QVERIFY2(serial.openFailureReason().contains(reason), qPrintable(serial.openFailureReason()));
    serial.close(); // closing a link that never opened is harmless
    QVERIFY(!serial.isOpen());
}

void TestMkSerial::setDebugReturnsThePreviousValue()
{
    MkSerial serial;
    QCOMPARE(serial.setDebug(true), false);
    QCOMPARE(serial.setDebug(true), true);
    QCOMPARE(serial.setDebug(false), true);
    QCOMPARE(serial.setDebug(false), false);
}

void TestMkSerial::writeWhileClosedReportsMinusOne()
{
    MkSerial serial;
    QSignalSpy errors(&serial, &MkSerial::writeError);
    QThread* seenOn = nullptr;
    connect(&serial, &MkSerial::writeError, this, [&] { seenOn = QThread::currentThread(); });
    serial.write(request('v'));
    serial.write(request('v'));
    QTRY_COMPARE(errors.size(), 2);
    QCOMPARE(errors.at(0).at(0).value<qint64>(), qint64(-1));
    QCOMPARE(errors.at(1).at(0).value<qint64>(), qint64(-1));
    QCOMPARE(seenOn, QThread::currentThread());
}

void TestMkSerial::conversationWithTheSimulator()
{
    REQUIRE_SIMULATOR();
    Simulator sim;
    const QString path = sim.start({"--name", "talk"});
    QVERIFY(!path.isEmpty());
    MkSerial serial;
    serial.setDeviceName(path);
    QVERIFY(serial.open());
    QVERIFY(serial.isOpen());
    QSignalSpy frames(&serial, &MkSerial::newFrameReceived);

    // The whole label run, each request answered in order.
    for (int i = 0; i < 32; ++i)
        serial.write(request('a', i));
    QTRY_COMPARE(frames.size(), 32);
    for (int i = 0; i < 32; ++i) {
        const QByteArray f = frames.at(i).at(0).toByteArray();
        char cmd = 0;
        int address = 0;
        QByteArray payload;
        QVERIFY(MkHelper::decodeFrame(f, cmd, address, payload));
        QCOMPARE(cmd, 'A');
        QCOMPARE(int(payload.at(0)), i);
    }
    serial.write(request('v'));
    QTRY_COMPARE(frames.size(), 33);
    QCOMPARE(commandOf(frames.last().at(0).toByteArray()), 'V');
    serial.close();
    QVERIFY(!serial.isOpen());
}

void TestMkSerial::framesArriveInBatchesOnTheGuiThread()
{
    Pty pty;
    QVERIFY(pty.isValid());
    MkSerial serial;
    serial.setDeviceName(pty.path());
    QVERIFY(serial.open());
    QList<QThread*> threads;
    QList<QByteArray> batched;
    int batches = 0;
    connect(&serial, &MkSerial::newFramesReceived, this, [&](const QList<QByteArray>& frames) {
        threads << QThread::currentThread();
        batched += frames;
        ++batches;
    });
    QList<QByteArray> single;
    connect(&serial, &MkSerial::newFrameReceived, this, [&](const QByteArray& frame) {
        threads << QThread::currentThread();
        single << frame;
    });

    // A burst far larger than one read: delivered in a few batches, not frame by frame, and
    // the frames one by one as well, all in order.
    QList<QByteArray> sent;
    QByteArray burst;
    for (int i = 0; i < 500; ++i) {
        sent << request('v', i % 256);
        burst += sent.last();
    }
    QVERIFY(pty.write(burst));
    QTRY_COMPARE(single.size(), sent.size());
    QCOMPARE(single, sent);
    QCOMPARE(batched, sent);
    QVERIFY2(batches < sent.size() / 10, qPrintable(QString::number(batches)));
    for (QThread* thread : std::as_const(threads))
        QCOMPARE(thread, QThread::currentThread());
}

void TestMkSerial::closeThenOpenAtOnce()
{
    REQUIRE_SIMULATOR();
    Simulator sim;
    const QString path = sim.start({"--name", "reopen"});
    QVERIFY(!path.isEmpty());
    MkSerial serial;
    serial.setDeviceName(path);
    QSignalSpy frames(&serial, &MkSerial::newFrameReceived);
    QSignalSpy errors(&serial, &MkSerial::writeError);
    for (int i = 0; i < 30; ++i) {
        QVERIFY(serial.open());
        serial.write(request('v'));
        serial.close();
        QVERIFY(!serial.isOpen());
    }
    QVERIFY(serial.open());
    frames.clear();
    serial.write(request('v'));
    QTRY_VERIFY(!frames.isEmpty());
    QCOMPARE(commandOf(frames.last().at(0).toByteArray()), 'V');
    QCOMPARE(errors.size(), 0);
}

void TestMkSerial::reopenStartsWithAnEmptyBuffer()
{
    Pty pty;
    QVERIFY(pty.isValid());
    MkSerial serial;
    serial.setDeviceName(pty.path());
    QSignalSpy frames(&serial, &MkSerial::newFrameReceived);
    QVERIFY(serial.open());
    // The first frame shows the loop has read the chunk, so the partial second one sits in
    // its buffer (or, at worst, still in the terminal, which opening flushes).
    QVERIFY(pty.write("#bv@x\r#bv@x"));
    QTRY_COMPARE(frames.size(), 1);
    serial.close();
    QVERIFY(serial.open());
    QVERIFY(pty.write("#ba====DW\r"));
    QTRY_COMPARE(frames.size(), 2);
    QCOMPARE(frames.at(1).at(0).toByteArray(), QByteArray("#ba====DW\r"));
}

void TestMkSerial::secondLinkIsRefused()
{
    Pty pty;
    QVERIFY(pty.isValid());
    MkSerial first;
    MkSerial second;
    first.setDeviceName(pty.path());
    second.setDeviceName(pty.path());
    QVERIFY(first.open());
    QVERIFY(!second.open());
    QVERIFY(!second.isOpen());
    first.close();
    QVERIFY(second.open());
}

void TestMkSerial::unplugWhileOpen()
{
    REQUIRE_SIMULATOR();
    Simulator sim;
    const QString path = sim.start({"--name", "pulled", "--unplug-after", "0.5"});
    QVERIFY(!path.isEmpty());
    MkSerial serial;
    serial.setDeviceName(path);
    QSignalSpy removed(&serial, &MkSerial::deviceRemoved);
    QSignalSpy frames(&serial, &MkSerial::newFrameReceived);
    QSignalSpy errors(&serial, &MkSerial::writeError);
    QSignalSpy lost(&serial, &MkSerial::connectionLost);
    serial.setUpNotifications();
    QVERIFY(serial.open());
    serial.write(request('d', 1));
    QTRY_VERIFY(!frames.isEmpty());

    QTRY_COMPARE(removed.size(), 1);
    QCOMPARE(removed.first().at(0).toString(), path);
    // The link stays open (the owner closes it on the removal) and keeps quiet.
    QVERIFY(serial.isOpen());
    QTRY_COMPARE(sim.process().state(), QProcess::NotRunning);
    const qsizetype seen = frames.size();
    for (const QList<QVariant>& args : frames)
        QCOMPARE(commandOf(args.at(0).toByteArray()), 'D');
    serial.write(request('v'));
    QTRY_COMPARE(errors.size(), 1);
    QCOMPARE(errors.first().at(0).value<qint64>(), qint64(-1));
    // The dead line was reported once, with a reason, however many errors it gave.
    QCOMPARE(lost.size(), 1);
    QVERIFY(!lost.first().at(0).toString().isEmpty());
    serial.close();
    QVERIFY(!serial.isOpen());
    QCOMPARE(frames.size(), seen);
    QCOMPARE(removed.size(), 1);
}

void TestMkSerial::destroyWhileFlooded()
{
    REQUIRE_SIMULATOR();
    Simulator sim;
    const QString path = sim.start({"--name", "flooded", "--flood", "2000"});
    QVERIFY(!path.isEmpty());
    auto serial = std::make_unique<MkSerial>();
    serial->setDeviceName(path);
    QSignalSpy frames(serial.get(), &MkSerial::newFrameReceived);
    QVERIFY(serial->open());
    for (int i = 0; i < 100; ++i)
        serial->write(request('v'));
    QTRY_VERIFY(frames.size() > 100);
    serial.reset(); // closes, stops and joins both threads with traffic in flight
    QVERIFY(!serial);
}

void TestMkSerial::disconnectFromAStoppedDevice()
{
    REQUIRE_SIMULATOR();
    Simulator sim;
    const QString path = sim.start({"--name", "frozen"});
    QVERIFY(!path.isEmpty());
    MkSerial serial;
    serial.setDeviceName(path);
    QSignalSpy errors(&serial, &MkSerial::writeError);
    QSignalSpy lost(&serial, &MkSerial::connectionLost);
    QVERIFY(serial.open());
    const qint64 pid = sim.process().processId();
    QCOMPARE(::kill(pid_t(pid), SIGSTOP), 0);
    constexpr int kRequests = 5000;
    for (int i = 0; i < kRequests; ++i)
        serial.write(request('v'));
    QTest::qWait(300); // the line fills and the send loop waits for room

    QElapsedTimer clock;
    clock.start();
    serial.close();
    const qint64 ms = clock.elapsed();
    ::kill(pid_t(pid), SIGCONT);
    // Far below the seconds a stalled write would wait; the figure itself is measured in the
    // serial benchmark.
    QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));
    QVERIFY(!serial.isOpen());
    // Some thousands fit in the terminal's queue; the rest were still waiting.
    QVERIFY(serial.droppedRequests() > 0);
    QVERIFY(serial.droppedRequests() <= kRequests);
    QTest::qWait(200);
    QCOMPARE(errors.size(), 0);
    QCOMPARE(lost.size(), 0);

    // The next open starts with nothing dropped and nothing queued.
    QVERIFY(serial.open());
    QCOMPARE(serial.droppedRequests(), qsizetype(0));
    serial.close();
    QCOMPARE(serial.droppedRequests(), qsizetype(0));
}

void TestMkSerial::failedLinkIsReportedOnce()
{
    auto pty = std::make_unique<Pty>();
    QVERIFY(pty->isValid());
    MkSerial serial;
    serial.setDeviceName(pty->path());
    QSignalSpy lost(&serial, &MkSerial::connectionLost);
    QList<QThread*> threads;
    connect(&serial, &MkSerial::connectionLost, this,
            [&] { threads << QThread::currentThread(); });
    QVERIFY(serial.open());
    pty.reset(); // the far side goes away: reads and writes fail from now on
    QTRY_COMPARE(lost.size(), 1);
    QVERIFY(!lost.first().at(0).toString().isEmpty());
    QCOMPARE(threads.first(), QThread::currentThread());
    QSignalSpy errors(&serial, &MkSerial::writeError);
    serial.write(request('v'));
    serial.write(request('v'));
    QTRY_COMPARE(errors.size(), 2);
    QTest::qWait(100);
    QCOMPARE(lost.size(), 1);
    QVERIFY(serial.isOpen()); // closing is the owner's decision
    serial.close();
}

QTEST_GUILESS_MAIN(TestMkSerial)
#include "tst_mkserial.moc"
