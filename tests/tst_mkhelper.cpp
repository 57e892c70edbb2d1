#include "mkhelper.h"

#include <QRandomGenerator>
#include <QTest>

// Frame codec and payload value conversions of MkHelper.
class TestMkHelper : public QObject
{
    Q_OBJECT

private slots:
    void encodeFrame_data();
    void encodeFrame();
    void encode64_data();
    void encode64();
    void decodeKnownFrames_data();
    void decodeKnownFrames();
    void roundTripEveryLength();
    void everySingleByteCorruptionIsDetected();
    void malformedFrames_data();
    void malformedFrames();
    void checkCRC();
    void alphabetBounds();

    void toIntScalar_data();
    void toIntScalar();
    void toIntList_data();
    void toIntList();
    void toHex_data();
    void toHex();
    void toASCIIAllBytes();
    void toString_data();
    void toString();
    void intToDouble_data();
    void intToDouble();
    void decodeVersion();
    void parseAddress();
};

static QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

void TestMkHelper::encodeFrame_data()
{
    QTest::addColumn<char>("cmd");
    QTest::addColumn<int>("address");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("version request") << 'v' << 1 << QByteArray() << QByteArray("#bv@x\r");
    QTest::newRow("label 0") << 'a' << 1 << bytes({0}) << QByteArray("#ba====DW\r");
    QTest::newRow("label 5") << 'a' << 1 << bytes({5}) << QByteArray("#ba>M==Dh\r");
}

void TestMkHelper::encodeFrame()
{
    QFETCH(char, cmd);
    QFETCH(int, address);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, frame);
    QByteArray out("left over");
    MkHelper::encodeFrame(cmd, address, payload, out);
    QCOMPARE(out, frame);

    // 'R' yields no frame and leaves the output untouched.
    QByteArray untouched("keep");
    MkHelper::encodeFrame('R', address, payload, untouched);
    QCOMPARE(untouched, QByteArray("keep"));
}

void TestMkHelper::encode64_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("three bytes") << QByteArray("abc") << QByteArray("USF`");
    QTest::newRow("one byte padded") << QByteArray("A") << QByteArray("MM==");
    QTest::newRow("two bytes padded") << QByteArray("AB") << QByteArray("MQE=");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestMkHelper::encode64()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, text);
    QByteArray out("x");
    MkHelper::encode64(data, out);
    QCOMPARE(out, QByteArray("x") + text); // appends, never clears
}

void TestMkHelper::decodeKnownFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("good");
    QTest::addColumn<char>("cmd");
    QTest::addColumn<int>("address");
    QTest::addColumn<QByteArray>("payload");
    QTest::newRow("empty payload") << QByteArray("#bv@x\r") << true << 'v' << 1 << QByteArray();
    QTest::newRow("padded payload")
        << QByteArray("#ba>M==Dh\r") << true << 'a' << 1 << bytes({5, 0, 0});
    // Junk in front shifts every position: wrong address and command, checksum fails.
    QTest::newRow("junk before start")
        << QByteArray("xy#bv@x\r") << false << '#' << int('y') - 97 << QByteArray();
    // A payload part that is not a multiple of four decodes to nothing but may still check out.
    QByteArray odd("#bvA");
    odd += MkHelper::getCRC(odd) + '\r';
    QTest::newRow("odd payload length") << odd << true << 'v' << 1 << QByteArray();
}

void TestMkHelper::decodeKnownFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, good);
    QFETCH(char, cmd);
    QFETCH(int, address);
    QFETCH(QByteArray, payload);
    char gotCmd = 0;
    int gotAddress = -100;
    QByteArray gotPayload;
    if (!good)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Bad crc check in frame: "));
    QCOMPARE(MkHelper::decodeFrame(frame, gotCmd, gotAddress, gotPayload), good);
    QCOMPARE(gotCmd, cmd);
    QCOMPARE(gotAddress, address);
    QCOMPARE(gotPayload, payload);
}

void TestMkHelper::roundTripEveryLength()
{
    // Every payload length up to a long 'D' frame and beyond, with every byte value present.
    for (int n = 0; n <= 300; ++n) {
        QByteArray payload(n, '\0');
        for (int i = 0; i < n; ++i)
            payload[i] = char((i * 37 + n) & 0xFF);
        for (int address : {0, 1, 2, 3}) {
            QByteArray frame;
            MkHelper::encodeFrame('D', address, payload, frame);
            QCOMPARE(frame.size(), 6 + (n + 2) / 3 * 4);
            for (char c : frame) {
                QVERIFY(quint8(c) < 0x80);
                QVERIFY(c != '\0');
            }
            QCOMPARE(frame.indexOf('\r'), frame.size() - 1);
            char cmd = 0;
            int addr = -1;
            QByteArray decoded;
            QVERIFY(MkHelper::decodeFrame(frame, cmd, addr, decoded));
            QCOMPARE(cmd, 'D');
            QCOMPARE(addr, address);
            QCOMPARE(decoded.size(), (n + 2) / 3 * 3);
            QCOMPARE(decoded.left(n), payload);
            QVERIFY(decoded.mid(n).count('\0') == decoded.size() - n); // filler is zeros
        }
    }
}

