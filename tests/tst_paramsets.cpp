#include "parambackup.h"
#include "paramfile.h"
#include "paramsettesthelpers.h"

#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// Parameter set layouts from the shipped mk.js, 'Q' answers, .mkparam files, mapping by field
// name across revisions, comparison and backups.
class tst_ParamSets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layoutsFromShippedScript_data();
    void layoutsFromShippedScript();
    void mappingAcrossRevisions_data();
    void mappingAcrossRevisions();
    void answerChecks_data();
    void answerChecks();
    void fileRefusals_data();
    void fileRefusals();
    void fileRoundTripAndCompare();
    void writePayloadIsWholeOrNothing();
    void backupsKeepTheNewest();

private:
    ParamSet deviceSet(int revision, int number) const;
    QList<ParamLayout> layouts_;
};

void tst_ParamSets::initTestCase()
{
    layouts_ = shippedLayouts();
    QCOMPARE(layouts_.size(), 2);
}

// A set as the device would send it: every field at a value inside its range.
ParamSet tst_ParamSets::deviceSet(int revision, int number) const
{
    const ParamLayout* layout = ParamLayout::find(layouts_, revision);
    if (!layout)
        return ParamSet();
    ParamSet set(*layout, number);
    QString error;
    for (const ParamField& f : layout->fields()) {
        if (f.offset == 0 || f.isText)
            continue;
        const int v = (f.minimum() + f.offset) % (f.maximum() + 1);
        QJsonArray array;
        for (int k = 0; k < f.count; ++k)
            array.append(v);
        set.setValue(f.name, f.isArray ? QJsonValue(array) : QJsonValue(v), error);
    }
    set.setValue(QStringLiteral("Name"), QStringLiteral("Sport"), error);
    return set;
}

void tst_ParamSets::layoutsFromShippedScript_data()
{
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");

    QTest::newRow("95 Gyro_P") << 95 << "Gyro_P" << 30 << 1 << 10 << 250;
    QTest::newRow("106 Gyro_P") << 106 << "Gyro_P" << 30 << 1 << 10 << 250;
    QTest::newRow("95 Hoehe_GPS_Z") << 95 << "Hoehe_GPS_Z" << 21 << 1 << 0 << 250;
    QTest::newRow("106 Hoehe_TiltCompensation")
        << 106 << "Hoehe_TiltCompensation" << 21 << 1 << 0 << 250;
    QTest::newRow("95 Stick_P") << 95 << "Stick_P" << 23 << 1 << 1 << 6;
    QTest::newRow("106 Gas_Max") << 106 << "Gas_Max" << 27 << 1 << 33 << 250;
    QTest::newRow("95 channels") << 95 << "Kanalbelegung" << 1 << 12 << 0 << 255;
    QTest::newRow("95 NaviOperatingRadius") << 95 << "NaviOperatingRadius" << 94 << 1 << 0 << 255;
    QTest::newRow("106 NaviDescendRange") << 106 << "NaviDescendRange" << 97 << 1 << 0 << 255;
    QTest::newRow("95 ExternalControl") << 95 << "ExternalControl" << 97 << 1 << 0 << 255;
    QTest::newRow("106 ExternalControl") << 106 << "ExternalControl" << 98 << 1 << 0 << 255;
    QTest::newRow("106 ServoFS_Pos") << 106 << "ServoFS_Pos" << 113 << 5 << 0 << 255;
    QTest::newRow("95 StartLandChannel") << 95 << "StartLandChannel" << 108 << 1 << 0 << 255;
    QTest::newRow("106 StartLandChannel") << 106 << "StartLandChannel" << 118 << 1 << 0 << 255;
    QTest::newRow("106 MenuKeyChannel") << 106 << "MenuKeyChannel" << 127 << 1 << 0 << 255;
    QTest::newRow("95 BitConfig") << 95 << "BitConfig" << 110 << 1 << 0 << 255;
    QTest::newRow("95 Name") << 95 << "Name" << 114 << 12 << 0 << 255;
    QTest::newRow("106 Name") << 106 << "Name" << 132 << 12 << 0 << 255;
}

