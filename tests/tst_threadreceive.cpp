#include "serialport.h"
#include "serialtesthelpers.h"
#include "threadreceive.h"

#include <QtTest>

using Frames = QList<QByteArray>;

class TestThreadReceive : public QObject
{
    Q_OBJECT
private slots:
    void getNextCommand_data();
    void getNextCommand();
    void delivery_data();
    void delivery();
    void severalFramesInOneReadAllArrive();
    void manyFramesInOrder();
    void endlessLineIsBounded();
    void noiseIsReportedOncePerBurst();
    void restartDiscardsPartialFrame();
    void restartWhileStoppingDoesNotLoseTheRestart();
    void hangUpEmitsNothingAndStops();
    void framesReachTheReceiversThread();
    void streamIsHandedOverInBatchesWithReadTimes();
    void handOverWaitsOnlyForAStream_data();
    void handOverWaitsOnlyForAStream();

private:
    struct Rig
    {
        Pty pty;
        SerialPort port;
        ThreadReceive thread{nullptr, port};
        // Frames collected on the test's thread through a queued connection, as the serial
        // link relays them, so reading them never races the worker.
        QObject context;
        Frames received;
        Rig()
        {
            QObject::connect(
                &thread, &ThreadReceive::newFrameReceived, &context,
                [this](const QByteArray& frame) { received << frame; }, Qt::QueuedConnection);
        }
        bool open()
        {
            port.setName(pty.path());
            if (!pty.isValid() || !port.open())
                return false;
            thread.start();
            return true;
        }
        Frames frames() const { return received; }
        ~Rig()
        {
            thread.stop();
            thread.wait();
        }
    };
};

void TestThreadReceive::getNextCommand_data()
{
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<QByteArray>("frameBefore");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("frameAfter");
    QTest::addColumn<QByteArray>("rest");
    QTest::addColumn<int>("dropped");

    QTest::newRow("empty") << QByteArray() << QByteArray() << false << QByteArray() << QByteArray()
                           << 0;
    QTest::newRow("no terminator kept")
        << QByteArray("#bv@x") << QByteArray() << false << QByteArray() << QByteArray("#bv@x") << 0;
    QTest::newRow("one frame") << QByteArray("#bv@x\r") << QByteArray() << true
                               << QByteArray("#bv@x\r") << QByteArray() << 0;
    QTest::newRow("first of two") << QByteArray("#bv@x\r#ba====DW\r") << QByteArray() << true
                                  << QByteArray("#bv@x\r") << QByteArray("#ba====DW\r") << 0;
    QTest::newRow("partial tail kept") << QByteArray("#bv@x\r#ba=") << QByteArray() << true
                                       << QByteArray("#bv@x\r") << QByteArray("#ba=") << 0;
    QTest::newRow("noise in front dropped") << QByteArray("xy#bv@x\r") << QByteArray() << true
                                            << QByteArray("#bv@x\r") << QByteArray() << 2;
    QTest::newRow("cut-off frame in front dropped")
        << QByteArray("#ba==#bv@x\r#b") << QByteArray() << true << QByteArray("#bv@x\r")
        << QByteArray("#b") << 5;
    QTest::newRow("'#' after the terminator is not used")
        << QByteArray("xy\r#bv@x\r") << QByteArray() << true << QByteArray("xy\r")
        << QByteArray("#bv@x\r") << 0;
    QTest::newRow("no '#': kept whole for the frame check")
        << QByteArray("xyz\r") << QByteArray() << true << QByteArray("xyz\r") << QByteArray() << 0;
    QTest::newRow("lone terminator")
        << QByteArray("\r#b") << QByteArray() << true << QByteArray("\r") << QByteArray("#b") << 0;
    QTest::newRow("appends to frame") << QByteArray("x\r") << QByteArray("ab") << true
                                      << QByteArray("abx\r") << QByteArray() << 0;
    QTest::newRow("line feed is not a terminator")
        << QByteArray("#bv\n") << QByteArray() << false << QByteArray() << QByteArray("#bv\n") << 0;
}

void TestThreadReceive::getNextCommand()
{
    QFETCH(QByteArray, buffer);
    QFETCH(QByteArray, frameBefore);
    QFETCH(bool, found);
    QFETCH(QByteArray, frameAfter);
    QFETCH(QByteArray, rest);
    QFETCH(int, dropped);
    QByteArray frame = frameBefore;
    qsizetype droppedCount = -1;
    QCOMPARE(::getNextCommand(buffer, frame, &droppedCount), found);
    QCOMPARE(frame, found ? frameAfter : frameBefore);
    QCOMPARE(buffer, rest);
    if (found)
        QCOMPARE(droppedCount, qsizetype(dropped));
}

