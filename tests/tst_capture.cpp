#include "captureformat.h"
#include "capturereader.h"
#include "capturetesthelpers.h"
#include "capturewriter.h"
#include "csvexport.h"
#include "framestore.h"
#include "mkhelper.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

Q_DECLARE_METATYPE(FrameModel)

using namespace CaptureTestHelpers;

namespace {

QByteArray labelPayload(int index, const QByteArray& text)
{
    QByteArray payload(1, char(index));
    payload += text.leftJustified(16, ' ', true);
    return payload;
}

// The shipped definition of 'D' in miniature: status bytes, then one field per channel.
FrameModel perChannelModel()
{
    FrameModel model{'D', {QStringLiteral("Status flags")}, {QStringLiteral("u8[2]")}};
    for (int i = 0; i < 32; ++i) {
        model.fieldNames << QStringLiteral("Analog %1").arg(i);
        model.fieldTypes << QStringLiteral("s16");
    }
    return model;
}

QStringList labels(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("Label %1").arg(i);
    return list;
}

QByteArray exportRecords(const QList<FrameModel>& models, char cmd,
                         const QList<FrameRecord>& records, CsvExport** keep = nullptr)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    auto* csv = new CsvExport(models, cmd, &out);
    for (const FrameRecord& r : records)
        csv->add(r);
    csv->finish();
    if (keep)
        *keep = csv;
    else
        delete csv;
    return out.data();
}

} // namespace

class TestCapture : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        return CaptureTestHelpers::writeFile(QDir(dir_.path()), name, bytes);
    }

