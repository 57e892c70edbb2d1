#include "displaytext.h"
#include "navidata.h"

#include <QTest>
#include <QtEndian>

// The Navi Ctrl's navigation record and the remote display's text and keys, from known bytes.
class TestNaviData : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void malformed_data();
    void malformed();
    void flagWords_data();
    void flagWords();
    void displayText_data();
    void displayText();
    void keysByte_data();
    void keysByte();
};

namespace {
// A version 5 record with the given little-endian values written at their byte offsets.
struct Poke
{
    int offset;
    qint64 value;
    int width;
};

QByteArray record(std::initializer_list<Poke> pokes, int size = NaviData::kSize)
{
    QByteArray b(size, '\0');
    b[0] = 5;
    for (const Poke& p : pokes)
        for (int i = 0; i < p.width; ++i)
            b[p.offset + i] = char((p.value >> (8 * i)) & 0xFF);
    return b;
}
} // namespace

void TestNaviData::decode_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<bool>("positionValid");
    QTest::addColumn<double>("baroAltitude");
    QTest::addColumn<double>("homeDistance");
    QTest::addColumn<int>("homeBearing");
    QTest::addColumn<int>("satellites");
    QTest::addColumn<double>("battery");
    QTest::addColumn<double>("current");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("tail"); // last u8 before current: gas

    // Offsets from the published layout: current position at 1 (lon, lat, alt, status), home
    // at 31, home deviation at 44, sats 50, altimeter 51, UBat 57, gas 77, current 78, used
    // capacity 80.
    QTest::newRow("zurich") << record({{1, 85417000, 4},
                                       {5, 473769000, 4},
                                       {9, 408000, 4},
                                       {13, 1, 1},
                                       {44, 500, 2},
                                       {46, -90, 2},
                                       {50, 9, 1},
                                       {51, 200, 2},
                                       {57, 118, 1},
                                       {77, 140, 1},
                                       {78, 153, 2},
                                       {80, 1234, 2}})
                            << 47.3769 << 8.5417 << true << 10.0 << 50.0 << -90 << 9 << 11.8 << 15.3
                            << 1234 << 140;
    QTest::newRow("south west, negative altimeter")
        << record({{1, -700000000, 4}, {5, -335000000, 4}, {51, -40, 2}, {80, 65535, 2}}) << -33.5
        << -70.0 << true << -2.0 << 0.0 << 0 << 0 << 0.0 << 0.0 << 65535 << 0;
    QTest::newRow("latitude beyond 90")
        << record({{1, 100000000, 4}, {5, 900000001, 4}}) << 90.0000001 << 10.0 << false << 0.0
        << 0.0 << 0 << 0 << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("no fix (0/0)") << record({{50, 3, 1}}) << 0.0 << 0.0 << false << 0.0 << 0.0 << 0
                                  << 3 << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("longer payload decodes its first 82 bytes")
        << record({{5, 10000000, 4}, {1, 20000000, 4}}, 90) << 1.0 << 2.0 << true << 0.0 << 0.0 << 0
        << 0 << 0.0 << 0.0 << 0 << 0;
}

void TestNaviData::decode()
{
    QFETCH(QByteArray, payload);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(bool, positionValid);
    QFETCH(double, baroAltitude);
    QFETCH(double, homeDistance);
    QFETCH(int, homeBearing);
    QFETCH(int, satellites);
    QFETCH(double, battery);
    QFETCH(double, current);
    QFETCH(int, capacity);
    QFETCH(int, tail);

    const NaviData d = NaviData::decode(payload);
    QVERIFY2(d.ok(), qPrintable(d.problem()));
    QVERIFY(d.problem().isEmpty());
    QCOMPARE(d.version, 5);
    QVERIFY(qAbs(d.current.latitude() - latitude) < 1e-9);
    QVERIFY(qAbs(d.current.longitude() - longitude) < 1e-9);
    QCOMPARE(d.current.valid(), positionValid);
    QVERIFY(qAbs(d.barometricAltitude() - baroAltitude) < 1e-9);
    QVERIFY(qAbs(d.homeDeviation.distance() - homeDistance) < 1e-9);
    QCOMPARE(int(d.homeDeviation.bearing), homeBearing);
    QCOMPARE(int(d.satellites), satellites);
    QVERIFY(qAbs(d.batteryVolts() - battery) < 1e-9);
    QVERIFY(qAbs(d.currentAmps() - current) < 1e-9);
    QCOMPARE(int(d.usedCapacityMah), capacity);
    QCOMPARE(int(d.gas), tail);
    // What the simulator sends must read back the same.
    QCOMPARE(NaviData::decode(d.encode()).encode(), payload.left(NaviData::kSize));
}

void TestNaviData::malformed_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("problemMentions");

    QTest::newRow("empty") << QByteArray() << int(NaviData::Result::Empty) << -1 << "empty";
    QTest::newRow("81 bytes") << record({}, 81) << int(NaviData::Result::TooShort) << 5 << "81";
    QTest::newRow("version byte only")
        << QByteArray(1, 5) << int(NaviData::Result::TooShort) << 5 << "1 bytes";
    QByteArray v4 = record({});
    v4[0] = 4;
    QTest::newRow("version 4") << v4 << int(NaviData::Result::OtherVersion) << 4 << "version 4";
    QByteArray v255 = record({}, 10);
    v255[0] = char(255);
    QTest::newRow("version 255, short")
        << v255 << int(NaviData::Result::OtherVersion) << 255 << "version 255";
}

