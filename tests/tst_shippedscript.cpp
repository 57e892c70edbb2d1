#include "fielddecoder.h"
#include "mkhelper.h"
#include "navisim.h"
#include "scriptloader.h"
#include "simdevice.h"

#include <QFile>
#include <QJSEngine>
#include <QTest>

// The mk.js shipped with the program, decoding the frames that the device simulator sends.
class tst_ShippedScript : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void definesTheFilterLetters();
    void decodesSimulatorFrames_data();
    void decodesSimulatorFrames();
    void decodesCompassFrame();

private:
    // Sends one request to a fresh simulator (the Navi Ctrl one for 'o', 'h' and 'c') and
    // returns the payload of its first answer.
    QByteArray ask(char request, const QByteArray& parameter, char answer);
    QList<FrameModel> models_;
};

void tst_ShippedScript::initTestCase()
{
    QFile file(QStringLiteral(TOVRIK_SOURCE_DIR "/mk.js"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    QJSEngine engine;
    const ScriptLoader::Evaluation result =
        ScriptLoader::evaluate(engine, ScriptLoader::readScriptText(file), "mk.js");
    QVERIFY2(!result.threw, qPrintable(result.message));
    for (const QString& name : ScriptLoader::indexNames(result.value)) {
        FrameModel model;
        QVERIFY2(ScriptLoader::definition(engine.globalObject(), name, model), qPrintable(name));
        models_ << model;
    }
}

void tst_ShippedScript::definesTheFilterLetters()
{
    // One definition per letter of the default filter, in its order, so every box is there;
    // the parameter set answer once per revision.
    QString letters;
    for (const FrameModel& model : models_)
        letters += QLatin1Char(model.cmd) +
                   (model.revision >= 0 ? QString::number(model.revision) : QString());
    QCOMPARE(letters, QStringLiteral("VNPLAUDkQ95Q106SFOHC"));
}

QByteArray tst_ShippedScript::ask(char request, const QByteArray& parameter, char answer)
{
    SimDevice::Options options;
    options.seed = 1;
    SimDevice device(options);
    NaviSim navi(options);
    QByteArray output;
    connect(&device, &SimDevice::output, this, [&output](const QByteArray& b) { output += b; });
    connect(&navi, &NaviSim::output, this, [&output](const QByteArray& b) { output += b; });
    QByteArray frame;
    const bool toNavi = request == 'o' || request == 'h' || request == 'c';
    MkHelper::encodeFrame(request, toNavi ? 2 : 1, parameter, frame);
    if (toNavi)
        navi.feed(frame);
    else
        device.feed(frame);

    const qsizetype end = output.indexOf('\r');
    if (end < 0)
        return QByteArray();
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    if (!MkHelper::decodeFrame(output.left(end + 1), cmd, address, payload) || cmd != answer)
        return QByteArray();
    return payload;
}

void tst_ShippedScript::decodesSimulatorFrames_data()
{
    QTest::addColumn<char>("request");
    QTest::addColumn<QByteArray>("parameter");
    QTest::addColumn<char>("answer");
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("version") << 'v' << QByteArray() << 'V' << 6
                             << QStringList{"Software major: 0",
                                            "Software minor: 91",
                                            "Protocol major: 11",
                                            "Protocol minor: 0",
                                            "Software patch (0 = a): 0",
                                            "Hardware errors: 00 00 00 00 00 "};
    QTest::newRow("analog label") << 'a' << QByteArray(1, 9) << 'A' << 2
                                  << QStringList{"Channel index: 9", "Label: Voltage [0.1V]  "};
    QTest::newRow("display") << 'l' << QByteArray(1, 2) << 'L' << 6
                             << QStringList{"Menu item: 2",
                                            "Last menu item: 17",
                                            "Line 1: Tovrik simulator    ",
                                            "Line 2: Flight-Ctrl V0.91a  ",
                                            "Line 3: Menu item 2         ",
                                            "Line 4: Voltage: 12.6 V     "};
    QTest::newRow("mixer") << 'n' << QByteArray() << 'N' << 18
                           << QStringList{"Revision: 1",
                                          "Mixer name: Quadro......",
                                          "Motor 1 gas nick roll yaw (hex): 40 40 00 40 ",
                                          "Motor 2 gas nick roll yaw (hex): 40 C0 00 40 ",
                                          "Motor 4 gas nick roll yaw (hex): 40 00 40 C0 ",
                                          "Motor 16 gas nick roll yaw (hex): 00 00 00 00 "};
    QTest::newRow("BL parameter, motor present")
        << 'u' << QByteArray(1, 0) << 'U' << 11
        << QStringList{"Ok (1 = success): 1",
                       "Result (0 ok, 1 running, 2 missing, 3 hw, 4 sw, 5 crc, 6 unreadable): 0",
                       "Motor index: 0",
                       "Revision: 2",
                       "Set mask: 0",
                       "PWM scaling: 255",
                       "Current limit (A): 30",
                       "Temperature limit (deg C): 99",
                       "Current scaling: 64",
                       "Bit config: 0",
                       "Checksum: 108"};
    QTest::newRow("BL parameter, motor missing")
        << 'u' << QByteArray(1, 6) << 'U' << 11
        << QStringList{"Ok (1 = success): 0",
                       "Result (0 ok, 1 running, 2 missing, 3 hw, 4 sw, 5 crc, 6 unreadable): 2",
                       "Motor index: 6"};
    QTest::newRow("debug data") << 'd' << QByteArray(1, 10) << 'D' << 33
                                << QStringList{"Status flags: 00 00 ", "Analog 20: 128",
                                               "Analog 21: 100", "Analog 24: 200", "Analog 27: 90"};
    QTest::newRow("parameter set")
        << 'q' << QByteArray(1, 2) << 'Q' << 119
        << QStringList{"Set number: 2", "Revision: 106", "Gyro_P: 110", "Name: Set 2......."};
    QTest::newRow("parameter set written")
        << 's' << QByteArray(1, 3) << 'S' << 1 << QStringList{"Set written (0 = refused): 0"};
    QTest::newRow("active set") << 'f' << QByteArray(1, 4) << 'F' << 1
                                << QStringList{"Active set: 4"};
    QTest::newRow("PPM channels") << 'p' << QByteArray() << 'P' << 34
                                  << QStringList{"RSSI: 180",           "Channel 5: 120",
                                                 "Channel 16: 0",       "Serial poti 1: -127",
                                                 "Serial poti 12: 93",  "Waypoint event: 0",
                                                 "Constant -127: -127", "Constant 0: 0",
                                                 "Constant 128: 128",   "Further values: 0 0 "};
    // The Navi Ctrl on the ground at the start of its flight: home position, motors off.
    QTest::newRow("navigation data")
        << 'o' << QByteArray(1, 50) << 'O' << 41
        << QStringList{"Version (5): 5",
                       "Current status: 1",
                       "Home distance (dm): 0",
                       "FC flags (1 motors, 2 flying, 4 calib, 8 start, 16 emerg, 32 low bat): 0",
                       "NC flags (1 free, 2 hold, 4 home, 8 range, 16 no link, 32 reached, 64 "
                       "manual, 128 GPS): 129",
                       "Battery (0.1 V): 168",
                       "Operating radius (m): 50"};
    QTest::newRow("remote display")
        << 'h' << QByteArray("\xff\x32", 2) << 'H' << 4
        << QStringList{"Line 1: Navi-Ctrl V0.91a    ", "Line 2: Sats: 8  GPS ok     "};
    QTest::newRow("3D data") << 'c' << QByteArray(1, 50) << 'C' << 4
                             << QStringList{"Centroid (FC) or reserved (NC): 00 00 00 00 00 00 "
                                            "00 00 "};
}

void tst_ShippedScript::decodesSimulatorFrames()
{
    QFETCH(char, request);
    QFETCH(QByteArray, parameter);
    QFETCH(char, answer);
    QFETCH(int, fieldCount);
    QFETCH(QStringList, lines);

    const QByteArray payload = ask(request, parameter, answer);
    QVERIFY(!payload.isEmpty());
    const QStringList texts = FieldDecoder::decode(models_, answer, payload);
    QCOMPARE(texts.size(), fieldCount);
    for (const QString& line : lines)
        QVERIFY2(texts.contains(line), qPrintable(line + " not in:\n" + texts.join('\n')));
    // The definition covers the whole answer: every field has a value.
    for (const QString& text : texts)
        QVERIFY2(!text.endsWith(QLatin1String(": ")), qPrintable(text));
}

void tst_ShippedScript::decodesCompassFrame()
{
    // Flight Ctrl to compass: nick -12.3 deg, roll 4.5 deg, user parameters 7 and 200,
    // calc state 1, orientation 0.
    QByteArray frame;
    MkHelper::encodeFrame('k', 3, QByteArray::fromHex("85ff2d0007c80100"), frame);
    char cmd = 0;
    int address = 0;
    QByteArray payload;
    QVERIFY(MkHelper::decodeFrame(frame, cmd, address, payload));
    const QStringList expected{"Nick angle (0.1 deg): -123",
                               "Roll angle (0.1 deg): 45",
                               "User parameter 1: 7",
                               "User parameter 2: 200",
                               "Calc state: 1",
                               "Orientation: 0"};
    QCOMPARE(FieldDecoder::decode(models_, cmd, payload), expected);
}

QTEST_GUILESS_MAIN(tst_ShippedScript)
#include "tst_shippedscript.moc"