void TestMkHelper::everySingleByteCorruptionIsDetected()
{
    QByteArray frame;
    QByteArray payload;
    for (int i = 0; i < 66; ++i)
        payload.append(char(QRandomGenerator::global()->bounded(256)));
    MkHelper::encodeFrame('D', 1, payload, frame);

    QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int undetected = 0;
    // Every covered byte (all but the terminator), replaced by every other value.
    for (int pos = 0; pos < frame.size() - 1; ++pos) {
        for (int value = 0; value < 256; ++value) {
            if (char(value) == frame.at(pos))
                continue;
            QByteArray bad = frame;
            bad[pos] = char(value);
            char cmd;
            int address;
            QByteArray out;
            if (MkHelper::decodeFrame(bad, cmd, address, out))
                ++undetected;
        }
    }
    qInstallMessageHandler(previous);
    QCOMPARE(undetected, 0);
}

void TestMkHelper::malformedFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("lone terminator") << QByteArray("\r");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("five bytes") << QByteArray("#bv@\r");
    QTest::newRow("start only") << QByteArray("#\r");
}

void TestMkHelper::malformedFrames()
{
    QFETCH(QByteArray, frame);
    char cmd = 'z';
    int address = 42;
    QByteArray payload("keep");
    QVERIFY(!MkHelper::decodeFrame(frame, cmd, address, payload));
    QCOMPARE(payload, QByteArray("keep"));
}

void TestMkHelper::checkCRC()
{
    QVERIFY(MkHelper::checkCRC("#bv@x"));
    QVERIFY(!MkHelper::checkCRC("#bv@y"));
    QVERIFY(!MkHelper::checkCRC("#b"));
    QVERIFY(!MkHelper::checkCRC(""));
    QCOMPARE(MkHelper::getCRC(QByteArray()), QByteArray("=="));
}

void TestMkHelper::alphabetBounds()
{
    // All-zero bytes give the lowest character, all-ones the highest; nothing leaves "=".."|".
    QByteArray low, high;
    MkHelper::encode64(QByteArray(3, '\0'), low);
    MkHelper::encode64(QByteArray(3, '\xFF'), high);
    QCOMPARE(low, QByteArray("===="));
    QCOMPARE(high, QByteArray("||||"));
    QByteArray back;
    MkHelper::decode64(high, back);
    QCOMPARE(back, QByteArray(3, '\xFF'));

    // A checksum sum of 4095 gives "||"; the sum wraps at 4096.
    QByteArray crcInput(32, char(127));
    crcInput.append(char(31));
    QCOMPARE(MkHelper::getCRC(crcInput), QByteArray("||"));
    crcInput.append(char(1));
    QCOMPARE(MkHelper::getCRC(crcInput), QByteArray("=="));

    // Lengths that are not a non-zero multiple of four decode to nothing.
    QByteArray none;
    MkHelper::decode64("MMM", none);
    MkHelper::decode64("", none);
    QVERIFY(none.isEmpty());
    MkHelper::decode64("MM==", none);
    QCOMPARE(none, bytes({'A', 0, 0}));
}

void TestMkHelper::toIntScalar_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("unsignedValue");
    QTest::addColumn<int>("signedValue");
    QTest::newRow("0x1234") << bytes({0x34, 0x12}) << 0 << 4660 << 4660;
    QTest::newRow("all ones") << bytes({0xFF, 0xFF}) << 0 << 65535 << -1;
    QTest::newRow("low byte high bit") << bytes({0x80, 0x00}) << 0 << 128 << 128;
    QTest::newRow("most negative") << bytes({0x00, 0x80}) << 0 << 32768 << -32768;
    QTest::newRow("offset") << bytes({9, 0xFF, 0x7F}) << 1 << 32767 << 32767;
    QTest::newRow("high byte missing") << bytes({0xFF}) << 0 << 255 << 255;
    QTest::newRow("past the end") << bytes({1, 2}) << 2 << 0 << 0;
    QTest::newRow("negative position") << bytes({1, 2}) << -1 << 256 << 256;
    QTest::newRow("far negative") << bytes({1, 2}) << -100 << 0 << 0;
}

void TestMkHelper::toIntScalar()
{
    QFETCH(QByteArray, data);
    QFETCH(int, pos);
    QFETCH(int, unsignedValue);
    QFETCH(int, signedValue);
    QCOMPARE(MkHelper::toInt(data, pos, false), unsignedValue);
    QCOMPARE(MkHelper::toInt(data, pos, true), signedValue);
}

