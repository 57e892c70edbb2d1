#include "fielddecoder.h"

#include <QTest>

namespace {

FrameModel model(char cmd, const QStringList& names, const QStringList& types)
{
    FrameModel m;
    m.cmd = cmd;
    m.fieldNames = names;
    m.fieldTypes = types;
    return m;
}

// Field names a, b, c... for the given types.
FrameModel fields(const QStringList& types)
{
    QStringList names;
    for (int k = 0; k < types.size(); ++k)
        names << QString(QChar(u'a' + k));
    return model('X', names, types);
}

} // namespace

class tst_FieldDecoder : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void scalarsOverEveryByte_data();
    void scalarsOverEveryByte();
    void shortPayloads_data();
    void shortPayloads();
    void firstDefinitionDecodes_data();
    void firstDefinitionDecodes();
    void namesShownAsWritten_data();
    void namesShownAsWritten();
};

void tst_FieldDecoder::decode_data()
{
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("expected");

    const QString unknown = FieldDecoder::unknownStructureText();

    QTest::newRow("u16 of FF FF is unsigned")
        << QStringList{"u16"} << QByteArray::fromHex("ffff") << QStringList{"a: 65535"};
    QTest::newRow("s16 of FF FF is signed")
        << QStringList{"s16"} << QByteArray::fromHex("ffff") << QStringList{"a: -1"};
    QTest::newRow("s16 lowest") << QStringList{"s16"} << QByteArray::fromHex("0080")
                                << QStringList{"a: -32768"};
    QTest::newRow("16-bit little-endian")
        << QStringList{"u16", "s16"} << QByteArray::fromHex("34123412")
        << QStringList{"a: 4660", "b: 4660"};
    QTest::newRow("s8 is a character")
        << QStringList{"s8"} << QByteArray::fromHex("41") << QStringList{"a: A"};
    QTest::newRow("offsets follow the widths")
        << QStringList{"u8", "s16", "u8[3]", "u8"} << QByteArray::fromHex("0102000a0b0c07")
        << QStringList{"a: 1", "b: 2", "c: 0A 0B 0C ", "d: 7"};
    QTest::newRow("u16 array consumes twice its count")
        << QStringList{"u16[2]", "u8"} << QByteArray::fromHex("3412ff8009")
        << QStringList{"a: 1234 80FF ", "b: 9"};
    QTest::newRow("s8 array is text")
        << QStringList{"s8[5]", "u8"} << QByteArray::fromHex("41007e7d2003")
        << QStringList{"a: A..} ", "b: 3"};
    QTest::newRow("s16 array is signed decimals")
        << QStringList{"s16[2]", "u8"} << QByteArray::fromHex("0100ffff05")
        << QStringList{"a: 1 -1 ", "b: 5"};
    QTest::newRow("unknown element type skipped by its count")
        << QStringList{"f32[2]", "u8"} << QByteArray::fromHex("010203") << QStringList{"b: 3"};
    QTest::newRow("unknown 16-bit element type skipped by twice its count")
        << QStringList{"x16[2]", "u8"} << QByteArray::fromHex("0102030405") << QStringList{"b: 5"};
    QTest::newRow("array without count is empty and consumes nothing")
        << QStringList{"u8[]", "u8"} << QByteArray::fromHex("05") << QStringList{"a: ", "b: 5"};
    QTest::newRow("count needs its closing character")
        << QStringList{"u8[2", "u8"} << QByteArray::fromHex("0506") << QStringList{"a: ", "b: 5"};
    QTest::newRow("non-numeric count is zero")
        << QStringList{"u8[two]", "u8"} << QByteArray::fromHex("07") << QStringList{"a: ", "b: 7"};
    QTest::newRow("negative count is zero, never a step back")
        << QStringList{"u8", "u8[-1]", "s16[-3]", "u8"} << QByteArray::fromHex("0102")
        << QStringList{"a: 1", "b: ", "c: ", "d: 2"};
    QTest::newRow("count beyond int is zero")
        << QStringList{"u8[99999999999]", "u8"} << QByteArray::fromHex("08")
        << QStringList{"a: ", "b: 8"};
    QTest::newRow("huge count stops at the end without wrapping")
        << QStringList{"u16[2000000000]", "u16[2000000000]", "u8"} << QByteArray::fromHex("0102")
        << QStringList{"a: 0201 ", "b: ", "c: "};
    QTest::newRow("unknown scalar ends the list")
        << QStringList{"u8", "u8", "x", "u8"} << QByteArray::fromHex("010203")
        << QStringList{"a: 1", "b: 2", unknown};
    QTest::newRow("scalar names are case-sensitive")
        << QStringList{"U8", "u8"} << QByteArray::fromHex("0102") << QStringList{unknown};
    QTest::newRow("scalar names must match whole")
        << QStringList{"u8 ", "u8"} << QByteArray::fromHex("0102") << QStringList{unknown};
    QTest::newRow("empty type string ends the list")
        << QStringList{""} << QByteArray::fromHex("01") << QStringList{unknown};
    QTest::newRow("array cut short at the end")
        << QStringList{"u8", "u8[4]", "u8"} << QByteArray::fromHex("010203")
        << QStringList{"a: 1", "b: 02 03 ", "c: "};
    QTest::newRow("cut 16-bit array drops the odd byte")
        << QStringList{"s16[3]"} << QByteArray::fromHex("010002") << QStringList{"a: 1 "};
    QTest::newRow("array starting past the end is empty")
        << QStringList{"u8[4]", "s8[2]", "s16[1]"} << QByteArray::fromHex("0102")
        << QStringList{"a: 01 02 ", "b: ", "c: "};
    QTest::newRow("scalar with a missing byte is empty")
        << QStringList{"u8", "u16", "s16"} << QByteArray::fromHex("0102")
        << QStringList{"a: 1", "b: ", "c: "};
    QTest::newRow("longer payload shows only the defined fields")
        << QStringList{"u8"} << QByteArray::fromHex("0102030405") << QStringList{"a: 1"};
    QTest::newRow("no fields, no texts")
        << QStringList{} << QByteArray::fromHex("01") << QStringList{};
}

