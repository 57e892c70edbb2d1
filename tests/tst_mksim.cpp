#include "mkhelper.h"
#include "serialport.h"
#include "serialtesthelpers.h"
#include "virtualports.h"

#include <QtEndian>
#include <QtTest>

// The device simulator seen from the host side of its virtual port, over the real serial port
// class, one request frame at a time.
class TestMkSim : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void answers_data();
    void answers();
    void answersFromItsOwnAddress_data();
    void answersFromItsOwnAddress();
    void badRequestsAreIgnored();
    void debugSubscription();
    void dropLabels();
    void corruptAndNoise_data();
    void corruptAndNoise();
    void floodCountsItsFrames();
    void undeliveredFramesAreCounted_data();
    void undeliveredFramesAreCounted();
    void linkLifecycle_data();
    void linkLifecycle();
    void nameInUseIsRefused();
    void openPortFolderIsRefused();
    void staleLinkIsReused_data();
    void staleLinkIsReused();
    void badOptions_data();
    void badOptions();

private:
    struct Frame
    {
        QByteArray raw;
        bool ok = false;
        char cmd = 0;
        int address = 0;
        QByteArray payload;
    };
    static void request(SerialPort& port, char cmd, int p1 = -1);
    // Next frame from the port (without its junk prefix when `fromStart`), or raw empty.
    static Frame next(SerialPort& port, QByteArray& buffer, int timeoutMs = 5000,
                      bool fromStart = true);
    static bool openPort(SerialPort& port, const QString& path);
    static bool finished(QProcess& p)
    {
        return p.state() == QProcess::NotRunning || p.waitForFinished(5000);
    }
    static int s16(const QByteArray& payload, int pos)
    {
        return qFromLittleEndian<qint16>(payload.constData() + pos);
    }
};

void TestMkSim::initTestCase()
{
    REQUIRE_SIMULATOR();
}

bool TestMkSim::openPort(SerialPort& port, const QString& path)
{
    if (path.isEmpty())
        return false;
    port.setName(path);
    return port.open();
}

void TestMkSim::request(SerialPort& port, char cmd, int p1)
{
    QByteArray frame;
    MkHelper::encodeFrame(cmd, 1, p1 < 0 ? QByteArray() : QByteArray(1, char(p1)), frame);
    port.write(frame.constData(), frame.size());
}

TestMkSim::Frame TestMkSim::next(SerialPort& port, QByteArray& buffer, int timeoutMs,
                                 bool fromStart)
{
    QDeadlineTimer deadline(timeoutMs);
    char chunk[2048];
    for (;;) {
        const qsizetype end = buffer.indexOf('\r');
        if (end >= 0) {
            Frame f;
            f.raw = buffer.left(end + 1);
            buffer.remove(0, end + 1);
            QByteArray frame = f.raw;
            if (fromStart && frame.lastIndexOf('#') > 0)
                frame = frame.mid(frame.lastIndexOf('#'));
            f.ok = MkHelper::decodeFrame(frame, f.cmd, f.address, f.payload);
            return f;
        }
        if (deadline.hasExpired())
            return {};
        if (port.waitForReadyRead(50)) {
            const qint64 n = port.read(chunk, sizeof chunk);
            if (n < 0)
                return {};
            buffer.append(chunk, n);
        }
    }
}