void tst_ParamSets::layoutsFromShippedScript()
{
    QFETCH(int, revision);
    QFETCH(QString, field);
    QFETCH(int, offset);
    QFETCH(int, count);
    QFETCH(int, min);
    QFETCH(int, max);

    const ParamLayout* layout = ParamLayout::find(layouts_, revision);
    QVERIFY(layout);
    // The structure without crc: 126 bytes for revision 95, 144 for 106.
    QCOMPARE(layout->size(), revision == 95 ? 126 : 144);
    const ParamField* f = layout->field(field);
    QVERIFY2(f, qPrintable(field));
    QCOMPARE(f->offset, offset);
    QCOMPARE(f->count, count);
    QCOMPARE(f->minimum(), min);
    QCOMPARE(f->maximum(), max);
    QCOMPARE(layout->field(QStringLiteral("GlobalConfig"))->extra.bits.value(5),
             QStringLiteral("GPS active"));
}

void tst_ParamSets::mappingAcrossRevisions_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("targetLacks");
    QTest::addColumn<QStringList>("fileLacks");

    const QStringList only95{"Hoehe_GPS_Z", "NaviOperatingRadius", "NaviOut1Parameter"};
    const QStringList only106{
        "AutoLandingVoltage",     "AutoPhotoAtitudes", "AutoPhotoDistance",
        "ComingHomeVoltage",      "CompassOffset",     "Hoehe_TiltCompensation",
        "LandingPulse",           "MenuKeyChannel",    "NaviDescendRange",
        "NaviMaxFlyingRange",     "Servo3OffValue",    "Servo3OnValue",
        "Servo4OffValue",         "Servo4OnValue",     "ServoFS_Pos",
        "SingleWpControlChannel", "SingleWpSpeed"};
    QTest::newRow("95 onto 106") << 95 << 106 << only95 << only106;
    QTest::newRow("106 onto 95") << 106 << 95 << only106 << only95;
    QTest::newRow("95 onto 95") << 95 << 95 << QStringList{} << QStringList{};
    QTest::newRow("106 onto 106") << 106 << 106 << QStringList{} << QStringList{};
}

void tst_ParamSets::mappingAcrossRevisions()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, targetLacks);
    QFETCH(QStringList, fileLacks);

    ParamFile file;
    QString error;
    QVERIFY(ParamFile::parse(ParamFile::toJson(deviceSet(from, 2)), file, error));
    const ParamSet base(*ParamLayout::find(layouts_, to), 4);
    const ParamFile::Mapping m = file.mapOnto(base, layouts_);
    QVERIFY2(m.ok(), qPrintable(m.errors.join('\n')));
    QStringList lacks = m.targetLacks, missing = m.fileLacks;
    lacks.sort();
    missing.sort();
    QCOMPARE(lacks, targetLacks);
    QCOMPARE(missing, fileLacks);
    // Every shared field lands where the target keeps it, whatever its offset in the file.
    const ParamSet source = deviceSet(from, 2);
    for (const ParamField& f : m.set.layout().fields()) {
        if (f.offset == 0)
            QCOMPARE(m.set.value(f.name).toInt(), to);
        else if (source.layout().field(f.name))
            QVERIFY2(m.set.value(f.name) == source.value(f.name), qPrintable(f.name));
        else
            QVERIFY2(m.set.value(f.name) == base.value(f.name), qPrintable(f.name));
    }
    QCOMPARE(m.set.setNumber(), 4);
}

void tst_ParamSets::answerChecks_data()
{
    QTest::addColumn<int>("revision");
    QTest::addColumn<int>("extra");
    QTest::addColumn<QString>("error");

    QTest::newRow("exact 95") << 95 << 0 << "";
    QTest::newRow("exact 106") << 106 << 0 << "";
    QTest::newRow("two bytes of padding") << 106 << 2 << "";
    QTest::newRow("three bytes too long") << 106 << 3 << "has 148 bytes; revision 106 has 145";
    QTest::newRow("one byte short") << 95 << -1 << "has 126 bytes; revision 95 has 127";
    QTest::newRow("106 cut to the size of 95")
        << 106 << -18 << "has 127 bytes; revision 106 has 145";
    QTest::newRow("unknown revision")
        << 100 << 0 << "Parameter set revision 100 is unknown to mk.js";
    QTest::newRow("only the set number") << 95 << -126 << "too few to hold a set";
}