void TestThreadReceive::delivery_data()
{
    QTest::addColumn<Frames>("chunks"); // written one after another, each read before the next
    QTest::addColumn<Frames>("expected");

    QTest::newRow("split across reads") << Frames{"#bv", "@x", "\r"} << Frames{"#bv@x\r"};
    QTest::newRow("terminator alone later") << Frames{"#bv@x", "\r"} << Frames{"#bv@x\r"};
    QTest::newRow("noise before start") << Frames{"xy#bv@x\r"} << Frames{"#bv@x\r"};
    QTest::newRow("noise between frames")
        << Frames{"#bv@x\r\x7f#", "bv@x\r"} << Frames{"#bv@x\r", "#bv@x\r"};
    QTest::newRow("lone terminator") << Frames{"\r"} << Frames{"\r"};
    QTest::newRow("zero bytes dropped, rest kept")
        << Frames{QByteArray("#bv\0@x\r#b\0\0a====DW\r", 19)} << Frames{"#bv@x\r", "#ba====DW\r"};
    QTest::newRow("zero byte across a split")
        << Frames{QByteArray("#bv\0", 4), "@x\r"} << Frames{"#bv@x\r"};
    QTest::newRow("frame then partial then rest")
        << Frames{"#bv@x\r#ba==", "==DW\r"} << Frames{"#bv@x\r", "#ba====DW\r"};
}

void TestThreadReceive::delivery()
{
    QFETCH(Frames, chunks);
    QFETCH(Frames, expected);
    Rig rig;
    QVERIFY(rig.open());
    qint64 sent = 0;
    for (const QByteArray& chunk : chunks) {
        QVERIFY(rig.pty.write(chunk));
        sent += chunk.size();
        QTRY_COMPARE(rig.thread.bytesRead(), sent);
    }
    QTRY_COMPARE(rig.frames(), expected);
}

void TestThreadReceive::severalFramesInOneReadAllArrive()
{
    Rig rig;
    QVERIFY(rig.open());
    // Nothing follows these bytes, so every frame must come out of the one read.
    QVERIFY(rig.pty.write("#bv@x\r#ba====DW\r#ba>M==Dh\r"));
    QTRY_COMPARE(rig.frames(), (Frames{"#bv@x\r", "#ba====DW\r", "#ba>M==Dh\r"}));
}

void TestThreadReceive::manyFramesInOrder()
{
    Rig rig;
    QVERIFY(rig.open());
    Frames sent;
    QByteArray all;
    for (int i = 0; i < 2000; ++i) {
        sent << QByteArray("#b") + QByteArray::number(i) + '\r';
        all += sent.last();
    }
    QVERIFY(rig.pty.write(all));
    QTRY_COMPARE(rig.received.size(), sent.size());
    QCOMPARE(rig.frames(), sent);
}

void TestThreadReceive::endlessLineIsBounded()
{
    Rig rig;
    QVERIFY(rig.open());
    const QByteArray noise(300 * 1024, 'x');
    QVERIFY(rig.pty.write(noise));
    QVERIFY(rig.pty.write("#bv@x\r"));
    QTRY_COMPARE(rig.received.size(), 1);
    // The noise is all dropped and counted, the frame after it kept.
    QCOMPARE(rig.frames().first(), QByteArray("#bv@x\r"));
    QTRY_COMPARE(rig.thread.droppedBytes(), qint64(noise.size()));
}

void TestThreadReceive::noiseIsReportedOncePerBurst()
{
    Rig rig;
    QSignalSpy reports(&rig.thread, &ThreadReceive::junkDropped);
    QVERIFY(rig.open());
    QVERIFY(rig.pty.write("ab#bv@x\r"));
    QVERIFY(rig.pty.write("cde#bv@x\r"));
    QTRY_COMPARE(rig.received.size(), 2);
    QTRY_COMPARE(reports.size(), 1);
    QCOMPARE(reports.first().first().toLongLong(), 5);
    // A quiet line reports nothing more.
    QTest::qWait(3 * ThreadReceive::kJunkPollMs);
    QCOMPARE(reports.size(), 1);
}

void TestThreadReceive::restartDiscardsPartialFrame()
{
    Rig rig;
    QVERIFY(rig.open());
    QVERIFY(rig.pty.write("#bv@x"));
    QTRY_COMPARE(rig.thread.bytesRead(), qint64(5));
    rig.thread.stop();
    QVERIFY(rig.thread.wait(5000));
    rig.thread.start();
    QVERIFY(rig.pty.write("\r"));
    QTRY_COMPARE(rig.frames(), Frames{"\r"});
}