void TestMkSim::answers_data()
{
    QTest::addColumn<char>("cmd");
    QTest::addColumn<int>("p1");
    QTest::addColumn<char>("answer");
    QTest::addColumn<int>("size"); // decoded: the structure rounded up to whole groups of 3
    QTest::addColumn<QByteArray>("prefix");

    QTest::newRow("version") << 'v' << -1 << 'V' << 12 << QByteArray("\x00\x5b\x0b\x00", 4);
    QTest::newRow("label 0") << 'a' << 0 << 'A' << 18
                             << QByteArray("\x00"
                                           "AngleNick       ",
                                           17);
    QTest::newRow("label 9") << 'a' << 9 << 'A' << 18
                             << QByteArray("\x09"
                                           "Voltage [0.1V]  ");
    QTest::newRow("label 22") << 'a' << 22 << 'A' << 18
                              << QByteArray("\x16"
                                            "Current [0.1A]  ");
    QTest::newRow("label index clamped") << 'a' << 200 << 'A' << 18 << QByteArray("\x1f");
    QTest::newRow("mixer") << 'n' << -1 << 'N' << 78 << QByteArray("\x01Quadro\0", 8);
    QTest::newRow("display") << 'l' << 3 << 'L' << 84 << QByteArray("\x03\x11Tovrik simulator");
    QTest::newRow("display clamped") << 'l' << 99 << 'L' << 84 << QByteArray("\x11\x11");
    QTest::newRow("motor present") << 'u' << 2 << 'U' << 12 << QByteArray("\x01\x00\x02", 3);
    QTest::newRow("motor missing") << 'u' << 9 << 'U' << 12 << QByteArray("\x00\x02\x09", 3);
    QTest::newRow("ppm") << 'p' << -1 << 'P' << 72 << QByteArray("\xb4\x00", 2);
    QTest::newRow("debug once") << 'd' << 0 << '?' << 0 << QByteArray();
}

void TestMkSim::answers()
{
    QFETCH(char, cmd);
    QFETCH(int, p1);
    QFETCH(char, answer);
    QFETCH(int, size);
    QFETCH(QByteArray, prefix);
    Simulator sim;
    SerialPort port;
    QVERIFY(openPort(port, sim.start({"--name", "answers"})));
    QByteArray buffer;
    request(port, cmd, p1);
    if (answer == '?') {
        // 'd' 0 stops a subscription and answers nothing: the version comes first.
        request(port, 'v');
        QCOMPARE(next(port, buffer).cmd, 'V');
        return;
    }
    const Frame f = next(port, buffer);
    QVERIFY2(f.ok, f.raw.constData());
    QCOMPARE(f.cmd, answer);
    QCOMPARE(f.address, 1);
    QCOMPARE(f.payload.size(), size);
    QCOMPARE(f.payload.left(prefix.size()), prefix);
    if (cmd == 'p') {
        QCOMPARE(s16(f.payload, 60), -127);
        QCOMPARE(s16(f.payload, 62), 0);
        QCOMPARE(s16(f.payload, 64), 128);
    }
}

void TestMkSim::answersFromItsOwnAddress_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("address");
    QTest::newRow("default flight ctrl") << QStringList() << 1;
    QTest::newRow("navi ctrl") << QStringList{"--address", "2"} << 2;
    QTest::newRow("compass") << QStringList{"--address", "3"} << 3;
}

void TestMkSim::answersFromItsOwnAddress()
{
    QFETCH(QStringList, args);
    QFETCH(int, address);
    Simulator sim;
    SerialPort port;
    QVERIFY(openPort(port, sim.start(QStringList{"--name", "addr"} + args)));
    QByteArray buffer;
    request(port, 'v'); // always sent to address 1
    const Frame f = next(port, buffer);
    QVERIFY(f.ok);
    QCOMPARE(f.cmd, 'V');
    QCOMPARE(f.address, address);
}

void TestMkSim::badRequestsAreIgnored()
{
    Simulator sim;
    SerialPort port;
    QVERIFY(openPort(port, sim.start({"--name", "bad"})));
    QByteArray buffer;
    const QByteArray junk = QByteArray("#bvAA\r\r\r") + QByteArray(3000, 'z') + "\r#ba====DX\r";
    port.write(junk.constData(), junk.size());
    request(port, 'v');
    const Frame f = next(port, buffer);
    QVERIFY(f.ok);
    QCOMPARE(f.cmd, 'V');
}