void TestNaviData::malformed()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, result);
    QFETCH(int, version);
    QFETCH(QString, problemMentions);

    const NaviData d = NaviData::decode(payload);
    QVERIFY(!d.ok());
    QCOMPARE(int(d.result), result);
    QCOMPARE(d.version, version);
    QCOMPARE(d.raw, payload);
    QVERIFY2(d.problem().contains(problemMentions), qPrintable(d.problem()));
    QVERIFY(!d.current.valid());
}

void TestNaviData::flagWords_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("nc");
    QTest::addColumn<QStringList>("fc");
    QTest::addColumn<int>("errorCode");
    QTest::addColumn<bool>("errorKnown");

    // NCFlags at 68, FCStatusFlags at 67, error code at 69.
    QTest::newRow("none") << record({}) << QStringList() << QStringList() << 0 << true;
    QTest::newRow("hold, GPS ok; motors run, flying")
        << record({{68, 0x82, 1}, {67, 0x03, 1}}) << QStringList{"position hold", "GPS ok"}
        << QStringList{"motors run", "flying"} << 0 << true;
    QTest::newRow("coming home, range limit; low battery, error 7")
        << record({{68, 0x0C, 1}, {67, 0x20, 1}, {69, 7, 1}})
        << QStringList{"coming home", "range limit"} << QStringList{"low battery"} << 7 << true;
    QTest::newRow("every flag, unknown error")
        << record({{68, 0xFF, 1}, {67, 0xFF, 1}, {69, 200, 1}})
        << QStringList{"free",           "position hold",  "coming home",    "range limit",
                       "no serial link", "target reached", "manual control", "GPS ok"}
        << QStringList{"motors run",        "flying",      "calibrating",   "starting",
                       "emergency landing", "low battery", "vario trim up", "vario trim down"}
        << 200 << false;
}

void TestNaviData::flagWords()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, nc);
    QFETCH(QStringList, fc);
    QFETCH(int, errorCode);
    QFETCH(bool, errorKnown);

    const NaviData d = NaviData::decode(payload);
    QVERIFY(d.ok());
    QCOMPARE(NaviData::ncFlagWords(d.ncFlags), nc);
    QCOMPARE(NaviData::fcFlagWords(d.fcFlags), fc);
    QCOMPARE(int(d.errorCode), errorCode);
    QCOMPARE(!NaviData::errorText(d.errorCode).isEmpty(), errorKnown);
}

void TestNaviData::displayText_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line4");

    const QByteArray plain = QByteArray("Navi-Ctrl           ") + QByteArray(40, ' ') +
                             QByteArray("Sats: 9   Radius 50m");
    QTest::newRow("plain") << plain << true << "Navi-Ctrl           "
                           << "Sats: 9   Radius 50m";
    QByteArray symbols(80, ' ');
    symbols.replace(0, 6, QByteArray("\x7e\xdf\x00\x0d\x1b\xff", 6));
    QTest::newRow("symbols and control characters")
        << symbols << true
        << QString::fromUtf8("\u2192\u00b0\u00b7\u00b7\u00b7\u2588") + QString(14, ' ')
        << QString(20, ' ');
    QTest::newRow("old one-line format")
        << QByteArray("Heading 123\xdf") << false << QString::fromUtf8("Heading 123\u00b0        ")
        << QString(20, ' ');
    QTest::newRow("codec padding") << QByteArray(80, 'x') + QByteArray(2, '\0') << true
                                   << QString(20, 'x') << QString(20, 'x');
    QTest::newRow("too long") << QByteArray(83, 'x') << false << QString(20, 'x')
                              << QString(20, 'x');
}

void TestNaviData::displayText()
{
    QFETCH(QByteArray, payload);
    QFETCH(bool, ok);
    QFETCH(QString, line1);
    QFETCH(QString, line4);

    QStringList lines;
    QString problem;
    QCOMPARE(DisplayText::decode(payload, lines, &problem), ok);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.first(), line1);
    QCOMPARE(lines.last(), line4);
    QCOMPARE(problem.isEmpty(), ok);
    for (const QString& line : std::as_const(lines))
        for (QChar c : line)
            QVERIFY2(c.isPrint(), qPrintable(QString::number(c.unicode(), 16)));
}

void TestNaviData::keysByte_data()
{
    QTest::addColumn<int>("pressed");
    QTest::addColumn<int>("byte");
    QTest::newRow("none") << 0 << 0xFF;
    QTest::newRow("previous") << int(DisplayText::PreviousPage) << 0xFE;
    QTest::newRow("next") << int(DisplayText::NextPage) << 0xFD;
    QTest::newRow("item 1") << int(DisplayText::Item1) << 0xFB;
    QTest::newRow("item 2") << int(DisplayText::Item2) << 0xF7;
    QTest::newRow("both items") << int(DisplayText::Item1 | DisplayText::Item2) << 0xF3;
    QTest::newRow("0x80 in the mask keeps bit 0x80 set") << 0x81 << 0xFE;
}

void TestNaviData::keysByte()
{
    QFETCH(int, pressed);
    QFETCH(int, byte);
    QCOMPARE(int(DisplayText::keysByte(quint8(pressed))), byte);
}

QTEST_APPLESS_MAIN(TestNaviData)
#include "tst_navidata.moc"