private slots:
    void times_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("timeUs");
        QTest::newRow("epoch") << QByteArray("1970-01-01T00:00:00.000000Z") << true << qint64(0);
        QTest::newRow("example") << QByteArray("2026-12-08T05:12:01.123456Z") << true
                                 << qint64(1796706721123456);
        QTest::newRow("leap day") << QByteArray("2024-02-29T23:59:59.999999Z") << true
                                  << qint64(1709251199999999);
        QTest::newRow("last") << QByteArray("9999-12-31T23:59:59.999999Z") << true
                              << qint64(253402300799999999);
        QTest::newRow("no leap day") << QByteArray("2025-02-29T00:00:00.000000Z") << false
                                     << qint64(0);
        QTest::newRow("before 1970") << QByteArray("1969-12-31T23:59:59.000000Z") << false
                                     << qint64(0);
        QTest::newRow("month 13") << QByteArray("2026-13-01T00:00:00.000000Z") << false
                                  << qint64(0);
        QTest::newRow("hour 24") << QByteArray("2026-01-01T24:00:00.000000Z") << false
                                 << qint64(0);
        QTest::newRow("second 60") << QByteArray("2026-01-01T00:00:60.000000Z") << false
                                   << qint64(0);
        QTest::newRow("sign") << QByteArray("2026-01-01T00:00:00.-00000Z") << false << qint64(0);
        QTest::newRow("no Z") << QByteArray("2026-01-01T00:00:00.000000+") << false << qint64(0);
        QTest::newRow("millis") << QByteArray("2026-01-01T00:00:00.000Z") << false << qint64(0);
    }
    void times()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(qint64, timeUs);
        qint64 parsed = -1;
        QCOMPARE(CaptureFormat::parseTime(text, parsed), valid);
        if (valid) {
            QCOMPARE(parsed, timeUs);
            QCOMPARE(CaptureFormat::formatTime(timeUs), text);
        }
    }

    // Every byte value in a frame, both directions, events: what is written is read back.
    void roundTrip()
    {
        QList<FrameRecord> written;
        for (int b = 0; b < 256; ++b) {
            QByteArray bytes = "#b";
            bytes += char(b);
            bytes += QByteArray("\\x41") + char(b) + char(255 - b) + "\r\n";
            bytes += '\r';
            written << record(bytes, kT0 + b * 1001, b % 2 ? FrameRecord::Sent
                                                           : FrameRecord::Received);
        }
        written << record(frame('D', 1, debugPayload()), kT0 + 999'999'999);
        const QString path = dir_.filePath(QStringLiteral("roundtrip.mkcap"));
        {
            CaptureWriter writer;
            QVERIFY2(writer.open(path), qPrintable(writer.errorString()));
            writer.writeEvent(kT0, QStringLiteral("connected\nto ü"));
            for (const FrameRecord& r : written)
                writer.writeFrame(r);
        }

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.first(), QByteArray("# tovrik capture 1"));
        QCOMPARE(lines.at(1), QByteArray("2026-11-30T00:53:20.000000Z ! connected to ") +
                                  QString::fromUtf8("ü").toUtf8());
        for (const QByteArray& line : lines.mid(2, lines.size() - 3)) {
            // Nothing unprintable, no upper-case escapes, no blank after the prefix.
            QVERIFY2(!line.mid(30).contains(' '), line.constData());
            for (const char c : line)
                QVERIFY(quint8(c) >= 0x20 && quint8(c) < 0x7f);
        }

        CaptureReader reader;
        QList<FrameRecord> read;
        QList<CaptureReader::Event> events;
        QVERIFY2(reader.readAll(path, read, &events), qPrintable(reader.errorString()));
        QCOMPARE(reader.skippedLines(), 0);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().text, QStringLiteral("connected to ü"));
        QCOMPARE(read.size(), written.size());
        for (qsizetype i = 0; i < read.size(); ++i) {
            QCOMPARE(read.at(i).bytes, written.at(i).bytes);
            QCOMPARE(read.at(i).timeUs, written.at(i).timeUs);
            QCOMPARE(read.at(i).direction, written.at(i).direction);
            QCOMPARE(read.at(i).cmd, written.at(i).cmd);
            QCOMPARE(read.at(i).address, written.at(i).address);
            QCOMPARE(read.at(i).good, written.at(i).good);
        }
        QVERIFY(read.last().good);
    }

    void hostileLines_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("skipped");
        const QByteArray t = "2026-12-08T05:12:01.123456Z";
        const QByteArray good = t + " < #bv@x\n";
        QTest::newRow("good") << good << 1 << 0;
        QTest::newRow("comment and empty line") << "# note\n\n" + good << 1 << 0;
        QTest::newRow("crlf line end") << t + " > #bv@x\r\n" << 1 << 0;
        QTest::newRow("binary junk")
            << QByteArray("\x00\xff\x1b[2J\x80garbage\x00\n", 16) + good << 1 << 1;
        QTest::newRow("cut last line") << good + t + " < #bD" << 1 << 1;
        QTest::newRow("cut time") << good + "2026-12-08T05:1\n" << 1 << 1;
        QTest::newRow("absurd time") << "99999-12-08T05:12:01.123456Z < #bv@x\n" + good << 1 << 1;
        QTest::newRow("impossible date") << "2026-02-30T05:12:01.123456Z < #bv@x\n" + good << 1
                                         << 1;
        QTest::newRow("unknown direction") << t + " ? #bv@x\n" + good << 1 << 1;
        QTest::newRow("no frame") << t + " < \n" + t + " <\n" << 0 << 2;
        QTest::newRow("blank in frame") << t + " < #bv @x\n" << 0 << 1;
        QTest::newRow("cut escape") << t + " < #bv@x\\x4\n" << 0 << 1;
        QTest::newRow("bad escape") << t + " < #bv@x\\xzz\n" << 0 << 1;
        QTest::newRow("bare backslash") << t + " < #b\\v@x\n" << 0 << 1;
        QTest::newRow("comment without blank") << "#bv@x\n" + good << 1 << 1;
        QTest::newRow("10 MB line") << t + " < #" + QByteArray(10 << 20, 'A') + "\n" + good << 1
                                    << 1;
        QTest::newRow("10 MB cut line") << good + QByteArray(10 << 20, '\0') << 1 << 1;
        QTest::newRow("event") << t + " ! device removed /dev/ttyUSB0\n" << 0 << 0;
    }
    void hostileLines()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, frames);
        QFETCH(int, skipped);
        const QString path = writeFile(QStringLiteral("hostile.mkcap"),
                                       QByteArray("# tovrik capture 1\n") + body);
        QVERIFY(!path.isEmpty());
        CaptureReader reader;
        QList<FrameRecord> records;
        QVERIFY(reader.readAll(path, records));
        QCOMPARE(records.size(), frames);
        QCOMPARE(reader.skippedLines(), skipped);
        if (frames > 0)
            QCOMPARE(records.last().bytes, QByteArray("#bv@x\r"));
    }

    void header_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("header only") << QByteArray("# tovrik capture 1\n") << true;
        QTest::newRow("no line end") << QByteArray("# tovrik capture 1") << true;
        QTest::newRow("crlf") << QByteArray("# tovrik capture 1\r\n") << true;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("other version") << QByteArray("# tovrik capture 2\n") << false;
        QTest::newRow("trailing blank") << QByteArray("# tovrik capture 1 \n") << false;
        QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf# tovrik capture 1\n")
                                         << false;
        QTest::newRow("frame first")
            << QByteArray("2026-12-08T05:12:01.123456Z < #bv@x\n# tovrik capture 1\n") << false;
        QTest::newRow("binary") << QByteArray("\x7f" "ELF\x02\x01\x01\x00", 8) << false;
    }
    void header()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, accepted);
        const QString path = writeFile(QStringLiteral("header.mkcap"), content);
        CaptureReader reader;
        QCOMPARE(reader.open(path), accepted);
        if (!accepted)
            QVERIFY2(reader.errorString().contains(path), qPrintable(reader.errorString()));
    }

    void writerFailures()
    {
        CaptureWriter writer;
        QSignalSpy failed(&writer, &CaptureWriter::failed);
        const QString missing = dir_.filePath(QStringLiteral("no/such/dir/x.mkcap"));
        QVERIFY(!writer.open(missing));
        QVERIFY(writer.errorString().contains(missing));

        // A full disk: the header already fails to go out.
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full to stand for a full disk");
        QVERIFY(!writer.open(QStringLiteral("/dev/full")));
        QVERIFY(writer.errorString().contains(QStringLiteral("/dev/full")));
        QVERIFY(!writer.isOpen());
        // Later frames go nowhere and fail nothing more.
        writer.writeFrame(record(frame('v', 1, {}), kT0));
        QVERIFY(!writer.flush());
        QCOMPARE(failed.size(), 0);
    }

    // A file that cannot grow any more (a full disk, a quota) stops the recording once.
    void writerStopsWhenTheFileCannotGrow()
    {
        const QString path = dir_.filePath(QStringLiteral("limited.mkcap"));
        CaptureWriter writer;
        QSignalSpy failed(&writer, &CaptureWriter::failed);
        QVERIFY(writer.open(path));
        // Past the size limit a write fails with EFBIG instead of raising SIGXFSZ.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &old) == 0);
        rlimit limited = old;
        limited.rlim_cur = 4096;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limited) == 0);
        for (int i = 0; i < 100; ++i)
            writer.writeFrame(record(frame('D', 1, debugPayload()), kT0 + i));
        const bool flushed = writer.flush();
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!flushed);
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed.first().first().toString().contains(path));
        QVERIFY(!writer.isOpen());
        writer.writeFrame(record(frame('v', 1, {}), kT0));
        writer.close();
        QCOMPARE(failed.size(), 1);
    }

    // The timer writes pending lines without a close, so a killed program loses little.
    void writerFlushesWithoutClose()
    {
        const QString path = dir_.filePath(QStringLiteral("live.mkcap"));
        CaptureWriter writer;
        QVERIFY(writer.open(path));
        writer.writeFrame(record(frame('v', 1, {}), kT0));
        const auto content = [&path] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QTRY_VERIFY(content().endsWith(" < #bv@x\n"));
    }

    void csvColumns_data()
    {
        QTest::addColumn<FrameModel>("model");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("names");
        const FrameModel mixed{'X',
                               {"a", "b", "c", "d", "e", "f", "g", "h", "i"},
                               {"u8", "s8", "u16", "s16", "u8[2]", "s8[3]", "u16[2]", "s16[0]",
                                "f32[1]"}};
        QTest::newRow("every kind") << mixed << QStringList()
                                    << QStringList{"a", "b", "c", "d", "e[0]", "e[1]", "f",
                                                   "g[0]", "g[1]"};
        const FrameModel stop{'X', {"a", "b", "c"}, {"u8", "float", "u8"}};
        QTest::newRow("stops at an unknown type") << stop << QStringList() << QStringList{"a"};

        QStringList defaults{"Status flags[0]", "Status flags[1]"};
        QStringList named = defaults;
        for (int i = 0; i < 32; ++i) {
            defaults << QStringLiteral("Analog %1").arg(i);
            named << QStringLiteral("Label %1").arg(i);
        }
        QTest::newRow("per-channel fields, labels") << perChannelModel() << labels(32) << named;
        QTest::newRow("per-channel fields, no labels")
            << perChannelModel() << QStringList() << defaults;

        const FrameModel array{'D', {"Status", "Analog"}, {"u16", "s16[32]"}};
        QStringList arrayNamed{"Status"};
        for (int i = 0; i < 32; ++i)
            arrayNamed << QStringLiteral("Label %1").arg(i);
        QTest::newRow("array definition, labels") << array << labels(32) << arrayNamed;

        QStringList withEmpty = labels(32);
        withEmpty[5].clear();
        QStringList partly = named;
        partly[2 + 5] = QStringLiteral("Analog 5");
        QTest::newRow("empty label keeps the field name") << perChannelModel() << withEmpty
                                                          << partly;
        // Byte 3 is not at 2 + 2i: a field there keeps its name.
        const FrameModel odd{'D', {"x", "y", "z"}, {"u8[3]", "s16", "u8"}};
        QTest::newRow("odd offsets")
            << odd << labels(32) << QStringList{"x[0]", "x[1]", "x[2]", "y", "z"};
    }
    void csvColumns()
    {
        QFETCH(FrameModel, model);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, names);
        QCOMPARE(CsvExport::columnNames(model, labels), names);
    }

    // Rows, quoting and the label rule over a session: labels count only when all arrived
    // before the first row; bad frames, sent frames and other letters leave no row.
    void csvRows()
    {
        const FrameModel display{'L', {"Item", "Line"}, {"u8", "s8[6]"}};
        QList<FrameRecord> session;
        session << record(frame('d', 1, QByteArray(1, '\0')), kT0, FrameRecord::Sent);
        for (int i = 0; i < 32; ++i) {
            const QByteArray text = i == 3 ? QByteArray("Gyro, \"yaw\"") : "Ch" + QByteArray::number(i);
            session << record(frame('A', 1, labelPayload(i, text)), kT0 + 1000 + i);
        }
        QByteArray bad = frame('D', 2, debugPayload());
        bad[bad.size() - 2] = bad[bad.size() - 2] == 'a' ? 'b' : 'a';
        session << record(bad, kT0 + 2'000'000);
        session << record(frame('D', 2, debugPayload()), kT0 + 2'500'001);
        session << record(frame('D', 1, debugPayload().left(6)), kT0 + 3'000'000);
        session << record(frame('L', 1, QByteArray("\x07" "a,b\0zz", 7)), kT0 + 4'000'000);

        CsvExport* csv = nullptr;
        const QList<QByteArray> rows = exportRecords({perChannelModel(), display}, 'D', session, &csv)
                                           .split('\n');
        QCOMPARE(csv->rowCount(), 2);
        QCOMPARE(csv->badCount(), 1);
        delete csv;
        QCOMPARE(rows.size(), 4); // header, two rows, nothing after the last CRLF
        QVERIFY(rows.at(0).startsWith(
            "time_s,address,cmd,Status flags[0],Status flags[1],Ch0,Ch1,Ch2,\"Gyro, \"\"yaw\"\"\",Ch4,"));
        QVERIFY(rows.at(0).endsWith(",Ch31\r"));
        QVERIFY(rows.at(1).startsWith("2.500001,Navi Ctrl,D,0,0,-1000,-900,-800,"));
        QVERIFY(rows.at(1).endsWith(",2100\r"));
        // Cut payload: what is missing stays empty, in all 3 + 2 + 32 fields.
        QCOMPARE(rows.at(2).count(','), 36);
        QVERIFY(rows.at(2).startsWith("3.000000,Flight Ctrl,D,0,0,-1000,-900,,,"));

        // Text columns stop at the first zero byte and are quoted when they must be.
        const QByteArray lines = exportRecords({display}, 'L', session);
        QCOMPARE(lines, QByteArray("time_s,address,cmd,Item,Line\r\n4.000000,Flight Ctrl,L,7,\"a,b\"\r\n"));

        // Labels that arrive after the first row do not rename the header.
        QList<FrameRecord> late{session.at(34)};
        late += session.mid(1, 32);
        QVERIFY(exportRecords({perChannelModel()}, 'D', late).startsWith(
            "time_s,address,cmd,Status flags[0],Status flags[1],Analog 0,"));
    }
};

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_capture.moc"