void TestMkSim::debugSubscription()
{
    Simulator sim;
    SerialPort port;
    QVERIFY(openPort(port, sim.start({"--name", "debug"})));
    QByteArray buffer;
    request(port, 'd', 2); // every 20 ms
    QSet<int> nick;
    for (int i = 0; i < 20; ++i) {
        const Frame f = next(port, buffer);
        QVERIFY(f.ok);
        QCOMPARE(f.cmd, 'D');
        QCOMPARE(f.payload.size(), 66);
        nick.insert(s16(f.payload, 2));
        const int voltage = s16(f.payload, 2 + 2 * 9);
        QVERIFY2(voltage > 90 && voltage < 170, qPrintable(QString::number(voltage)));
    }
    QVERIFY2(nick.size() > 1, "the values move");

    // 'd' 0 ends the stream: after the version answer (sent later) no 'D' may follow.
    request(port, 'd', 0);
    request(port, 'v');
    Frame f;
    do {
        f = next(port, buffer);
        QVERIFY(f.ok);
    } while (f.cmd == 'D');
    QCOMPARE(f.cmd, 'V');
    QVERIFY(next(port, buffer, 300).raw.isEmpty());
}

void TestMkSim::dropLabels()
{
    Simulator sim;
    SerialPort port;
    QVERIFY(openPort(port, sim.start({"--name", "nolabels", "--drop-labels"})));
    QByteArray buffer;
    request(port, 'a', 0);
    request(port, 'v');
    const Frame f = next(port, buffer);
    QVERIFY(f.ok);
    QCOMPARE(f.cmd, 'V');
}

void TestMkSim::corruptAndNoise_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("checksumOk");
    QTest::addColumn<bool>("junkInFront");
    QTest::newRow("clean") << QStringList() << true << false;
    QTest::newRow("all corrupt") << QStringList{"--corrupt", "1"} << false << false;
    QTest::newRow("all noisy") << QStringList{"--noise", "1"} << true << true;
}

void TestMkSim::corruptAndNoise()
{
    QFETCH(QStringList, args);
    QFETCH(bool, checksumOk);
    QFETCH(bool, junkInFront);
    Simulator sim;
    SerialPort port;
    QVERIFY(openPort(port, sim.start(QStringList{"--name", "faulty", "--seed", "7"} + args)));
    QByteArray buffer;
    for (int i = 0; i < 5; ++i) {
        request(port, 'a', i);
        const Frame f = next(port, buffer);
        QVERIFY(!f.raw.isEmpty());
        QCOMPARE(f.ok, checksumOk);
        QCOMPARE(f.cmd, 'A');
        QCOMPARE(!f.raw.startsWith('#'), junkInFront);
    }
}

void TestMkSim::floodCountsItsFrames()
{
    Simulator sim;
    SerialPort port;
    QVERIFY(openPort(port, sim.start({"--name", "flood", "--flood", "500"})));
    QByteArray buffer;
    int last = -1;
    for (int i = 0; i < 200; ++i) {
        const Frame f = next(port, buffer);
        QVERIFY(f.ok);
        QCOMPARE(f.cmd, 'D');
        const int seq = quint16(s16(f.payload, 2 + 2 * 31));
        if (last >= 0)
            QCOMPARE(seq, (last + 1) & 0xffff);
        last = seq;
    }
}

void TestMkSim::undeliveredFramesAreCounted_data()
{
    QTest::addColumn<bool>("hostReads");
    QTest::newRow("host reads") << true;
    QTest::newRow("nobody reads") << false;
}

// A flood the host does not read fills the simulator's output queue; what it then drops is
// counted and printed when it exits, so that a soak run does not blame the program for it.
void TestMkSim::undeliveredFramesAreCounted()
{
    QFETCH(bool, hostReads);
    Simulator sim;
    const QString path = sim.start(
        {"--name", "drops", "--flood", hostReads ? "200" : "20000", "--unplug-after", "1"});
    QVERIFY(!path.isEmpty());
    SerialPort port;
    QByteArray buffer;
    if (hostReads) {
        QVERIFY(openPort(port, path));
        QDeadlineTimer deadline(10000);
        while (!sim.process().waitForFinished(10) && !deadline.hasExpired())
            next(port, buffer, 100);
    }
    QVERIFY(finished(sim.process()));
    const QList<QByteArray> lines = sim.process().readAllStandardOutput().split('\n');
    static const QRegularExpression exitLine(
        "^tovrik-mksim: exit: (\\d+) frames sent, (\\d+) not delivered");
    QRegularExpressionMatch match;
    for (const QByteArray& line : lines) {
        if (!match.hasMatch())
            match = exitLine.match(QString::fromLatin1(line));
    }
    QVERIFY2(match.hasMatch(), lines.join('\n').constData());
    QVERIFY(match.captured(1).toLongLong() > 0);
    if (hostReads)
        QCOMPARE(match.captured(2).toLongLong(), 0);
    else
        QVERIFY(match.captured(2).toLongLong() > 0);
}