void tst_ParamSets::answerChecks()
{
    QFETCH(int, revision);
    QFETCH(int, extra);
    QFETCH(QString, error);

    const ParamSet set = deviceSet(revision == 100 ? 95 : revision, 3);
    QByteArray payload = QByteArray(1, char(3)) + set.structure();
    payload[1] = char(revision);
    payload = extra < 0 ? payload.left(payload.size() + extra) : payload + QByteArray(extra, '\0');
    ParamSet decoded;
    QString why;
    QCOMPARE(ParamSet::fromAnswer(layouts_, payload, decoded, why), error.isEmpty());
    QVERIFY2(why.contains(error), qPrintable(why));
    if (error.isEmpty()) {
        QCOMPARE(decoded.structure(), set.structure());
        QCOMPARE(decoded.setNumber(), 3);
        QCOMPARE(decoded.name(), QStringLiteral("Sport"));
    }
}

void tst_ParamSets::fileRefusals_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");

    const QByteArray good = ParamFile::toJson(deviceSet(106, 1));
    const auto edited = [&good](const char* pattern, const char* to) {
        return QString::fromUtf8(good)
            .replace(QRegularExpression(QString::fromUtf8(pattern)), QString::fromUtf8(to))
            .toUtf8();
    };
    QTest::newRow("not JSON") << QByteArray("Gyro_P = 100\n") << "JSON error";
    QTest::newRow("truncated") << good.left(good.size() / 2) << "JSON error";
    QTest::newRow("another format") << edited("tovrik-mkparam", "other") << "format is not";
    QTest::newRow("newer version")
        << edited("\"version\": 1", "\"version\": 2") << "file version 2";
    QTest::newRow("no fields") << edited("\"fields\"", "\"felds\"") << "lacks its revision";
    QTest::newRow("unknown field") << edited("\"Gyro_I\"", "\"Gyro_X\"") << "unknown field Gyro_X";
    QTest::newRow("out of range") << edited("\"Stick_P\": \\d+", "\"Stick_P\": 7")
                                  << "Stick_P is 7, outside 1..6";
    QTest::newRow("wrong type") << edited("\"Stick_P\": \\d+", "\"Stick_P\": \"2\"")
                                << "Stick_P wants a whole number";
    QTest::newRow("fraction") << edited("\"Stick_P\": \\d+", "\"Stick_P\": 2.5")
                              << "Stick_P wants a whole number";
    QTest::newRow("short array") << edited("\"ServoFS_Pos\": \\[\n", "\"ServoFS_Pos\": [1,\n")
                                 << "ServoFS_Pos wants a list of 5 numbers";
    QTest::newRow("name too long")
        << edited("\"Sport\"", "\"Sport and more text\"") << "at most 12 fit";
    QTest::newRow("fifo") << QByteArray() << "is not a regular file";
    QTest::newRow("good") << good << "";
}

void tst_ParamSets::fileRefusals()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, error);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.mkparam"));
    if (QByteArray(QTest::currentDataTag()) == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    ParamFile file;
    QString why;
    ParamFile::Mapping m;
    if (ParamFile::read(path, file, why)) {
        m = file.mapOnto(ParamSet(*ParamLayout::find(layouts_, 106), 1), layouts_);
        why = m.errors.join(QLatin1Char('\n'));
    } else {
        QVERIFY2(why.startsWith(path), qPrintable(why));
    }
    QVERIFY2(error.isEmpty() ? why.isEmpty() : why.contains(error), qPrintable(why));
}