void TestMkHelper::toIntList_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text");
    QTest::newRow("odd byte dropped") << bytes({0x34, 0x12, 0xFF, 0xFF, 0x07}) << "4660 -1 ";
    QTest::newRow("one byte") << bytes({0x07}) << "";
    QTest::newRow("extremes") << bytes({0x00, 0x80, 0xFF, 0x7F, 0, 0}) << "-32768 32767 0 ";
}

void TestMkHelper::toIntList()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    QCOMPARE(MkHelper::toInt(data), text);
}

void TestMkHelper::toHex_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::newRow("bytes") << bytes({0x0A, 0xFF}) << 1 << "0A FF ";
    QTest::newRow("words, odd byte dropped") << bytes({0x34, 0x12, 0x56}) << 2 << "1234 ";
    QTest::newRow("word little-endian") << bytes({0xFF, 0x80}) << 2 << "80FF ";
    QTest::newRow("word leading zeros") << bytes({0x01, 0x00}) << 2 << "0001 ";
    QTest::newRow("other mode") << bytes({1, 2}) << 3 << "";
    QTest::newRow("empty bytes") << QByteArray() << 1 << "";
}

void TestMkHelper::toHex()
{
    QFETCH(QByteArray, data);
    QFETCH(int, mode);
    QFETCH(QString, text);
    QCOMPARE(MkHelper::toHex(data, mode), text);
}

void TestMkHelper::toASCIIAllBytes()
{
    QCOMPARE(MkHelper::toASCII(bytes({0x41, 0x00, 0x7E, 0x7D})), QString("A..}"));
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = MkHelper::toASCII(all);
    QCOMPARE(text.size(), 256);
    for (int b = 0; b < 256; ++b) {
        const QChar expected = (b >= 32 && b <= 125) ? QChar(b) : QChar('.');
        QCOMPARE(text.at(b), expected);
    }
}

void TestMkHelper::toString_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("len");
    QTest::addColumn<QString>("text");
    QTest::newRow("label") << bytes({5, 'H', 'i', 0, 0}) << 1 << -1 << "Hi";
    QTest::newRow("length") << QByteArray("abcdef") << 1 << 3 << "bcd";
    QTest::newRow("length past end") << QByteArray("abc") << 1 << 10 << "bc";
    QTest::newRow("pos at end") << QByteArray("abc") << 3 << -1 << "";
    QTest::newRow("pos past end") << QByteArray("abc") << 7 << 2 << "";
    QTest::newRow("latin1") << bytes({0xE9, 'x'}) << 0 << -1 << QString::fromLatin1("\xE9x");
    QTest::newRow("untrimmed") << QByteArray(" a  ") << 0 << -1 << " a  ";
}

void TestMkHelper::toString()
{
    QFETCH(QByteArray, data);
    QFETCH(int, pos);
    QFETCH(int, len);
    QFETCH(QString, text);
    QCOMPARE(MkHelper::toString(data, pos, len), text);
}

void TestMkHelper::intToDouble_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("pos");
    QTest::addColumn<double>("result");
    QTest::newRow("middle") << 1234 << 2 << 12.34;
    QTest::newRow("minus counts") << -1234 << 2 << -1.234;
    QTest::newRow("front") << 1234 << 0 << 0.1234;
    QTest::newRow("end") << 1234 << 4 << 1234.0;
    QTest::newRow("before minus") << -5 << 0 << 0.0;
    QTest::newRow("negative pos") << 1234 << -1 << 0.0;
    QTest::newRow("past end") << 1234 << 9 << 0.0;
}

void TestMkHelper::intToDouble()
{
    QFETCH(int, value);
    QFETCH(int, pos);
    QFETCH(double, result);
    QCOMPARE(MkHelper::intToDouble(value, pos), result);
}

void TestMkHelper::decodeVersion()
{
    const VersionInfo v = MkHelper::decodeVersion(bytes({0, 0x4E, 11, 0, 4, 1, 2, 3, 4, 5}));
    QCOMPARE(v.text, QString("0.78e"));
    QCOMPARE(int(v.SWMinor), 0x4E);
    QCOMPARE(int(v.ProtoMajor), 11);
    QCOMPARE(int(v.HardwareError[4]), 5);

    // A short payload reads its missing bytes as zero.
    const VersionInfo shortOne = MkHelper::decodeVersion(bytes({2, 5}));
    QCOMPARE(shortOne.text, QString("2.5a"));
    QCOMPARE(int(shortOne.HardwareError[0]), 0);
    QCOMPARE(MkHelper::decodeVersion(QByteArray()).text, QString("0.0a"));
}

void TestMkHelper::parseAddress()
{
    const QStringList expected{"Unknown", "Flight Ctrl", "Navi Ctrl", "MK3MAG", "Unknown"};
    for (int a = 0; a < expected.size(); ++a)
        QCOMPARE(MkHelper::parseAddress(a), expected.at(a));
    QCOMPARE(MkHelper::parseAddress(-1), QString("Unknown"));
}

QTEST_GUILESS_MAIN(TestMkHelper)
#include "tst_mkhelper.moc"