void tst_FieldDecoder::decode()
{
    QFETCH(QStringList, types);
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, expected);
    QCOMPARE(FieldDecoder::decode(fields(types), payload), expected);
}

void tst_FieldDecoder::scalarsOverEveryByte_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("expected");
    for (int b = 0; b < 256; ++b) {
        QTest::addRow("u8 %d", b) << QString("u8") << b << QString::number(b);
        QTest::addRow("s8 %d", b) << QString("s8") << b << QString(QChar(ushort(b)));
    }
}

void tst_FieldDecoder::scalarsOverEveryByte()
{
    QFETCH(QString, type);
    QFETCH(int, byte);
    QFETCH(QString, expected);
    const QStringList texts = FieldDecoder::decode(fields({type}), QByteArray(1, char(byte)));
    QCOMPARE(texts, QStringList{QStringLiteral("a: ") + expected});
}

// Every payload length from empty to complete under one definition: what is present shows,
// what is missing shows empty, and nothing shifts.
void tst_FieldDecoder::shortPayloads_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("expected");
    const QByteArray full = QByteArray::fromHex("07feff0201aabb");
    const QStringList complete{"a: 7", "b: 65534", "c: 258", "d: AA BB "};
    for (int length = 0; length <= full.size(); ++length) {
        QStringList expected{"a: ", "b: ", "c: ", "d: "};
        if (length >= 1)
            expected[0] = complete[0];
        if (length >= 3)
            expected[1] = complete[1];
        if (length >= 5)
            expected[2] = complete[2];
        if (length == 6)
            expected[3] = "d: AA ";
        if (length == 7)
            expected[3] = complete[3];
        QTest::addRow("%d bytes", length) << full.left(length) << expected;
    }
}

void tst_FieldDecoder::shortPayloads()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, expected);
    QCOMPARE(FieldDecoder::decode(fields({"u8", "u16", "s16", "u8[2]"}), payload), expected);
}

void tst_FieldDecoder::firstDefinitionDecodes_data()
{
    QTest::addColumn<QList<FrameModel>>("models");
    QTest::addColumn<char>("cmd");
    QTest::addColumn<QStringList>("expected");

    const FrameModel v1 = model('V', {"first"}, {"u8"});
    const FrameModel v2 = model('V', {"second"}, {"u16"});
    const FrameModel vEmpty = model('V', {}, {});
    const FrameModel high = model(char(0xE9), {"high"}, {"u8"});

    QTest::newRow("earlier of two wins")
        << QList<FrameModel>{v1, v2} << 'V' << QStringList{"first: 1"};
    QTest::newRow("order decides, not content")
        << QList<FrameModel>{v2, v1} << 'V' << QStringList{"second: 513"};
    QTest::newRow("empty first hides a later one")
        << QList<FrameModel>{vEmpty, v1} << 'V' << QStringList{};
    QTest::newRow("letter is case-sensitive") << QList<FrameModel>{v1} << 'v' << QStringList{};
    QTest::newRow("no definition") << QList<FrameModel>{} << 'V' << QStringList{};
    QTest::newRow("letters above 127")
        << QList<FrameModel>{v1, high} << char(0xE9) << QStringList{"high: 1"};

    // Definitions for one revision of a structure, matched at payload byte 1 (here 02).
    const auto revision = [](FrameModel m, int number) {
        m.revision = number;
        m.revisionAt = 1;
        return m;
    };
    QTest::newRow("other revision passed over")
        << QList<FrameModel>{revision(v1, 5), revision(v2, 2)} << 'V' << QStringList{"second: 513"};
    QTest::newRow("definition for any revision after another revision")
        << QList<FrameModel>{revision(v2, 5), v1} << 'V' << QStringList{"first: 1"};
    QTest::newRow("no revision matches")
        << QList<FrameModel>{revision(v1, 5), revision(v2, 106)} << 'V'
        << QStringList{FieldDecoder::unknownRevisionText(2), "bytes: 01 02 "};
    auto far = revision(v1, 2);
    far.revisionAt = 2;
    QTest::newRow("revision byte past the payload")
        << QList<FrameModel>{far} << 'V' << QStringList{};
}

void tst_FieldDecoder::firstDefinitionDecodes()
{
    QFETCH(QList<FrameModel>, models);
    QFETCH(char, cmd);
    QFETCH(QStringList, expected);
    QCOMPARE(FieldDecoder::decode(models, cmd, QByteArray::fromHex("0102")), expected);
}

// Names come from the script: placeholders or markup in them are text, never filled in.
void tst_FieldDecoder::namesShownAsWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("value placeholder") << "a%2"
                                       << "a%2: 7";
    QTest::newRow("name placeholder") << "%1%1"
                                      << "%1%1: 7";
    QTest::newRow("markup") << "<b>x</b>"
                            << "<b>x</b>: 7";
    QTest::newRow("empty") << ""
                           << ": 7";
}

void tst_FieldDecoder::namesShownAsWritten()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const QStringList texts = FieldDecoder::decode(model('X', {name}, {"u8"}), QByteArray(1, 7));
    QCOMPARE(texts, QStringList{expected});
}

QTEST_GUILESS_MAIN(tst_FieldDecoder)
#include "tst_fielddecoder.moc"
