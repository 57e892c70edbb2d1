#include "serialport.h"
#include "serialtesthelpers.h"

#include <QtTest>

#include <atomic>
#include <termios.h>

class TestSerialPort : public QObject
{
    Q_OBJECT
private slots:
    void openFailures_data();
    void openFailures();
    void closedPortRefusesIo();
    void lineSettings();
    void exclusiveAccess();
    void bytesPassUnchanged_data();
    void bytesPassUnchanged();
    void staleInputIsDiscardedOnOpen();
    void waitReportsInput();
    void hangUpIsAnError();
    void largeWriteIsCompleted();
};

void TestSerialPort::openFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty name") << QString();
    QTest::newRow("missing device") << QStringLiteral("/dev/tovrik-no-such-port");
    QTest::newRow("not a terminal") << QStringLiteral("/dev/null");
    QTest::newRow("directory") << QStringLiteral("/tmp");
}

void TestSerialPort::openFailures()
{
    QFETCH(QString, name);
    SerialPort port;
    port.setName(name);
    QVERIFY(!port.open());
    QVERIFY(!port.isOpen());
    QVERIFY(!port.errorString().isEmpty());
}

void TestSerialPort::closedPortRefusesIo()
{
    SerialPort port;
    char buf[8] = {};
    QCOMPARE(port.write("#bv@x\r", 6), qint64(-1));
    QCOMPARE(port.read(buf, sizeof buf), qint64(-1));
    QCOMPARE(port.bytesAvailable(), qint64(-1));
    QVERIFY(!port.waitForReadyRead(0));

    Pty pty;
    QVERIFY(pty.isValid());
    port.setName(pty.path());
    QVERIFY(port.open());
    QVERIFY(!port.open()); // already open
    QVERIFY(port.isOpen());
    port.close();
    QVERIFY(!port.isOpen());
    QCOMPARE(port.write("#bv@x\r", 6), qint64(-1));
}

void TestSerialPort::lineSettings()
{
    Pty pty;
    QVERIFY(pty.isValid());
    SerialPort port;
    port.setName(pty.path());
    QVERIFY2(port.open(), qPrintable(port.errorString()));

    const int fd = ::open(QFile::encodeName(pty.path()).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios tio{};
    QCOMPARE(::tcgetattr(fd, &tio), 0);
    ::close(fd);
    QCOMPARE(::cfgetospeed(&tio), speed_t(B57600));
    QCOMPARE(::cfgetispeed(&tio), speed_t(B57600));
    QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    QCOMPARE(tio.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR), tcflag_t(0));
    QCOMPARE(tio.c_lflag & (ICANON | ECHO | ISIG), tcflag_t(0));
}

void TestSerialPort::exclusiveAccess()
{
    Pty pty;
    QVERIFY(pty.isValid());
    SerialPort first;
    SerialPort second;
    first.setName(pty.path());
    second.setName(pty.path());
    QVERIFY(first.open());
    QVERIFY(!second.open());
    QVERIFY(!second.isOpen());
    QVERIFY(!second.errorString().isEmpty());
    // The refused open must not have disturbed the owner.
    QVERIFY(pty.write("#bv@x\r"));
    QTRY_COMPARE(first.bytesAvailable(), qint64(6));

    first.close();
    QVERIFY2(second.open(), qPrintable(second.errorString()));
}

void TestSerialPort::bytesPassUnchanged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("frame") << QByteArray("#bv@x\r");
    QTest::newRow("carriage return and line feed") << QByteArray("\r\n\r\r\n");
    QTest::newRow("control characters") << QByteArray("\x03\x04\x11\x13\x1a\x7f", 6);
    QTest::newRow("zero bytes") << QByteArray("\0a\0\0b", 5);
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QTest::newRow("every byte value") << all;
}

void TestSerialPort::bytesPassUnchanged()
{
    QFETCH(QByteArray, bytes);
    Pty pty;
    QVERIFY(pty.isValid());
    SerialPort port;
    port.setName(pty.path());
    QVERIFY(port.open());

    // Host to device.
    QCOMPARE(port.write(bytes.constData(), bytes.size()), qint64(bytes.size()));
    QCOMPARE(pty.read(bytes.size()), bytes);

    // Device to host.
    QVERIFY(pty.write(bytes));
    QByteArray got;
    char buf[512];
    QTRY_VERIFY(
        (got.append(buf, qMax<qint64>(0, port.read(buf, sizeof buf))), got.size() >= bytes.size()));
    QCOMPARE(got, bytes);
}

void TestSerialPort::staleInputIsDiscardedOnOpen()
{
    Pty pty;
    QVERIFY(pty.isValid());
    QVERIFY(pty.write("#bV stale\r"));
    QTRY_COMPARE(pty.pendingInput(), 10);
    SerialPort port;
    port.setName(pty.path());
    QVERIFY(port.open());
    QCOMPARE(port.bytesAvailable(), qint64(0));
}

void TestSerialPort::waitReportsInput()
{
    Pty pty;
    QVERIFY(pty.isValid());
    SerialPort port;
    port.setName(pty.path());
    QVERIFY(port.open());
    QVERIFY(!port.waitForReadyRead(0));
    char buf[16];
    QCOMPARE(port.read(buf, sizeof buf), qint64(0)); // nothing there: no error

    QVERIFY(pty.write("abc"));
    QVERIFY(port.waitForReadyRead(5000));
    QTRY_COMPARE(port.bytesAvailable(), qint64(3));
    QCOMPARE(port.read(buf, sizeof buf), qint64(3));
    QCOMPARE(QByteArray(buf, 3), QByteArray("abc"));
}

void TestSerialPort::hangUpIsAnError()
{
    Pty pty;
    QVERIFY(pty.isValid());
    SerialPort port;
    port.setName(pty.path());
    QVERIFY(port.open());
    pty.closeKeep();
    pty.closeMaster();
    // A dead line must wake a waiting reader and then read as an error, not as "no data".
    QVERIFY(port.waitForReadyRead(5000));
    char buf[16];
    QCOMPARE(port.read(buf, sizeof buf), qint64(-1));
    port.close();
}

void TestSerialPort::largeWriteIsCompleted()
{
    // Far more than the terminal's output queue holds: the writer must wait for room instead
    // of returning a short count and losing the rest.
    Pty pty;
    QVERIFY(pty.isValid());
    SerialPort port;
    port.setName(pty.path());
    QVERIFY(port.open());
    QByteArray big(256 * 1024, 'x');
    for (qsizetype i = 0; i < big.size(); i += 97)
        big[i] = char('a' + i % 26);

    std::atomic<qint64> written{0};
    QThread* writer = QThread::create([&] { written = port.write(big.constData(), big.size()); });
    writer->start();
    const QByteArray got = pty.read(big.size(), 20000);
    QVERIFY(writer->wait(20000));
    delete writer;
    QCOMPARE(written.load(), qint64(big.size()));
    QCOMPARE(got.size(), big.size());
    QVERIFY(got == big);
}

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serialport.moc"
