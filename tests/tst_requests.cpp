#include "framesink.h"
#include "mkhelper.h"

#include <QTest>

// Keeps what the request builder hands over, as the serial link would send it.
class RecordingSink : public FrameSink
{
public:
    void write(const QByteArray& frame) override { written += frame; }
    bool isOpen() override { return open; }

    // Takes up to size bytes of what was written, oldest first.
    QByteArray read(qsizetype size)
    {
        const QByteArray out = written.left(size);
        written.remove(0, out.size());
        return out;
    }

    QByteArray written;
    bool open = true;
};

// The request builder: what it hands to the registered sink.
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
    RecordingSink sink_;
};

void TestRequests::init()
{
    sink_.written.clear();
    sink_.open = true;
    MkHelper::setCurrentSerialPort(&sink_);
}

void TestRequests::cleanup()
{
    MkHelper::setCurrentSerialPort(nullptr);
    MkHelper::setDebug(false);
}

void TestRequests::noLinkRegistered()
{
    MkHelper::setCurrentSerialPort(nullptr);
    QVERIFY(!MkHelper::isSerialOpen());
    MkHelper::rqVersion();
    MkHelper::rqDebug(10);
    MkHelper::rq('a', 3);
    QCOMPARE(sink_.written, QByteArray()); // nothing was built or sent

    MkHelper::setCurrentSerialPort(&sink_);
    QVERIFY(MkHelper::isSerialOpen());
    sink_.open = false;
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
    QCOMPARE(sink_.read(expected.size()), expected);
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
    const QByteArray frame = sink_.read(10);
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
    QCOMPARE(sink_.read(16).size(), 16);
    MkHelper::setDebug(false);
    static QStringList messages;
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { messages << text; });
    MkHelper::rq('v');
    qInstallMessageHandler(previous);
    QCOMPARE(messages, QStringList());
    QCOMPARE(sink_.read(6), QByteArray("#bv@x\r"));
}

QTEST_GUILESS_MAIN(TestRequests)
#include "tst_requests.moc"