void TestThreadReceive::restartWhileStoppingDoesNotLoseTheRestart()
{
    // stop() immediately followed by start(): the old loop may still be running; the start
    // must still leave a running loop behind.
    Rig rig;
    QVERIFY(rig.open());
    for (int i = 0; i < 50; ++i) {
        rig.thread.stop();
        rig.thread.start();
    }
    QVERIFY(rig.pty.write("#bv@x\r"));
    QTRY_COMPARE(rig.frames(), Frames{"#bv@x\r"});
    QVERIFY(rig.thread.isRunning());
}

void TestThreadReceive::hangUpEmitsNothingAndStops()
{
    Rig rig;
    QVERIFY(rig.open());
    QVERIFY(rig.pty.write("#bv@x\r#bv"));
    QTRY_COMPARE(rig.received.size(), 1);
    rig.pty.closeKeep();
    rig.pty.closeMaster();
    // The loop keeps running quietly until it is told to stop.
    char buf[8];
    QTRY_COMPARE(rig.port.read(buf, sizeof buf), qint64(-1));
    QVERIFY(rig.thread.isRunning());
    rig.thread.stop();
    QVERIFY(rig.thread.wait(5000));
    QCOMPARE(rig.frames(), Frames{"#bv@x\r"});
}

void TestThreadReceive::framesReachTheReceiversThread()
{
    Rig rig;
    QThread* seenOn = nullptr;
    connect(
        &rig.thread, &ThreadReceive::newFrameReceived, &rig.context,
        [&] { seenOn = QThread::currentThread(); }, Qt::QueuedConnection);
    QVERIFY(rig.open());
    QVERIFY(rig.pty.write("#bv@x\r"));
    QTRY_VERIFY(seenOn != nullptr);
    QCOMPARE(seenOn, QThread::currentThread());
}

void TestThreadReceive::streamIsHandedOverInBatchesWithReadTimes()
{
    Rig rig;
    QList<Frames> batches;
    QList<QList<qint64>> times;
    connect(
        &rig.thread, &ThreadReceive::newFramesReceived, &rig.context,
        [&](const Frames& frames, const QList<qint64>& timesUs) {
            batches << frames;
            times << timesUs;
        },
        Qt::QueuedConnection);
    QVERIFY(rig.open());
    // Frames of one letter a good deal closer together than the hand-over period, each
    // written alone.
    Frames sent;
    for (int i = 0; i < 12; ++i) {
        sent << QByteArray("#bD") + QByteArray::number(i) + '\r';
        QVERIFY(rig.pty.write(sent.last()));
        QThread::msleep(ThreadReceive::kGatherMs / 5);
    }
    QTRY_COMPARE(rig.received.size(), sent.size());
    Frames handedOver;
    bool readApart = false;
    for (qsizetype i = 0; i < batches.size(); ++i) {
        handedOver += batches.at(i);
        QCOMPARE(times.at(i).size(), batches.at(i).size());
        QVERIFY(std::is_sorted(times.at(i).cbegin(), times.at(i).cend()));
        // Stamped when read, not when handed over: a batch holds several times.
        readApart = readApart || times.at(i).first() != times.at(i).last();
    }
    QCOMPARE(handedOver, sent);
    QVERIFY2(batches.size() < sent.size(), qPrintable(QString::number(batches.size())));
    QVERIFY(readApart);
}

void TestThreadReceive::handOverWaitsOnlyForAStream_data()
{
    QTest::addColumn<qint64>("now");
    QTest::addColumn<qint64>("last");
    QTest::addColumn<qint64>("heldUntil");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<qint64>("at");

    QTest::newRow("after a quiet spell: at once")
        << 10'250LL << 10'000LL << -1LL << false << 10'250LL;
    QTest::newRow("in a stream: the next grid point")
        << 10'030LL << 10'000LL << -1LL << false << 10'200LL;
    QTest::newRow("more of the stream: the same point")
        << 10'060LL << 10'000LL << 10'200LL << false << 10'200LL;
    QTest::newRow("an answer while the stream is held: at once")
        << 10'060LL << 10'000LL << 10'200LL << true << 10'060LL;
    QTest::newRow("an answer right after a hand-over: at once")
        << 10'010LL << 10'000LL << -1LL << true << 10'010LL;
}

void TestThreadReceive::handOverWaitsOnlyForAStream()
{
    QFETCH(qint64, now);
    QFETCH(qint64, last);
    QFETCH(qint64, heldUntil);
    QFETCH(bool, answer);
    QFETCH(qint64, at);
    QCOMPARE(ThreadReceive::handOverAt(now, last, heldUntil, answer), at);
}

QTEST_GUILESS_MAIN(TestThreadReceive)
#include "tst_threadreceive.moc"