void tst_ParamSets::fileRoundTripAndCompare()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.mkparam"));
    ParamSet set = deviceSet(95, 5);
    QString error;
    QVERIFY2(ParamFile::write(path, set, error), qPrintable(error));
    ParamFile file;
    QVERIFY2(ParamFile::read(path, file, error), qPrintable(error));
    QCOMPARE(file.revision, 95);
    QCOMPARE(file.setNumber, 5);
    QCOMPARE(file.name, QStringLiteral("Sport"));
    const ParamFile::Mapping m = file.mapOnto(ParamSet(set.layout(), 5), layouts_);
    QVERIFY(m.ok() && m.exact());
    QCOMPARE(m.set.structure(), set.structure());
    QVERIFY(compareParams(m.set, set).isEmpty());

    // A folder that does not exist: nothing written, no temporary file left behind.
    QVERIFY(!ParamFile::write(dir.filePath(QStringLiteral("no/such.mkparam")), set, error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.mkparam"});

    ParamSet other = set;
    QVERIFY(other.setValue(QStringLiteral("Gyro_P"), 200, error));
    QVERIFY(other.setValue(QStringLiteral("Kanalbelegung"),
                           QJsonArray{4, 3, 2, 1, 5, 6, 7, 8, 9, 10, 11, 12}, error));
    const QList<ParamDifference> diff = compareParams(set, other);
    QCOMPARE(diff.size(), 2);
    QCOMPARE(diff.at(0).field, QStringLiteral("Kanalbelegung"));
    QCOMPARE(diff.at(1).field, QStringLiteral("Gyro_P"));
    QCOMPARE(diff.at(1).right, QStringLiteral("200"));
    // Across revisions the fields only one side has are listed with "—" on the other.
    const QList<ParamDifference> cross = compareParams(set, deviceSet(106, 5));
    const auto find = [&cross](const QString& name) {
        for (const ParamDifference& d : cross)
            if (d.field == name)
                return d;
        return ParamDifference();
    };
    QCOMPARE(find(QStringLiteral("Hoehe_GPS_Z")).right, QStringLiteral("—"));
    QCOMPARE(find(QStringLiteral("MenuKeyChannel")).left, QStringLiteral("—"));
    QVERIFY(find(QStringLiteral("Gyro_P")).field.isEmpty());
}

void tst_ParamSets::writePayloadIsWholeOrNothing()
{
    ParamSet set = deviceSet(106, 2);
    QString error;
    const QByteArray payload = set.writePayload(error);
    QCOMPARE(payload.size(), 145);
    QCOMPARE(payload.at(0), char(2));
    QCOMPARE(quint8(payload.at(1)), quint8(106));

    set.setSetNumber(6);
    QVERIFY(set.writePayload(error).isEmpty());
    QVERIFY(error.contains("sets 1 to 5"));
    QVERIFY(ParamSet().writePayload(error).isEmpty());
    QVERIFY(!set.setValue(QStringLiteral("Revision"), 95, error));
    QVERIFY(!set.setValue(QStringLiteral("Hoehe_GPS_Z"), 1, error));
    QVERIFY(error.contains("no field Hoehe_GPS_Z"));
}

void tst_ParamSets::backupsKeepTheNewest()
{
    QTemporaryDir dir;
    const ParamSet set = deviceSet(106, 3);
    const QDateTime start(QDate(2026, 1, 1), QTime(12, 0));
    QString error, first, last;
    for (int k = 0; k < ParamBackup::kKeep + 2; ++k) {
        last = ParamBackup::save(set, error, dir.path(), start.addSecs(k / 2));
        QVERIFY2(!last.isEmpty(), qPrintable(error));
        if (k == 0)
            first = last;
    }
    const QStringList names = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(names.size(), ParamBackup::kKeep);
    QVERIFY(!QFile::exists(first));
    QCOMPARE(QFileInfo(last).fileName(), QStringLiteral("2026-01-01_120025-set3-2.mkparam"));
    QVERIFY(ParamBackup::defaultFolder().endsWith(QStringLiteral("Tovrik/Tovrik/backups")));
}

QTEST_GUILESS_MAIN(tst_ParamSets)
#include "tst_paramsets.moc"
