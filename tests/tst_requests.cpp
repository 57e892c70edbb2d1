#include "mkhelper.h"
#include "mkserial.h"
#include "serialtesthelpers.h"

#include <QSignalSpy>
#include <QTest>

// The request builder, through the real serial link on a pseudo-terminal: what reaches the wire.
class TestRequests : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void noLinkRegistered();
    void requestsOnTheWire_data();
    void requestsOnTheWire();
    void parameterByteDecodes_data();
    void parameterByteDecodes();
    void debugLine();

private:
    void sendAndExpect(void (*request)(), const QByteArray& expected);

    Pty* pty_ = nullptr;
    MkSerial* serial_ = nullptr;
};

void TestRequests::init()
{
    pty_ = new Pty;
    QVERIFY(pty_->isValid());
    serial_ = new MkSerial;
    serial_->setDeviceName(pty_->path());
    QVERIFY(serial_->open());
    MkHelper::setCurrentSerialPort(serial_);
}

void TestRequests::cleanup()
{
    MkHelper::setCurrentSerialPort(nullptr);
    MkHelper::setDebug(false);
    delete serial_;
    serial_ = nullptr;
    delete pty_;
    pty_ = nullptr;
}

void TestRequests::noLinkRegistered()
{
    MkHelper::setCurrentSerialPort(nullptr);
    QVERIFY(!MkHelper::isSerialOpen());
    MkHelper::rqVersion();
    MkHelper::rqDebug(10);
    MkHelper::rq('a', 3);
    QCOMPARE(pty_->read(1, 300), QByteArray()); // nothing was built or sent

    MkHelper::setCurrentSerialPort(serial_);
    QVERIFY(MkHelper::isSerialOpen());
    serial_->close();
    QVERIFY(!MkHelper::isSerialOpen());
}

void TestRequests::requestsOnTheWire_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("version") << 0 << QByteArray("#bv@x\r");
    QTest::newRow("label 0") << 1 << QByteArray("#ba====DW\r");
    QTest::newRow("label 5") << 2 << QByteArray("#ba>M==Dh\r");
}

void TestRequests::requestsOnTheWire()
{
    QFETCH(int, which);
    QFETCH(QByteArray, expected);
    switch (which) {
    case 0:
        MkHelper::rqVersion();
        break;
    case 1:
        MkHelper::rqLabelAnalogValues(0);
        break;
    default:
        MkHelper::rqLabelAnalogValues(5);
        break;
    }
    QCOMPARE(pty_->read(expected.size()), expected);
}

void TestRequests::parameterByteDecodes_data()
{
    QTest::addColumn<char>("cmd");
    QTest::addColumn<int>("p1");
    QTest::addColumn<char>("byte");
    QTest::newRow("debug interval") << 'd' << 10 << char(0x0A);
    QTest::newRow("zero is a byte") << 'u' << 0 << char(0);
    QTest::newRow("largest byte") << 'l' << 255 << char(0xFF);
    QTest::newRow("too large") << 'a' << 300 << '?';
    QTest::newRow("low 16 bits count") << 'a' << 0x10041 << 'A';
}

void TestRequests::parameterByteDecodes()
{
    QFETCH(char, cmd);
    QFETCH(int, p1);
    QFETCH(char, byte);
    MkHelper::rq(cmd, p1);
    const QByteArray frame = pty_->read(10);
    QCOMPARE(frame.size(), 10);
    char gotCmd = 0;
    int address = 0;
    QByteArray payload;
    QVERIFY(MkHelper::decodeFrame(frame, gotCmd, address, payload));
    QCOMPARE(gotCmd, cmd);
    QCOMPARE(address, 1);
    QCOMPARE(payload, QByteArray(1, byte) + QByteArray(2, '\0'));
}

void TestRequests::debugLine()
{
    MkHelper::setDebug(true);
    QTest::ignoreMessage(QtDebugMsg, "Send cmd= d  p1= 10  data= \"0A \"");
    MkHelper::rq('d', 10);
    QTest::ignoreMessage(QtDebugMsg, "Send cmd= v");
    MkHelper::rq('v');
    QCOMPARE(pty_->read(16).size(), 16);
    MkHelper::setDebug(false);
    static QStringList messages;
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { messages << text; });
    MkHelper::rq('v');
    qInstallMessageHandler(previous);
    QCOMPARE(messages, QStringList());
    QCOMPARE(pty_->read(6), QByteArray("#bv@x\r"));
}

QTEST_GUILESS_MAIN(TestRequests)
#include "tst_requests.moc"