void TestMkSim::linkLifecycle_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("linkName");
    QTest::addColumn<bool>("terminate"); // else it unplugs itself
    QTest::newRow("terminated") << QStringList{"--name", "life"} << "life" << true;
    QTest::newRow("ftdi terminated")
        << QStringList{"--name", "life", "--ftdi"} << "life-FTDI" << true;
    QTest::newRow("unplugs itself")
        << QStringList{"--name", "life", "--unplug-after", "0.3"} << "life" << false;
}

void TestMkSim::linkLifecycle()
{
    QFETCH(QStringList, args);
    QFETCH(QString, linkName);
    QFETCH(bool, terminate);
    Simulator sim;
    const QString path = sim.start(args);
    QCOMPARE(path, virtualPortsDir() + "/" + linkName);
    QVERIFY(QFileInfo(path).isSymLink());
    QVERIFY(QFileInfo(path).exists());
    if (terminate)
        sim.process().terminate();
    QVERIFY(finished(sim.process()));
    QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.process().exitCode(), 0);
    QVERIFY(!QFileInfo(path).isSymLink());
}

void TestMkSim::nameInUseIsRefused()
{
    Simulator first;
    const QString path = first.start({"--name", "taken"});
    QVERIFY(!path.isEmpty());
    Simulator second;
    QVERIFY(second.start({"--name", "taken"}).isEmpty());
    QVERIFY(finished(second.process()));
    QVERIFY(second.process().exitCode() != 0);
    // The first one's link is untouched.
    QVERIFY(QFileInfo(path).exists());
}

// A link in a folder others may write to could be swapped for theirs: the simulator makes none.
void TestMkSim::openPortFolderIsRefused()
{
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString folder = base.filePath("ports");
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
    Simulator sim;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TOVRIK_PORTS_DIR", folder);
    sim.process().setProcessEnvironment(env);
    QVERIFY(sim.start({"--name", "open"}).isEmpty());
    QVERIFY(finished(sim.process()));
    QVERIFY(sim.process().exitCode() != 0);
    QVERIFY(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System |
                                 QDir::NoDotAndDotDot));
}

void TestMkSim::staleLinkIsReused_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("target gone") << virtualPortsDir() + "/gone";
    // Terminal numbers are reused, so a stale link may point at something that exists.
    QTest::newRow("target exists") << QStringLiteral("/dev/null");
}

void TestMkSim::staleLinkIsReused()
{
    QFETCH(QString, target);
    const QString path = virtualPortsDir() + "/stale";
    QFile::remove(path);
    QVERIFY(QFile::link(target, path));
    Simulator sim;
    QCOMPARE(sim.start({"--name", "stale"}), path);
    QVERIFY(QFileInfo(path).symLinkTarget().startsWith("/dev/pts/"));
}

void TestMkSim::badOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("noise above one") << QStringList{"--noise", "1.5"};
    QTest::newRow("corrupt not a number") << QStringList{"--corrupt", "lots"};
    QTest::newRow("negative flood") << QStringList{"--flood", "-3"};
    QTest::newRow("address too big") << QStringList{"--address", "300"};
    QTest::newRow("unplug at zero") << QStringList{"--unplug-after", "0"};
    QTest::newRow("name with a slash") << QStringList{"--name", "../escape"};
    QTest::newRow("unknown option") << QStringList{"--frobnicate"};
}

void TestMkSim::badOptions()
{
    QFETCH(QStringList, args);
    Simulator sim;
    QVERIFY(sim.start(args).isEmpty());
    QVERIFY(finished(sim.process()));
    QVERIFY(sim.process().exitCode() != 0);
    QVERIFY(!QFileInfo(virtualPortsDir() + "/../escape").exists());
}

QTEST_GUILESS_MAIN(TestMkSim)
#include "tst_mksim.moc"
