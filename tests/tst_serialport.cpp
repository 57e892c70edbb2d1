#include "opendiagnosis.h"
#include "serialport.h"
#include "serialtesthelpers.h"

#include <QtTest>

#include <atomic>
#include <cstring>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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
    void reasonTexts_data();
    void reasonTexts();
    void lockTableAndOpenDescriptors();
    void lockingProcessIsNamed();
};

void TestSerialPort::openFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("errorCode");
    QTest::newRow("empty name") << QString() << 0;
    QTest::newRow("missing device") << QStringLiteral("/dev/tovrik-no-such-port") << ENOENT;
    QTest::newRow("not a terminal") << QStringLiteral("/dev/null") << ENOTTY;
    QTest::newRow("directory") << QStringLiteral("/tmp") << EISDIR;
}

void TestSerialPort::openFailures()
{
    QFETCH(QString, name);
    QFETCH(int, errorCode);
    SerialPort port;
    port.setName(name);
    QVERIFY(!port.open());
    QVERIFY(!port.isOpen());
    QVERIFY(!port.errorString().isEmpty());
    QCOMPARE(port.errorCode(), errorCode);
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
    QCOMPARE(second.errorCode(), EBUSY);
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
    QVERIFY(port.failure() != 0);
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

void TestSerialPort::reasonTexts_data()
{
    QTest::addColumn<int>("err");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("accountInGroup");
    QTest::addColumn<bool>("sessionInGroup");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("absent");
    const QString dev = QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("permission, not in the group")
        << EACCES << "dialout" << false << false
        << QStringList{dev, "'dialout'", "not in it", "sudo usermod -aG dialout $USER",
                       "log out and in again"}
        << QString();
    QTest::newRow("permission, added but not logged in again")
        << EACCES << "dialout" << true << false
        << QStringList{dev, "'dialout'", "Log out and in again"} << "usermod";
    QTest::newRow("permission, in the group and the session")
        << EACCES << "dialout" << true << true
        << QStringList{dev, QString::fromLocal8Bit(std::strerror(EACCES))} << "usermod";
    QTest::newRow("permission, group unknown")
        << EACCES << QString() << false << false
        << QStringList{dev, QString::fromLocal8Bit(std::strerror(EACCES))} << "usermod";
    QTest::newRow("not a terminal")
        << ENOTTY << QString() << false << false
        << QStringList{dev, "not a serial port", QString::fromLocal8Bit(std::strerror(ENOTTY))}
        << QString();
    QTest::newRow("gone") << ENOENT << QString() << false << false
                          << QStringList{dev, "gone", QString::fromLocal8Bit(std::strerror(ENOENT))}
                          << QString();
    QTest::newRow("other") << EIO << QString() << false << false
                           << QStringList{dev, QString::fromLocal8Bit(std::strerror(EIO))}
                           << "gone";
}

void TestSerialPort::reasonTexts()
{
    QFETCH(int, err);
    QFETCH(QString, group);
    QFETCH(bool, accountInGroup);
    QFETCH(bool, sessionInGroup);
    QFETCH(QStringList, expected);
    QFETCH(QString, absent);
    const QString dev = QStringLiteral("/dev/ttyUSB0");
    const QString text = err == EACCES
        ? OpenDiagnosis::permissionText(dev, {group, accountInGroup, sessionInGroup})
        : OpenDiagnosis().explain(dev, err);
    for (const QString& part : expected)
        QVERIFY2(text.contains(part), qPrintable(text));
    if (!absent.isEmpty())
        QVERIFY2(!text.contains(absent), qPrintable(text));
}

void TestSerialPort::lockTableAndOpenDescriptors()
{
    // A process table of our own: a lock owner (with a waiter and a lock on another file beside
    // it) and a process with the device open under another name.
    Pty pty;
    QVERIFY(pty.isValid());
    struct stat st{};
    QCOMPARE(::stat(QFile::encodeName(pty.path()).constData(), &st), 0);
    const QByteArray id = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') + ':' +
                          QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0') + ':' +
                          QByteArray::number(quint64(st.st_ino));
    QTemporaryDir proc;
    QVERIFY(proc.isValid());
    auto put = [&](const QString& name, const QByteArray& content) {
        QDir().mkpath(QFileInfo(proc.filePath(name)).path());
        QFile f(proc.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    };
    QVERIFY(put("locks", "1: POSIX  ADVISORY  WRITE 700 00:05:1 0 EOF\n"
                         "2: FLOCK  ADVISORY  WRITE 812 " + id + " 0 EOF\n"
                         "2: -> FLOCK  ADVISORY  WRITE 999 " + id + " 0 EOF\n"));
    QVERIFY(put("812/comm", "ModemManager\n"));
    QVERIFY(put("900/comm", "minicom\n"));
    QVERIFY(put("700/comm", "other\n"));
    QVERIFY(QDir().mkpath(proc.filePath("900/fd")));
    QVERIFY(QFile::link("/dev/null", proc.filePath("900/fd/0")));
    QVERIFY(QFile::link(pty.path(), proc.filePath("900/fd/3")));
    QVERIFY(QDir().mkpath(proc.filePath("700/fd")));
    QVERIFY(QFile::link("/dev/null", proc.filePath("700/fd/3")));

    const OpenDiagnosis diagnosis(proc.path());
    const QList<PortHolder> holders = diagnosis.holders(pty.path());
    QCOMPARE(holders.size(), 2);
    QCOMPARE(holders.at(0).pid, 812);
    QCOMPARE(holders.at(0).program, QStringLiteral("ModemManager"));
    QCOMPARE(holders.at(1).pid, 900);
    QCOMPARE(holders.at(1).program, QStringLiteral("minicom"));
    QCOMPARE(diagnosis.explain(pty.path(), EBUSY),
             QStringLiteral("%1 is held by ModemManager (pid 812), minicom (pid 900). Close it, "
                            "then connect again.")
                 .arg(pty.path()));
    QVERIFY(OpenDiagnosis(proc.filePath("none")).explain(pty.path(), EBUSY).contains(
        "held by another program"));
}

void TestSerialPort::lockingProcessIsNamed()
{
    Pty pty;
    QVERIFY(pty.isValid());
    QProcess child;
    child.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    child.start("flock", {"--exclusive", pty.path(), "sleep", "60"});
    QVERIFY(child.waitForStarted(5000));
    const qint64 pid = child.processId();
    // Refused for as long as the child's lock stands, whoever we are.
    SerialPort port;
    port.setName(pty.path());
    const auto refused = [&] {
        const bool opened = port.open();
        port.close();
        return !opened;
    };
    QTRY_VERIFY(refused());
    QCOMPARE(port.errorCode(), EBUSY);

    const OpenDiagnosis diagnosis;
    const QList<PortHolder> holders = diagnosis.holders(pty.path());
    QVERIFY(!holders.isEmpty());
    QCOMPARE(holders.first().pid, pid); // the lock's owner comes first
    QCOMPARE(holders.first().program, QStringLiteral("flock"));
    const QString text = diagnosis.explain(pty.path(), EBUSY);
    QVERIFY2(text.contains(QStringLiteral("flock (pid %1)").arg(pid)), qPrintable(text));
    child.kill();
    child.waitForFinished(5000);
}

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serialport.moc"
